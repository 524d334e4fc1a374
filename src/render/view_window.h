#pragma once
// The view window: which part of the drawing the view shows and how drawing
// points map to pixels, with the fit after a load, the zoom limits, the
// three-step history, and zoom and pan by keys and wheel. It knows no window;
// the view passes in its client size.
#include <cmath>

#include "common/messages.h"

namespace zov {

// The scale at which paper-space entities are drawn among the model-space
// ones: the header's drawing scale, 200 when it gives none.
constexpr double paper_space_scale(double header_scale) {
    return header_scale == 0.0 ? 200.0 : header_scale;
}

// A window in flipped drawing coordinates (x, Ymax - y), y growing downward.
struct ViewRect {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    bool operator==(const ViewRect&) const = default;
};

// The drawing's extents from its store header.
struct DrawingExtents {
    double min_x = 0.0;
    double min_y = 0.0;
    double max_x = 0.0;
    double max_y = 0.0;
};

// Whether two extents share a point.
inline bool meets(const DrawingExtents& a, const DrawingExtents& b) {
    return a.min_x <= b.max_x && a.max_x >= b.min_x && a.min_y <= b.max_y && a.max_y >= b.min_y;
}

// Extents that meet every other.
inline constexpr DrawingExtents kWholePlane{-INFINITY, -INFINITY, INFINITY, INFINITY};

// Pixels about the view within which entities are still drawn: room for wide
// pens and point marks, whose boxes are their drawing coordinates alone.
inline constexpr int kReachPixels = 32;

enum class PanDirection { Left, Right, Up, Down };

// A drawing length or coordinate already scaled to pixels, truncated toward
// zero; values beyond the integer range saturate, and not-a-number lies far
// outside any window. Inline: every point of a pass goes through it.
inline int truncate_to_pixel(double value) {
    constexpr double kLimit = 1 << 30;
    if (std::isnan(value) || value >= kLimit) return static_cast<int>(kLimit);
    if (value <= -kLimit) return -static_cast<int>(kLimit);
    return static_cast<int>(value);
}

class ViewWindow {
public:
    explicit ViewWindow(Messages& messages) : messages_(messages) {}

    // Pixel of drawing point (x, y) and pixel length of drawing length.
    int pixel_x(double x) const { return truncate_to_pixel(view_scale * (x - origin_x) + 0.5); }
    int pixel_y(double y) const {
        return truncate_to_pixel(view_scale * ((flip_y - y) - origin_y) + 0.5);
    }
    int pixels(double length) const { return truncate_to_pixel(view_scale * length + 0.5); }

    // Window coordinates of a pixel.
    double window_x(int px) const { return origin_x + px / view_scale; }
    double window_y(int py) const { return origin_y + py / view_scale; }
    ViewRect window_of_pixels(int left, int top, int right, int bottom) const;
    // The part of the drawing that pixels left..right, top..bottom show.
    DrawingExtents area_of_pixels(int left, int top, int right, int bottom) const;

    void set_client_size(int width, int height);
    int client_width() const { return client_width_; }
    int client_height() const { return client_height_; }

    // On opening a new store: back to scale 1, no history, no zoom limit.
    void reset_view();
    // After the view opened its store: the drawing centred in a frame of
    // aspect 1 : 0.71 with its far edges on the last pixels, the history all
    // the whole drawing. `header_scale` is the header's drawing scale (0
    // gives a paper scale of 200).
    void fit_drawing(const DrawingExtents& extents, double header_scale);
    // Shows the window (x1, y1)-(x2, y2) with a uniform scale, within the
    // zoom limits, and pushes it onto the history.
    void set_view_window(double x1, double y1, double x2, double y2);
    void set_view_window(const ViewRect& rect) {
        set_view_window(rect.x1, rect.y1, rect.x2, rect.y2);
    }

    // Page Up / wheel forward, Page Down / wheel backward, arrow keys.
    void zoom_in();
    void zoom_out();
    void pan(PanDirection direction);

    // The whole-drawing window (Xmin, 0, Xmax, Ymax - Ymin).
    ViewRect whole_drawing() const;

    // Transform.
    double view_scale = 1.0;
    double origin_x = 0.0;
    double origin_y = 0.0;
    double flip_y = 0.0;
    bool detail = true;

    double max_scale = -1.0;  // negative: not set yet
    double fit_origin_x = 0.0;
    double fit_origin_y = 0.0;
    bool use_fit_origin = true;
    // history[0] current, history[1] previous, history[2] the one before.
    ViewRect history[3];
    ViewRect whole_window;
    double paper_scale = 200.0;
    DrawingExtents extents;

private:
    Messages& messages_;
    int client_width_ = 1;
    int client_height_ = 1;
};

}  // namespace zov
