#include "jw/jww_pens.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/records.h"

namespace zov {

namespace {

constexpr int kCyan = 1, kDrawingColour = 2, kGreen = 3, kYellow = 4, kMagenta = 5, kBlue = 6,
              kRed = 7;

// Store colours of the pens 0-9.
constexpr int kPenColours[kJwwPens] = {kDrawingColour, 1, 2, 3, 4, 5, 6, kCyan, kRed,
                                       kDrawingColour};

// The standard SXF colours 1-16 as COLORREF: black, red, green, blue,
// yellow, magenta, cyan, white, deep pink, brown, orange, light green,
// light blue, lavender, light grey, dark grey.
constexpr std::uint32_t kStandardSxfColours[] = {
    0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    0x8000C0, 0x4080C0, 0x0080FF, 0x80C080, 0xFF8080, 0xFF80C0, 0xC0C0C0, 0x808080};

// The standard SXF line types 1-15; 0 and user types beyond have no name.
constexpr const char* kStandardSxfLineTypes[] = {"",
                                                 "continuous",
                                                 "dashed",
                                                 "dashed spaced",
                                                 "long dashed dotted",
                                                 "long dashed double-dotted",
                                                 "long dashed triplicate-dotted",
                                                 "dotted",
                                                 "chain",
                                                 "chain double dash",
                                                 "dashed dotted",
                                                 "double-dashed dotted",
                                                 "dashed double-dotted",
                                                 "double-dashed double-dotted",
                                                 "dashed triplicate-dotted",
                                                 "double-dashed triplicate-dotted"};

// Colours whose channels lie this close together are black, white or grey.
constexpr int kGreyChannelSpread = 40;

// The store's six hues, at 0, 60, ... 300 degrees.
constexpr int kHues[6] = {kRed, kYellow, kGreen, kCyan, kBlue, kMagenta};

bool has_own_sxf_table(const JwwHeader& header) {
    return header.kind == JwwFileKind::Drawing && header.version >= kJwwVersionSxf;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The code of an SXF line-type name, by the pattern its words describe.
int sxf_line_type_code(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (contains(name, "double-dotted") || contains(name, "triplicate")) return kLinePhantom;
    if (contains(name, "dotted") && contains(name, "dash")) return kLineCenter;
    if (contains(name, "chain")) return kLineCenter;
    if (contains(name, "dotted")) return kLineDot;
    if (contains(name, "spaced")) return kLineDashed2;
    if (contains(name, "dash")) return kLineDashed;
    return kLineContinuous;
}

}  // namespace

int jww_rgb_store_colour(std::uint32_t colorref) {
    const int r = static_cast<int>(colorref & 0xFF), g = static_cast<int>(colorref >> 8 & 0xFF),
              b = static_cast<int>(colorref >> 16 & 0xFF);
    const int high = std::max({r, g, b}), low = std::min({r, g, b});
    if (high - low < kGreyChannelSpread) return kDrawingColour;
    const double spread = high - low;
    double hue;
    if (high == r) {
        hue = 60 * (g - b) / spread;
    } else if (high == g) {
        hue = 120 + 60 * (b - r) / spread;
    } else {
        hue = 240 + 60 * (r - g) / spread;
    }
    if (hue < 0) hue += 360;
    int nearest = kHues[0];
    double best = 360;
    for (int i = 0; i < 6; ++i) {
        const double d = std::abs(hue - 60 * i);
        const double distance = std::min(d, 360 - d);
        if (distance < best) {
            best = distance;
            nearest = kHues[i];
        }
    }
    return nearest;
}

int jww_store_colour(std::uint32_t colour_number, const JwwHeader& header) {
    if (colour_number < kJwwPens) return kPenColours[colour_number];
    const std::uint32_t n = colour_number - kJwwFirstSxfColour;
    if (colour_number < kJwwFirstSxfColour || n >= kJwwSxfColours) return kDrawingColour;
    if (has_own_sxf_table(header)) return jww_rgb_store_colour(header.sxf_colours[n]);
    if (n >= 1 && n <= std::size(kStandardSxfColours))
        return jww_rgb_store_colour(kStandardSxfColours[n - 1]);
    return kDrawingColour;
}

int jww_store_line_type(std::uint32_t pen_style, const JwwHeader& header) {
    if (pen_style >= 1 && pen_style <= 9) return static_cast<int>(pen_style);
    if (pen_style >= 16 && pen_style <= 19) return static_cast<int>(pen_style) - 10;
    const std::uint32_t n = pen_style - kJwwFirstSxfLineType;
    if (pen_style < kJwwFirstSxfLineType || n >= kJwwSxfLineTypes) return kLineContinuous;
    if (has_own_sxf_table(header) && !header.sxf_line_type_names[n].empty())
        return sxf_line_type_code(header.sxf_line_type_names[n]);
    return n < std::size(kStandardSxfLineTypes) ? sxf_line_type_code(kStandardSxfLineTypes[n])
                                                : kLineContinuous;
}

JwPaperSize jww_paper_size(std::uint32_t code) {
    constexpr double kSheetAspect = 1.4141356;
    switch (code) {
        case 13: return {50000, static_cast<int>(50000 / kSheetAspect)};
        case 14: return {100000, static_cast<int>(100000 / kSheetAspect)};
        default: return jw_paper_size(code > 12 ? -1 : static_cast<std::int32_t>(code));
    }
}

}  // namespace zov
