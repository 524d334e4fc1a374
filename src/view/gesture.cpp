#include "view/gesture.h"

#include "common/japanese_texts.h"
#include "render/colours.h"

namespace zov {

namespace {

constexpr int T = Gesture::kThreshold;

const char* const kZoomModeStart = cp932_text(JaText::ZoomModeStart);
const char* const kZoomModeLeft = cp932_text(JaText::ZoomModeLeft);

StatusText action_status(GestureAction action, int x0, int y0) {
    return {x0 + 2, y0 - 15, Gesture::action_text(action)};
}

void draw_rectangle(Surface& surface, int x1, int y1, int x2, int y2) {
    surface.move_to(x1, y1);
    surface.line_to(x2, y1);
    surface.line_to(x2, y2);
    surface.line_to(x1, y2);
    surface.line_to(x1, y1);
}

void draw_band(Surface& surface, const RubberBand& band) {
    const int x0 = band.x0, y0 = band.y0;
    switch (band.action) {
        case GestureAction::Centre: break;
        case GestureAction::ZoomRect: draw_rectangle(surface, x0, y0, band.x, band.y); break;
        case GestureAction::WholePaper:
            draw_rectangle(surface, x0, y0, x0 - T, y0 - T);
            surface.move_to(x0, y0);
            surface.line_to(x0 - T, y0 - T);
            surface.move_to(x0 - T, y0);
            surface.line_to(x0, y0 - T);
            break;
        case GestureAction::Previous:
            draw_rectangle(surface, x0, y0, x0 - T / 2, y0 - T / 2);
            break;
        case GestureAction::BeforePrevious:
            draw_rectangle(surface, x0, y0, x0 - T / 2, y0 - T);
            break;
    }
}

}  // namespace

const char* const kZoomModeEndHint = cp932_text(JaText::ZoomModeEndHint);

const char* Gesture::action_text(GestureAction action) {
    switch (action) {
        case GestureAction::Centre: return cp932_text(JaText::GestureCentre);
        case GestureAction::WholePaper: return cp932_text(JaText::GestureWholePaper);
        case GestureAction::ZoomRect: return cp932_text(JaText::GestureZoomRect);
        case GestureAction::Previous: return cp932_text(JaText::GesturePrevious);
        case GestureAction::BeforePrevious: return cp932_text(JaText::GestureBeforePrevious);
    }
    return "";
}

GestureAction Gesture::action_for(int x0, int y0, int x, int y) {
    // The tests in this order; a later match wins.
    GestureAction action = GestureAction::Centre;
    if (x > x0 && y + T < y0) action = GestureAction::WholePaper;
    if (x + T < x0 && y + T < y0) action = GestureAction::BeforePrevious;
    if (x + T < x0 && y > y0 + T) action = GestureAction::Previous;
    if (x > x0 + T / 4 && y > y0 + T / 4) action = GestureAction::ZoomRect;
    return action;
}

void Gesture::reset() {
    left_down_ = right_down_ = active_ = captured_ = zoom_mode_ = false;
    action_ = GestureAction::Centre;
    shown_band_.reset();
}

GestureResponse Gesture::press(MouseButton button, int x, int y) {
    GestureResponse response;
    const bool starts =
        !active_ && (button == MouseButton::Left ? (right_down_ || zoom_mode_) : left_down_);
    (button == MouseButton::Left ? left_down_ : right_down_) = true;
    if (!starts) return response;
    active_ = true;
    captured_ = true;
    press_x_ = x;
    press_y_ = y;
    action_ = GestureAction::Centre;
    shown_band_.reset();
    view_.whole_window = view_.whole_drawing();
    response.capture = true;
    response.handled = true;
    response.status = action_status(action_, x, y);
    return response;
}

GestureResponse Gesture::move(int x, int y) {
    GestureResponse response;
    if (!active_) return response;
    response.handled = true;
    action_ = action_for(press_x_, press_y_, x, y);
    response.erase = shown_band_;
    shown_band_.reset();
    if (action_ != GestureAction::Centre)
        shown_band_ = RubberBand{action_, press_x_, press_y_, x, y};
    response.band = shown_band_;
    response.status = action_status(action_, press_x_, press_y_);
    view_.whole_window = action_ == GestureAction::ZoomRect
                             ? view_.window_of_pixels(press_x_, press_y_, x, y)
                             : view_.whole_drawing();
    return response;
}

void Gesture::perform(int x, int y) {
    const int w = view_.client_width(), h = view_.client_height();
    switch (action_) {
        case GestureAction::Centre: {
            const int left = x - w / 2, top = y - h / 2;
            view_.set_view_window(view_.window_of_pixels(left, top, left + w, top + h));
            break;
        }
        case GestureAction::WholePaper:
            view_.use_fit_origin = true;
            view_.set_view_window(view_.whole_window);
            break;
        case GestureAction::ZoomRect: view_.set_view_window(view_.whole_window); break;
        case GestureAction::Previous: {
            const ViewRect previous = view_.history[1];
            view_.set_view_window(previous);
            break;
        }
        case GestureAction::BeforePrevious: {
            const ViewRect before = view_.history[2];
            view_.set_view_window(before);
            break;
        }
    }
}

GestureResponse Gesture::release(MouseButton button, int x, int y) {
    GestureResponse response;
    response.handled = captured_;
    if (button == MouseButton::Right && zoom_mode_) {
        zoom_mode_ = false;
        right_down_ = false;
        active_ = false;
        captured_ = false;
        shown_band_.reset();
        response.handled = true;
        response.release_capture = true;
        response.beep = true;
        response.status = StatusText{0, 0, kZoomModeLeft};
        return response;
    }
    (button == MouseButton::Left ? left_down_ : right_down_) = false;
    if (button == MouseButton::Left && active_) {
        perform(x, y);
        response.redraw = true;
        active_ = false;
        shown_band_.reset();
    }
    const bool other_down = button == MouseButton::Left ? right_down_ : left_down_;
    if (captured_ && !other_down) {
        captured_ = false;
        active_ = false;
        response.release_capture = true;
    }
    return response;
}

GestureResponse Gesture::enter_zoom_mode() {
    GestureResponse response;
    zoom_mode_ = true;
    right_down_ = true;
    response.beep = true;
    response.status = StatusText{0, 0, kZoomModeStart};
    return response;
}

void draw_status_text(Surface& surface, const StatusText& status) {
    if (!surface.select_font({kGothicFace, 12, 0, 400})) return;
    surface.set_text_colour(kRed);
    surface.set_background_opaque(true);
    surface.text_out(status.x, status.y, status.text);
    surface.set_background_opaque(false);
}

void draw_gesture_response(Surface& surface, const GestureResponse& response) {
    if (response.erase || response.band) {
        surface.set_xor_drawing(true);
        surface.select_pen(PenStyle::Solid, 1, kRed);
        if (response.erase) draw_band(surface, *response.erase);
        if (response.band) draw_band(surface, *response.band);
        surface.set_xor_drawing(false);
    }
    if (response.status) draw_status_text(surface, *response.status);
}

}  // namespace zov
