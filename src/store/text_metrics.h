#pragma once
// How the height of a text record relates to the font that draws it and to
// the length of the text. In DXF stores the height is that of a capital
// letter, as in every DXF program; in JW_CAD stores it is the font's full
// height. The drawing fonts (the IPA faces) put a capital at 0.75 of the
// font height, the base line 0.88 below the top, and give a half-width
// character half the font height. A DXF text's one-byte characters take the
// cell of the CAD fonts, as wide as the text is high, so that a string is as
// long as other DXF programs make it; its double-byte (Japanese) characters
// keep the drawing font's full width. JW_CAD texts keep the font's widths.
#include <cstdint>
#include <string_view>

#include "common/cp932.h"
#include "store/records.h"

namespace zov {

inline constexpr double kCapHeightPerFont = 0.75;
inline constexpr double kAscentPerFont = 0.88;
inline constexpr double kHalfWidthPerFont = 0.5;
inline constexpr double kDxfCellPerHeight = 1.0;

// The font height of a text of height `height`.
inline double text_font_height(std::int32_t store_kind, double height) {
    return store_kind == kSourceJwCad ? height : height / kCapHeightPerFont;
}

// From the base line up to the top of the font's cell.
inline double text_ascent(std::int32_t store_kind, double height) {
    return store_kind == kSourceJwCad ? height
                                      : text_font_height(store_kind, height) * kAscentPerFont;
}

// The advance of a one-byte character of a text with the width factor
// `width_factor` (0 counts as 1).
inline double text_byte_advance(std::int32_t store_kind, double height, double width_factor) {
    const double factor = width_factor > 0.0 ? width_factor : 1.0;
    return store_kind == kSourceJwCad
               ? text_font_height(store_kind, height) * kHalfWidthPerFont * factor
               : height * kDxfCellPerHeight * factor;
}

// The advance of a double-byte character: the font's full width.
inline double text_double_byte_advance(std::int32_t store_kind, double height,
                                       double width_factor) {
    const double factor = width_factor > 0.0 ? width_factor : 1.0;
    return text_font_height(store_kind, height) * 2.0 * kHalfWidthPerFont * factor;
}

// The length along its base line of the CP932 `text`.
inline double text_advance_width(std::int32_t store_kind, double height, double width_factor,
                                 std::string_view text) {
    std::size_t double_bytes = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (is_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++double_bytes;
            ++i;
        }
    }
    const double single_bytes = static_cast<double>(text.size() - 2 * double_bytes);
    return single_bytes * text_byte_advance(store_kind, height, width_factor) +
           static_cast<double>(double_bytes) *
               text_double_byte_advance(store_kind, height, width_factor);
}

}  // namespace zov
