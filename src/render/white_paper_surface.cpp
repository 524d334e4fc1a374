#include "render/white_paper_surface.h"

#include "render/colours.h"

namespace zov {

namespace {

// Colours lighter than this (perceived brightness, 0 to 255) are darkened
// to it, keeping their hue: yellow and cyan lines stay yellow and cyan but
// can be seen on white.
constexpr int kBrightestOnPaper = 140;

int brightness(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

}  // namespace

Rgb on_white_paper(Rgb screen) {
    if (screen == kWhite) return kBlack;
    const int light = brightness(screen);
    if (light <= kBrightestOnPaper) return screen;
    auto dim = [light](std::uint8_t channel) {
        return static_cast<std::uint8_t>(channel * kBrightestOnPaper / light);
    };
    return {dim(screen.r), dim(screen.g), dim(screen.b)};
}

Rgb white_paper_fill(Rgb screen) { return screen == kBlack ? kWhite : on_white_paper(screen); }

}  // namespace zov
