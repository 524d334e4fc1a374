#pragma once
// The two-button mouse gesture and zoom mode as a state machine: the view
// passes in button and move events and gets back what to show (rubber band,
// status text) and whether the view window changed and needs a redraw.
#include <optional>
#include <string>

#include "render/surface.h"
#include "render/view_window.h"

namespace zov {

enum class MouseButton { Left, Right };

// What a gesture does on the left-button release.
enum class GestureAction {
    Centre = 0,      // centre the view on the release point
    WholePaper = 1,  // the whole drawing, fitted
    ZoomRect = 2,    // zoom to the dragged rectangle
    Previous = 3,    // the previous window
    BeforePrevious = 4,
};

// The rubber band of an action, drawn from the press pixel (x0, y0); (x, y)
// is the current pixel, used by the zoom rectangle.
struct RubberBand {
    GestureAction action = GestureAction::Centre;
    int x0 = 0, y0 = 0, x = 0, y = 0;
};

struct StatusText {
    int x = 0, y = 0;
    std::string text;  // CP932
};

struct GestureResponse {
    std::optional<RubberBand> erase;  // the band shown before, drawn again to erase it
    std::optional<RubberBand> band;   // the band to show now
    std::optional<StatusText> status;
    bool capture = false;          // the view takes the mouse (and shows the zoom cursor)
    bool release_capture = false;  // the view lets the mouse go
    bool redraw = false;           // the view window changed
    bool beep = false;
    bool handled = false;  // the event belonged to the gesture (no layer-sheet click)
};

class Gesture {
public:
    static constexpr int kThreshold = 24;  // pixels

    explicit Gesture(ViewWindow& view) : view_(view) {}

    GestureResponse press(MouseButton button, int x, int y);
    GestureResponse move(int x, int y);
    GestureResponse release(MouseButton button, int x, int y);
    // The zoom command: a single left drag then performs the gesture until
    // the right button is released.
    GestureResponse enter_zoom_mode();
    // Clears the gesture state (on opening a new store).
    void reset();

    bool active() const { return active_; }
    bool zoom_mode() const { return zoom_mode_; }
    GestureAction action() const { return action_; }

    // The action that a drag from (x0, y0) to (x, y) selects.
    static GestureAction action_for(int x0, int y0, int x, int y);
    // The status text shown for an action (CP932).
    static const char* action_text(GestureAction action);

private:
    void perform(int x, int y);

    ViewWindow& view_;
    bool left_down_ = false;
    bool right_down_ = false;
    bool active_ = false;
    bool captured_ = false;
    bool zoom_mode_ = false;
    int press_x_ = 0;
    int press_y_ = 0;
    GestureAction action_ = GestureAction::Centre;
    std::optional<RubberBand> shown_band_;
};

// The text of a zoom-mode pass end, shown at the client's top-left corner.
extern const char* const kZoomModeEndHint;

// Draws a response: erases and draws the rubber bands with the XOR red pen,
// then the status text.
void draw_gesture_response(Surface& surface, const GestureResponse& response);
// Status texts: 12-pixel gothic, red, on an opaque background.
void draw_status_text(Surface& surface, const StatusText& status);

}  // namespace zov
