#pragma once
// Image texts: a JW_CAD text "^@BM" followed by the image's path, width and
// height (paper millimetres) and, optionally, a clip rectangle and a
// rotation, separated by commas. A path beginning "%temp%" names an image
// embedded in the drawing.
#include <optional>
#include <string>
#include <string_view>

namespace zov {

struct JwwImageText {
    std::string name;  // the file name of the path, without its folders (CP932)
    double width = 0, height = 0;
};

// The image of an image text; none for any other text, or for one whose
// width or height is not a positive number.
std::optional<JwwImageText> parse_jww_image_text(std::string_view text);

}  // namespace zov
