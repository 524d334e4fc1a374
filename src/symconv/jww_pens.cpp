#include "symconv/jww_pens.h"

#include <array>

#include "dxf_import/true_colour.h"
#include "store/records.h"
#include "symconv/converter_settings.h"
#include "symconv/element_geometry.h"

namespace zov {

namespace {

constexpr int kDefaultPen = 2;
constexpr int kLastJwkPen = 6;

// Standard colours (0xRRGGBB) of pens 7, 8 and 9.
constexpr std::array<int, 3> kUpperPens = {0x008080, 0xFF0080, 0x808080};

// The 16 standard SXF colours, colour numbers 101-116 (0xRRGGBB): black,
// red, green, blue, yellow, magenta, cyan, white, deep pink, brown, orange,
// light green, light blue, lavender, light grey, dark grey.
constexpr std::array<int, 16> kSxfColours = {
    0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    0xC00080, 0xC08040, 0xFF8000, 0x80C080, 0x0080FF, 0x8040FF, 0xC0C0C0, 0x808080};
constexpr int kFirstSxfColour = 101;

// .jwk line types of the 15 standard SXF line types, numbers 31-45:
// continuous, dashed, dashed spaced, long dashed dotted, long dashed
// double-dotted, long dashed triplicate-dotted, dotted, chain, chain double
// dash, dashed dotted, double-dashed dotted, dashed double-dotted,
// double-dashed double-dotted, dashed triplicate-dotted, double-dashed
// triplicate-dotted.
constexpr std::array<int, 15> kSxfLineTypes = {1, 3, 3, 5, 7, 7, 2, 5, 7, 5, 5, 7, 7, 7, 7};
constexpr int kFirstSxfLineType = 31;

// The converter's line type (1-9) of a JW_CAD for Windows line type.
int jwk_line_type(std::uint8_t style) {
    if (style >= 1 && style <= 9) return style;
    if (style >= 16 && style <= 19) return style - 10;  // double-length 6-9
    const int sxf = style - kFirstSxfLineType;
    if (sxf >= 0 && sxf < static_cast<int>(kSxfLineTypes.size())) return kSxfLineTypes[sxf];
    return 1;
}

}  // namespace

const char* jww_line_type_name(std::uint8_t pen_style) {
    return line_type_name(jwk_line_type(pen_style));
}

int jww_colour(const ConverterSettings& settings, std::uint16_t pen_colour) {
    // Indexes of the fixed colours, found once; black (and anything as dark)
    // takes the foreground colour 7.
    static const std::array<int, kUpperPens.size() + kSxfColours.size()> kIndexes = [] {
        std::array<int, kUpperPens.size() + kSxfColours.size()> indexes{};
        for (std::size_t i = 0; i < kUpperPens.size(); ++i)
            indexes[i] = true_colour_index(kUpperPens[i]);
        for (std::size_t i = 0; i < kSxfColours.size(); ++i)
            indexes[kUpperPens.size() + i] = true_colour_index(kSxfColours[i]);
        return indexes;
    }();
    if (pen_colour >= 1 && pen_colour <= kLastJwkPen) return settings.pen_colours[pen_colour - 1];
    const int upper = pen_colour - (kLastJwkPen + 1);
    if (upper >= 0 && upper < static_cast<int>(kUpperPens.size())) return kIndexes[upper];
    const int sxf = pen_colour - kFirstSxfColour;
    if (sxf >= 0 && sxf < static_cast<int>(kSxfColours.size()))
        return kIndexes[kUpperPens.size() + sxf];
    return settings.pen_colours[kDefaultPen - 1];
}

DxfPen jww_pen(const ConverterSettings& settings, const JwwEntityBase& base) {
    return {jww_line_type_name(base.pen_style), jww_colour(settings, base.pen_colour)};
}

int jww_text_colour(const ConverterSettings& settings, const JwwText& text) {
    return settings.text_colour > 0 ? settings.text_colour
                                    : jww_colour(settings, text.base.pen_colour);
}

int jww_solid_colour(const ConverterSettings& settings, const JwwSolid& solid) {
    if (solid.base.pen_colour != kJwwSolidOwnColour)
        return jww_colour(settings, solid.base.pen_colour);
    // COLORREF holds 0x00BBGGRR.
    const std::uint32_t c = solid.rgb;
    return true_colour_index(
        static_cast<int>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF)));
}

}  // namespace zov
