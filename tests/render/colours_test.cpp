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

TEST(Colours, IndexColoursOfDxfStoresAreThePublishedPalette) {
    EXPECT_EQ(dxf(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(dxf(5), (Rgb{0, 0, 255}));
    EXPECT_EQ(dxf(8), (Rgb{128, 128, 128}));
    // The rows of ten: full, light, 65 %, light 65 %, half, light half, ...
    EXPECT_EQ(dxf(10), (Rgb{255, 0, 0}));
    EXPECT_EQ(dxf(60), (Rgb{191, 255, 0}));
    EXPECT_EQ(dxf(83), (Rgb{103, 165, 82}));  // a green, not magenta
    EXPECT_EQ(dxf(140), (Rgb{0, 191, 255}));
    EXPECT_EQ(dxf(170), (Rgb{0, 0, 255}));
    // The greys 250 to 255 run from dark to white.
    EXPECT_EQ(dxf(250), (Rgb{51, 51, 51}));
    EXPECT_EQ(dxf(254), (Rgb{190, 190, 190}));
    EXPECT_EQ(dxf(255), (Rgb{255, 255, 255}));
    EXPECT_EQ(dxf(300), (Rgb{255, 255, 255}));
    EXPECT_EQ(dxf(-3), (Rgb{255, 255, 255}));
    for (int n = 1; n <= 255; ++n) EXPECT_NE(dxf(n), kBlack) << n;
}

TEST(Colours, NothingIsDrawnInTheBackgroundBlack) {
    EXPECT_EQ(visible_on_black(kBlack), kVisibleGrey);
    EXPECT_EQ(visible_on_black(Rgb{10, 20, 5}), kVisibleGrey);
    EXPECT_EQ(visible_on_black(Rgb{38, 0, 0}), (Rgb{38, 0, 0}));  // index 18 stays itself
    EXPECT_EQ(visible_on_black(kRed), kRed);
}

TEST(Colours, PenColoursOfJwCadStores) {
    EXPECT_EQ(screen_colour(kSourceJwCad, 1).value(), (Rgb{0, 255, 255}));
    EXPECT_EQ(screen_colour(kSourceJwCad, 6).value(), (Rgb{0, 0, 255}));
    EXPECT_EQ(screen_colour(kSourceJwCad, 7).value(), (Rgb{255, 0, 0}));
    EXPECT_EQ(screen_colour(kSourceJwCad, 8).value(), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace zov
