#pragma once
// The hover help of the analysis options dialog: four lines of explanation
// for the control under the mouse, found by client-pixel rectangles.
#include <array>
#include <string>

namespace zov {

using HoverLines = std::array<std::string, 4>;  // CP932

// Where the lines are drawn, in client pixels, in a CP932 monospace face of
// height 13, after the area has been blanked.
constexpr int kHoverTextX = 300;
constexpr std::array<int, 4> kHoverTextY = {262, 281, 300, 319};
constexpr int kHoverBlankX = 276;
constexpr std::array<int, 7> kHoverBlankY = {262, 281, 300, 319, 272, 291, 310};
constexpr int kHoverBlankWidth = 41;  // blanks per blanking line
constexpr int kHoverFontHeight = 13;

// The lines of the first rectangle that holds (x, y) or lies at most 4
// pixels from it; entries of the item controls count only while
// `selection_on`. Four empty lines when nothing matches.
HoverLines hover_help(int x, int y, bool selection_on);

}  // namespace zov
