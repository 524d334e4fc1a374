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
// Texts of a style whose font is a TrueType file (kTextProportional) give
// their ASCII characters the proportional advances of a sans-serif face.
#include <array>
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

// The advances of the ASCII characters " " to "~" in a sans-serif
// TrueType face (Arial's, which are Helvetica's), in thousandths of its em,
// whose capitals stand kProportionalCapHeight of it high.
inline constexpr std::array<std::uint16_t, 95> kProportionalAdvances = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};
inline constexpr double kProportionalCapHeight = 0.716;

// The advance, in text heights, of the one-byte character `c` of a
// proportional text: the face's own for ASCII, the CAD cell for the rest
// (half-width kana keep their look).
inline double proportional_advance(unsigned char c) {
    if (c < 0x20 || c > 0x7E) return kDxfCellPerHeight;
    return kProportionalAdvances[c - 0x20] / 1000.0 / kProportionalCapHeight;
}

// The length along its base line of the CP932 `text`; `proportional` for a
// DXF text of a TrueType style.
inline double text_advance_width(std::int32_t store_kind, double height, double width_factor,
                                 std::string_view text, bool proportional = false) {
    std::size_t double_bytes = 0;
    double proportional_cells = 0.0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (is_lead_byte(c) && i + 1 < text.size()) {
            ++double_bytes;
            ++i;
        } else if (proportional) {
            proportional_cells += proportional_advance(c);
        }
    }
    const double single_bytes = static_cast<double>(text.size() - 2 * double_bytes);
    const double one_byte_widths =
        proportional && store_kind == kSourceDxf
            ? proportional_cells * text_byte_advance(store_kind, height, width_factor)
            : single_bytes * text_byte_advance(store_kind, height, width_factor);
    return one_byte_widths + static_cast<double>(double_bytes) *
                                 text_double_byte_advance(store_kind, height, width_factor);
}

// The length of a text record's `text`, by its flags.
inline double text_advance_width(std::int32_t store_kind, const EntityRecord& record,
                                 std::string_view text) {
    return text_advance_width(store_kind, record.text.height, record.text.width_factor, text,
                              (record.flags & kTextProportional) != 0);
}

}  // namespace zov
