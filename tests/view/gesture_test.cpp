// The two-button gesture and zoom mode as a state machine.
#include "view/gesture.h"

#include <gtest/gtest.h>

#include "common/encoding.h"
#include "common/messages.h"
#include "render/recording_surface.h"

namespace zov {
namespace {

using Calls = std::vector<std::string>;

class GestureTest : public ::testing::Test {
protected:
    GestureTest() : view(messages), gesture(view) {
        view.set_client_size(200, 142);
        view.reset_view();
        view.fit_drawing({0, 0, 100, 50}, 1.0);  // scale 1.99, origin (0, -10.5)
        view.use_fit_origin = false;             // as after the first pass
    }

    // Right button held, left pressed at (x0, y0), dragged to (x, y) and released.
    GestureResponse drag(int x0, int y0, int x, int y) {
        gesture.press(MouseButton::Right, x0, y0);
        gesture.press(MouseButton::Left, x0, y0);
        gesture.move(x, y);
        GestureResponse released = gesture.release(MouseButton::Left, x, y);
        gesture.release(MouseButton::Right, x, y);
        return released;
    }

    RecordingMessages messages;
    ViewWindow view;
    Gesture gesture;
};

TEST(GestureActions, ChosenByTheDirectionOfTheDrag) {
    auto action = [](int x, int y) { return Gesture::action_for(100, 100, x, y); };
    EXPECT_EQ(action(110, 70), GestureAction::WholePaper);
    EXPECT_EQ(action(101, 75), GestureAction::WholePaper);
    EXPECT_EQ(action(101, 76), GestureAction::Centre);
    EXPECT_EQ(action(70, 70), GestureAction::BeforePrevious);
    EXPECT_EQ(action(70, 130), GestureAction::Previous);
    EXPECT_EQ(action(75, 130), GestureAction::Previous);
    EXPECT_EQ(action(76, 130), GestureAction::Centre);
    EXPECT_EQ(action(107, 107), GestureAction::ZoomRect);
    EXPECT_EQ(action(106, 130), GestureAction::Centre);
    EXPECT_EQ(action(100, 80), GestureAction::Centre);
    EXPECT_EQ(cp932_to_utf8(Gesture::action_text(GestureAction::Previous)), "□ 前倍率 □");
    EXPECT_EQ(cp932_to_utf8(Gesture::action_text(GestureAction::BeforePrevious)), "◇前前倍率◇");
    EXPECT_EQ(cp932_to_utf8(Gesture::action_text(GestureAction::WholePaper)), "用紙全体表示");
}

TEST_F(GestureTest, StartsOnlyWithBothButtons) {
    EXPECT_FALSE(gesture.press(MouseButton::Left, 10, 10).capture);
    EXPECT_FALSE(gesture.active());
    const GestureResponse started = gesture.press(MouseButton::Right, 10, 10);
    EXPECT_TRUE(started.capture);
    EXPECT_TRUE(gesture.active());
    ASSERT_TRUE(started.status);
    EXPECT_EQ(started.status->x, 12);
    EXPECT_EQ(started.status->y, -5);
    EXPECT_EQ(cp932_to_utf8(started.status->text), "センタリング");
}

TEST_F(GestureTest, ShortDragCentresTheViewOnTheReleasePoint) {
    const double x = view.origin_x, y = view.origin_y, scale = view.view_scale;
    const GestureResponse released = drag(100, 71, 104, 76);  // too short for an action
    EXPECT_TRUE(released.redraw);
    EXPECT_TRUE(released.handled);
    EXPECT_DOUBLE_EQ(view.view_scale, scale);
    EXPECT_DOUBLE_EQ(view.origin_x, x + 4 / scale);
    EXPECT_DOUBLE_EQ(view.origin_y, y + 5 / scale);
    EXPECT_FALSE(gesture.active());
}

TEST_F(GestureTest, PreviousRightAfterALoadShowsTheWholeDrawingAtTheTopLeft) {
    drag(100, 71, 70, 100);
    EXPECT_DOUBLE_EQ(view.origin_x, 0.0);
    EXPECT_DOUBLE_EQ(view.origin_y, 0.0);
    EXPECT_DOUBLE_EQ(view.view_scale, 2.0);
}

TEST_F(GestureTest, ZoomRectangleThenWholePaper) {
    const double x = view.origin_x, y = view.origin_y, scale = view.view_scale;
    drag(20, 20, 120, 90);
    EXPECT_DOUBLE_EQ(view.origin_x, x + 20 / scale);
    EXPECT_DOUBLE_EQ(view.origin_y, y + 20 / scale);
    EXPECT_DOUBLE_EQ(view.view_scale, 2 * scale);  // 100 x 70 pixels onto 200 x 142

    drag(100, 71, 120, 40);
    EXPECT_DOUBLE_EQ(view.origin_x, 0.0);
    EXPECT_DOUBLE_EQ(view.origin_y, -10.5);
    EXPECT_DOUBLE_EQ(view.view_scale, 2.0);  // the whole drawing, 100 units on 200 pixels
}

TEST_F(GestureTest, RubberBandIsErasedBeforeTheNextOneAndDrawnWithXor) {
    gesture.press(MouseButton::Right, 20, 40);
    gesture.press(MouseButton::Left, 20, 40);
    const GestureResponse first = gesture.move(120, 90);
    const GestureResponse second = gesture.move(130, 95);
    ASSERT_TRUE(second.erase);
    EXPECT_EQ(second.erase->x, 120);
    EXPECT_EQ(second.band->x, 130);

    RecordingSurface surface(200, 142);
    draw_gesture_response(surface, first);
    EXPECT_EQ(surface.calls,
              (Calls{"xor on", "pen solid 1 255,0,0", "move 20,40", "line 120,40", "line 120,90",
                     "line 20,90", "line 20,40", "xor off", "font ＭＳ ゴシック 12 0 400",
                     "textcolour 255,0,0", "background opaque", "text 22,25 ■  拡大  ■",
                     "background transparent"}));

    surface.calls.clear();
    // Whole paper: the zoom band erased, then a square and its diagonals.
    draw_gesture_response(surface, gesture.move(130, 10));
    EXPECT_EQ(surface.calls.size(), 2u + 5u + 9u + 1u + 5u);
}

TEST_F(GestureTest, ZoomModeNeedsOnlyTheLeftButtonUntilTheRightIsReleased) {
    const double scale = view.view_scale;
    const GestureResponse entered = gesture.enter_zoom_mode();
    EXPECT_TRUE(entered.beep);
    EXPECT_EQ(cp932_to_utf8(entered.status->text), "ズームモード(全画面･縮小･移動)");
    EXPECT_TRUE(gesture.press(MouseButton::Left, 20, 20).capture);
    gesture.move(120, 90);
    const GestureResponse zoomed = gesture.release(MouseButton::Left, 120, 90);
    EXPECT_TRUE(zoomed.redraw);
    EXPECT_FALSE(zoomed.release_capture);
    EXPECT_DOUBLE_EQ(view.view_scale, 2 * scale);
    EXPECT_TRUE(gesture.press(MouseButton::Left, 50, 50).capture);  // and again

    const GestureResponse left = gesture.release(MouseButton::Right, 50, 50);
    EXPECT_FALSE(gesture.zoom_mode());
    EXPECT_TRUE(left.beep);
    EXPECT_TRUE(left.handled);
    EXPECT_EQ(cp932_to_utf8(left.status->text), "  ズームモードは終了しました  ");
}

TEST_F(GestureTest, ReleasingTheRightButtonFirstKeepsTheGesture) {
    const double scale = view.view_scale;
    gesture.press(MouseButton::Left, 20, 20);
    gesture.press(MouseButton::Right, 20, 20);
    EXPECT_TRUE(gesture.release(MouseButton::Right, 20, 20).handled);
    EXPECT_TRUE(gesture.active());
    gesture.move(120, 90);
    EXPECT_TRUE(gesture.release(MouseButton::Left, 120, 90).redraw);
    EXPECT_DOUBLE_EQ(view.view_scale, 2 * scale);
    // A later single click belongs to no gesture.
    gesture.press(MouseButton::Left, 5, 5);
    EXPECT_FALSE(gesture.release(MouseButton::Left, 5, 5).handled);
}

}  // namespace
}  // namespace zov
