// The view window: fit, limits with their messages, history, keys.
#include "render/view_window.h"

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "common/messages.h"

namespace zov {
namespace {

const std::string kCannotEnlarge = utf8_to_cp932("これ以上拡大できません");
const std::string kCannotReduce = utf8_to_cp932("これ以上縮小できません");

class ViewWindowTest : public ::testing::Test {
protected:
    ViewWindowTest() : view(messages) {
        view.set_client_size(200, 142);
        view.reset_view();
    }
    RecordingMessages messages;
    ViewWindow view;
};

TEST_F(ViewWindowTest, FitCentresAWideDrawingVerticallyAndFillsTheHistory) {
    view.fit_drawing({10, 20, 110, 50}, 50.0);
    EXPECT_DOUBLE_EQ(view.paper_scale, 50.0);
    EXPECT_DOUBLE_EQ(view.flip_y, 50.0);
    // e = 100, f = 30: 0.71 e > f, so the frame is centred vertically.
    EXPECT_DOUBLE_EQ(view.fit_origin_x, 10.0);
    EXPECT_DOUBLE_EQ(view.fit_origin_y, (30.0 - 71.0) / 2.0);
    EXPECT_DOUBLE_EQ(view.origin_y, view.fit_origin_y);
    const ViewRect whole{10, 0, 110, 30};
    EXPECT_EQ(view.history[1], whole);
    EXPECT_EQ(view.history[2], whole);
    // The window reaches one pixel further, so that the drawing's right and
    // bottom edges fall on the last pixels: 100 units over 199 pixels.
    EXPECT_EQ(view.history[0], (ViewRect{10, -20.5, 110 + 100.0 / 199, 30 + 50.5 / 141}));
    EXPECT_DOUBLE_EQ(view.view_scale, 1.99);
    EXPECT_DOUBLE_EQ(view.max_scale, 80 * 1.99);
    EXPECT_EQ(view.pixel_x(110), 199);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(ViewWindowTest, FitCentresATallDrawingHorizontally) {
    view.fit_drawing({0, 0, 10, 71}, 0.0);
    EXPECT_DOUBLE_EQ(view.paper_scale, 200.0);
    EXPECT_NEAR(view.fit_origin_x, -(71.0 / 0.71 - 10.0) / 2.0, 1e-9);
    EXPECT_DOUBLE_EQ(view.fit_origin_y, 0.0);
}

TEST_F(ViewWindowTest, ZeroExtentTakesTheScaleFromTheOtherDirection) {
    view.fit_drawing({0, 5, 100, 5}, 1.0);
    EXPECT_DOUBLE_EQ(view.view_scale, 1.99);
}

TEST_F(ViewWindowTest, ZoomingInStopsAtEightyTimesTheFit) {
    view.fit_drawing({0, 0, 100, 71}, 1.0);
    const double fit = view.view_scale;
    int steps = 0;
    while (messages.entries.empty() && steps < 100) {
        view.zoom_in();
        ++steps;
    }
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.last(), kCannotEnlarge);
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Information);
    EXPECT_DOUBLE_EQ(view.view_scale, 0.98 * 80.0 * fit);
    EXPECT_GT(steps, 10);
}

TEST_F(ViewWindowTest, ZoomingOutStopsBelowOneTwoThousandthOfTheLimit) {
    view.fit_drawing({0, 0, 100, 71}, 1.0);
    while (messages.entries.empty()) view.zoom_out();
    EXPECT_EQ(messages.last(), kCannotReduce);
    EXPECT_DOUBLE_EQ(view.view_scale, view.max_scale / 1900.98);
}

TEST_F(ViewWindowTest, KeysZoomAboutTheCentreAndPanByATenth) {
    view.fit_drawing({0, 0, 100, 71}, 1.0);
    view.use_fit_origin = false;
    view.set_view_window(0, 0, 100, 71);
    // Zoom in: 30% of the half width and height cut from each side, so
    // (30, 21)-(170, 121) of 200 x 142 pixels at scale 2.
    view.zoom_in();
    EXPECT_EQ(view.history[0], (ViewRect{15, 10.5, 85, 60.5}));
    EXPECT_NEAR(view.view_scale, 142.0 / 50.0, 1e-9);
    const double x = view.origin_x, y = view.origin_y, scale = view.view_scale;
    view.pan(PanDirection::Right);
    EXPECT_NEAR(view.origin_x, x + 20.0 / scale, 1e-9);
    view.pan(PanDirection::Up);
    EXPECT_NEAR(view.origin_y, y - 20.0 / scale, 1e-9);
    EXPECT_DOUBLE_EQ(view.view_scale, scale);
}

TEST_F(ViewWindowTest, ReversedCornersAreAccepted) {
    view.fit_drawing({0, 0, 100, 71}, 1.0);
    view.use_fit_origin = false;
    view.set_view_window(60, 40, 10, 5);
    EXPECT_EQ(view.history[0], (ViewRect{10, 5, 60, 40}));
    EXPECT_DOUBLE_EQ(view.origin_x, 10);
    EXPECT_DOUBLE_EQ(view.origin_y, 5);
    EXPECT_DOUBLE_EQ(view.view_scale, 4.0);
}

}  // namespace
}  // namespace zov
