#pragma once
// How the height of a text record relates to the font that draws it. In DXF
// stores the height is that of a capital letter, as in every DXF program; in
// JW_CAD stores it is the font's full height. The drawing fonts (the IPA
// faces) put a capital at 0.75 of the font height, the base line 0.88 below
// the top, and give a half-width character half the font height.
#include <cstdint>

#include "store/records.h"

namespace zov {

inline constexpr double kCapHeightPerFont = 0.75;
inline constexpr double kAscentPerFont = 0.88;
inline constexpr double kHalfWidthPerFont = 0.5;

// The font height of a text of height `height`.
inline double text_font_height(std::int32_t store_kind, double height) {
    return store_kind == kSourceJwCad ? height : height / kCapHeightPerFont;
}

// From the base line up to the top of the font's cell.
inline double text_ascent(std::int32_t store_kind, double height) {
    return store_kind == kSourceJwCad ? height
                                      : text_font_height(store_kind, height) * kAscentPerFont;
}

// The advance of one byte (a half-width character; a double-byte character
// takes two) of a text with the width factor `width_factor` (0 counts as 1).
inline double text_byte_advance(std::int32_t store_kind, double height, double width_factor) {
    const double factor = width_factor > 0.0 ? width_factor : 1.0;
    return text_font_height(store_kind, height) * kHalfWidthPerFont * factor;
}

}  // namespace zov
