// The colour tables of both store kinds.
#include "render/colours.h"

#include <gtest/gtest.h>

#include "store/records.h"

namespace zov {
namespace {

Rgb dxf(int n) { return screen_colour(kSourceDxf, n).value(); }

TEST(Colours, ZeroAnd256KeepTheCurrentColour) {
    EXPECT_FALSE(screen_colour(kSourceDxf, 0));
    EXPECT_FALSE(screen_colour(kSourceDxf, 256));
    EXPECT_FALSE(screen_colour(kSourceJwCad, 256));
}

TEST(Colours, IndexColoursOfDxfStores) {
    EXPECT_EQ(dxf(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(dxf(5), (Rgb{0, 0, 255}));
    EXPECT_EQ(dxf(8), (Rgb{255, 255, 255}));
    // 10 to 249: v = (n mod 10) x 31 and the row g = n div 10.
    EXPECT_EQ(dxf(10), (Rgb{0, 0, 0}));         // v = 0
    EXPECT_EQ(dxf(11), (Rgb{248, 0, 0}));       // g 1: H, 0, 0 with H = 8 x 31
    EXPECT_EQ(dxf(23), (Rgb{232, 186, 186}));   // g 2: H, L, L with v = 93
    EXPECT_EQ(dxf(249), (Rgb{46, 46, 184}));    // g 24: L, L, H with v = 279, mod 256
    EXPECT_EQ(dxf(250), (Rgb{240, 240, 240}));
    EXPECT_EQ(dxf(255), (Rgb{40, 40, 40}));
    EXPECT_EQ(dxf(300), (Rgb{255, 255, 255}));
    EXPECT_EQ(dxf(-3), (Rgb{255, 255, 255}));
}

TEST(Colours, PenColoursOfJwCadStores) {
    EXPECT_EQ(screen_colour(kSourceJwCad, 1).value(), (Rgb{0, 255, 255}));
    EXPECT_EQ(screen_colour(kSourceJwCad, 6).value(), (Rgb{0, 0, 255}));
    EXPECT_EQ(screen_colour(kSourceJwCad, 7).value(), (Rgb{255, 0, 0}));
    EXPECT_EQ(screen_colour(kSourceJwCad, 8).value(), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace zov
