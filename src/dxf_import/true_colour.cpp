#include "dxf_import/true_colour.h"

#include <cmath>

#include "dxf_import/dxf_readers.h"

namespace zov {

namespace {

struct Rgb {
    int r, g, b;
};

// The standard colour of an index: 1 to 9 named colours, 10 to 249 24 hues
// in steps of 15 degrees at five brightness levels, each full and half
// saturated, 250 to 255 greys.
Rgb standard_colour(int index) {
    static constexpr Rgb kNamed[10] = {
        {0, 0, 0},   {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
        {0, 0, 255}, {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
    static constexpr int kGreys[6] = {51, 91, 132, 173, 214, 255};
    static constexpr double kLevels[5] = {255, 165, 127, 76, 38};
    if (index < 10) return kNamed[index];
    if (index >= 250) return {kGreys[index - 250], kGreys[index - 250], kGreys[index - 250]};
    // Ten indices share one hue, the hues 15 degrees apart.
    const int hue_band = (index - 10) / 10;
    const double hue = hue_band * 15.0;
    const double value = kLevels[(index % 10) / 2];
    const bool pale = index % 2 == 1;
    // A channel peaking at hue `peak`: full within 60 degrees of it, fading
    // over the next 60, off beyond; a pale colour lies halfway to white.
    auto channel = [&](double peak) {
        const double distance = std::fabs(std::remainder(hue - peak, 360.0));
        const double full = distance <= 60 ? 1.0 : distance < 120 ? (120 - distance) / 60 : 0.0;
        const double c = std::floor(value * full);
        return static_cast<int>(pale ? value - std::floor((value - c) / 2) : c);
    };
    return {channel(0), channel(120), channel(240)};
}

}  // namespace

int true_colour_index(int rgb) {
    const int foreground = colour_for_black_true_colour(rgb);
    return foreground != 0 ? foreground : nearest_colour_index(rgb);
}

int nearest_colour_index(int rgb) {
    const Rgb wanted{(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255};
    int best = 7;
    long best_distance = -1;
    for (int index = 1; index <= 255; ++index) {
        const Rgb c = standard_colour(index);
        const long distance = static_cast<long>(c.r - wanted.r) * (c.r - wanted.r) +
                              static_cast<long>(c.g - wanted.g) * (c.g - wanted.g) +
                              static_cast<long>(c.b - wanted.b) * (c.b - wanted.b);
        if (best_distance < 0 || distance < best_distance) {
            best = index;
            best_distance = distance;
        }
    }
    return best;
}

}  // namespace zov
