// Keys, wheel, the two-button gesture and zoom mode in the real view: the
// view window and its history change as the navigation rules say, and the
// rubber band and status texts land on the picture between passes.
#include "viewer/viewer_commands.h"
#include "window_fixture.h"

namespace zov {
namespace {

const QColor kRed(255, 0, 0);

class Navigation : public WindowTest {
protected:
    void SetUp() override { start({kSamples + "dxf/plan.dxf"}); }
    ViewWindow& view_window() { return window->view().view; }
};

TEST_F(Navigation, KeysAndWheelZoomAndPanAboutTheWindowCentre) {
    const double fit = view_window().view_scale;
    const QImage fitted = picture();
    key(Qt::Key_PageUp);
    EXPECT_NEAR(view_window().view_scale / fit, 1.0 / 0.7, 0.02);
    EXPECT_NE(picture(), fitted);
    key(Qt::Key_PageDown);
    EXPECT_NEAR(view_window().view_scale / fit, 1.0 / (0.7 * 1.3), 0.02);

    const double x = view_window().origin_x, y = view_window().origin_y;
    const double step = (view().width() / 10) / view_window().view_scale;
    key(Qt::Key_Right);
    EXPECT_NEAR(view_window().origin_x, x + step, 1e-6 * step + 1e-9);
    key(Qt::Key_Left);
    EXPECT_NEAR(view_window().origin_x, x, 1e-6 * step + 1e-9);
    key(Qt::Key_Down);
    EXPECT_NEAR(view_window().origin_y, y + step, 1e-6 * step + 1e-9);
    const QImage before_up = picture();
    key(Qt::Key_Up);
    EXPECT_NEAR(view_window().origin_y, y, 1e-6 * step + 1e-9);
    EXPECT_NE(picture(), before_up);

    const double scale = view_window().view_scale;
    wheel(120);
    EXPECT_NEAR(view_window().view_scale / scale, 1.0 / 0.7, 0.02);
    wheel(-120);
    EXPECT_LT(view_window().view_scale, scale * 1.2);
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(Navigation, ZoomInStopsAtItsLimitWithAMessage) {
    for (int i = 0; i < 20 && messages.entries.empty(); ++i) key(Qt::Key_PageUp);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(message(0), "これ以上拡大できません");
    EXPECT_DOUBLE_EQ(view_window().view_scale, 0.98 * view_window().max_scale);
    EXPECT_EQ(title(), "plan.dxf - ZovView");
}

TEST_F(Navigation, BothButtonDragZoomsToTheRectangleWithARubberBand) {
    const ViewRect fitted = view_window().history[0];
    press(Qt::LeftButton, Qt::LeftButton, {100, 100});
    press(Qt::RightButton, Qt::LeftButton | Qt::RightButton, {100, 100});
    EXPECT_TRUE(window->view().gesture.active());
    EXPECT_EQ(view().cursor().shape(), Qt::BitmapCursor);  // the zoom cursor
    move(Qt::LeftButton | Qt::RightButton, {300, 250});
    EXPECT_EQ(window->view().gesture.action(), GestureAction::ZoomRect);
    // The red band along the rectangle's edges (XOR red on the black ground).
    EXPECT_GT(count_colour(picture(), QRect(100, 250, 201, 1), kRed), 150);
    EXPECT_GT(count_colour(picture(), QRect(300, 110, 1, 130), kRed), 100);
    // Moving on erases the first band.
    move(Qt::LeftButton | Qt::RightButton, {200, 180});
    EXPECT_LT(count_colour(picture(), QRect(100, 250, 201, 1), kRed), 20);
    EXPECT_GT(count_colour(picture(), QRect(100, 180, 101, 1), kRed), 80);

    const ViewRect wanted = view_window().window_of_pixels(100, 100, 200, 180);
    release(Qt::LeftButton, Qt::RightButton, {200, 180});
    release(Qt::RightButton, Qt::NoButton, {200, 180});
    EXPECT_FALSE(window->view().gesture.active());
    EXPECT_FALSE(view().testAttribute(Qt::WA_SetCursor));  // the usual cursor again
    EXPECT_EQ(view_window().history[0], wanted);
    EXPECT_EQ(view_window().history[1], fitted);
    // The pass after the gesture shows no band any more.
    EXPECT_LT(count_colour(picture(), QRect(100, 180, 101, 1), kRed), 20);
}

TEST_F(Navigation, GestureDirectionsPickTheOtherActions) {
    const double fit_scale = view_window().view_scale;
    const double fit_x = view_window().origin_x, fit_y = view_window().origin_y;
    key(Qt::Key_PageUp);
    const ViewRect zoomed = view_window().history[0];
    key(Qt::Key_Right);
    const ViewRect panned = view_window().history[0];

    auto drag = [this](QPoint from, QPoint to) {
        press(Qt::RightButton, Qt::RightButton, from);
        press(Qt::LeftButton, Qt::LeftButton | Qt::RightButton, from);
        move(Qt::LeftButton | Qt::RightButton, to);
        const GestureAction action = window->view().gesture.action();
        release(Qt::LeftButton, Qt::RightButton, to);
        release(Qt::RightButton, Qt::NoButton, to);
        return action;
    };
    // Down and left: the previous window.
    EXPECT_EQ(drag({400, 300}, {370, 340}), GestureAction::Previous);
    EXPECT_EQ(view_window().history[0], zoomed);
    EXPECT_EQ(view_window().history[1], panned);
    // Up and left: the window before the previous one (the zoomed one again,
    // which the previous step pushed behind the panned one).
    EXPECT_EQ(drag({400, 300}, {370, 260}), GestureAction::BeforePrevious);
    EXPECT_EQ(view_window().history[0], zoomed);
    EXPECT_EQ(view_window().history[2], panned);
    key(Qt::Key_Right);
    EXPECT_EQ(drag({400, 300}, {370, 260}), GestureAction::BeforePrevious);
    EXPECT_EQ(view_window().history[0], zoomed);
    // Up and right: the whole paper from the fit origin (the whole drawing's
    // window, a little wider than the fit's).
    EXPECT_EQ(drag({400, 300}, {420, 260}), GestureAction::WholePaper);
    EXPECT_EQ(view_window().history[0], view_window().whole_drawing());
    EXPECT_NEAR(view_window().view_scale / fit_scale, 1.0, 0.01);
    EXPECT_DOUBLE_EQ(view_window().origin_x, fit_x);
    EXPECT_DOUBLE_EQ(view_window().origin_y, fit_y);
    const double scale = view_window().view_scale;
    const double x = view_window().origin_x;
    // A short drag centres the view on the release point, scale kept.
    EXPECT_EQ(drag({400, 300}, {410, 305}), GestureAction::Centre);
    EXPECT_DOUBLE_EQ(view_window().view_scale, scale);
    EXPECT_NEAR(view_window().origin_x, x + (410 - view().width() / 2) / scale, 1e-6);
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(Navigation, ZoomModeTakesASingleLeftDragUntilTheRightButton) {
    const QImage fitted = picture();
    window->run_command(kCmdZoom);
    EXPECT_TRUE(window->view().gesture.zoom_mode());
    // "ズームモード(全画面･縮小･移動)" in red at the top-left corner.
    EXPECT_GT(count_reddish(picture(), QRect(0, 0, 200, 14)), 30);

    press(Qt::LeftButton, Qt::LeftButton, {100, 100});
    move(Qt::LeftButton, {300, 250});
    EXPECT_EQ(window->view().gesture.action(), GestureAction::ZoomRect);
    const ViewRect wanted = view_window().window_of_pixels(100, 100, 300, 250);
    release(Qt::LeftButton, Qt::NoButton, {300, 250});
    EXPECT_EQ(view_window().history[0], wanted);
    // Every pass in zoom mode ends with its hint, and zoom mode stays.
    EXPECT_TRUE(window->view().gesture.zoom_mode());
    EXPECT_GT(count_reddish(picture(), QRect(0, 0, 200, 14)), 30);

    press(Qt::RightButton, Qt::RightButton, {50, 50});
    release(Qt::RightButton, Qt::NoButton, {50, 50});
    EXPECT_FALSE(window->view().gesture.zoom_mode());
    // Outside zoom mode a single left drag does nothing.
    const ViewRect now = view_window().history[0];
    press(Qt::LeftButton, Qt::LeftButton, {100, 100});
    move(Qt::LeftButton, {300, 250});
    release(Qt::LeftButton, Qt::NoButton, {300, 250});
    EXPECT_EQ(view_window().history[0], now);
    EXPECT_NE(picture(), fitted);
}

}  // namespace
}  // namespace zov
