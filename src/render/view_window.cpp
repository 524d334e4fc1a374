#include "render/view_window.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "common/japanese_texts.h"

namespace zov {

namespace {

constexpr double kFitAspect = 0.71;
constexpr double kZoomInLimit = 80.0;
constexpr double kDetailScale = 0.015;
constexpr int kZoomPercent = 30;

const char* const kCannotEnlarge = cp932_text(JaText::CannotEnlarge);
const char* const kCannotReduce = cp932_text(JaText::CannotReduce);

double finite_or_zero(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

ViewRect ViewWindow::window_of_pixels(int left, int top, int right, int bottom) const {
    return {window_x(left), window_y(top), window_x(right), window_y(bottom)};
}

DrawingExtents ViewWindow::area_of_pixels(int left, int top, int right, int bottom) const {
    const double x1 = window_x(left), x2 = window_x(right);
    const double y1 = flip_y - window_y(top), y2 = flip_y - window_y(bottom);
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void ViewWindow::set_client_size(int width, int height) {
    client_width_ = std::max(width, 1);
    client_height_ = std::max(height, 1);
}

void ViewWindow::reset_view() {
    use_fit_origin = true;
    for (ViewRect& rect : history) rect = ViewRect{};
    view_scale = 1.0;
    max_scale = -1.0;
    origin_x = 0.0;
    origin_y = 0.0;
}

ViewRect ViewWindow::whole_drawing() const {
    return {extents.min_x, 0.0, extents.max_x, extents.max_y - extents.min_y};
}

void ViewWindow::fit_drawing(const DrawingExtents& drawing, double header_scale) {
    extents = {finite_or_zero(drawing.min_x), finite_or_zero(drawing.min_y),
               finite_or_zero(drawing.max_x), finite_or_zero(drawing.max_y)};
    paper_scale = paper_space_scale(header_scale);
    flip_y = extents.max_y;
    const double e = std::abs(extents.max_x - extents.min_x);
    const double f = std::abs(extents.max_y - extents.min_y);
    if (kFitAspect * e > f) {
        fit_origin_x = extents.min_x;
        fit_origin_y = (f - kFitAspect * e) / 2.0;
    } else {
        fit_origin_x = extents.min_x - (f / kFitAspect - e) / 2.0;
        fit_origin_y = 0.0;
    }
    whole_window = whole_drawing();
    for (ViewRect& rect : history) rect = whole_window;
    // The window reaches one pixel further right and down, so that the
    // drawing's right and bottom edges land on the last pixel column and row
    // instead of just beyond them.
    const double width = whole_window.x2 - fit_origin_x;
    const double height = whole_window.y2 - fit_origin_y;
    set_view_window(fit_origin_x, fit_origin_y,
                    whole_window.x2 + width / std::max(client_width_ - 1, 1),
                    whole_window.y2 + height / std::max(client_height_ - 1, 1));
}

void ViewWindow::set_view_window(double x1, double y1, double x2, double y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (use_fit_origin) {
        origin_x = fit_origin_x;
        origin_y = fit_origin_y;
    } else {
        origin_x = x1;
        origin_y = y1;
    }
    double dx = x2 - x1, dy = y2 - y1;
    if (dx == 0.0) dx = 1.0;
    if (dy == 0.0) dy = 1.0;
    const double kx = client_width_ / dx;
    const double ky = client_height_ / dy;
    view_scale = (kx > 0.0 && ky > 0.0) ? std::min(kx, ky) : std::max(kx, ky);
    if (max_scale < 0.0) max_scale = kZoomInLimit * view_scale;
    if (view_scale > max_scale) {
        view_scale = 0.98 * max_scale;
        show_information(messages_, "%s", kCannotEnlarge);
    } else if (view_scale < max_scale / 2000.0) {
        view_scale = max_scale / 1900.98;
        show_information(messages_, "%s", kCannotReduce);
    }
    detail = view_scale > kDetailScale;
    history[2] = history[1];
    history[1] = history[0];
    history[0] = {x1, y1, x2, y2};
}

void ViewWindow::zoom_in() {
    const int mx = (client_width_ / 2) * kZoomPercent / 100;
    const int my = (client_height_ / 2) * kZoomPercent / 100;
    set_view_window(window_of_pixels(mx, my, client_width_ - mx, client_height_ - my));
}

void ViewWindow::zoom_out() {
    const int mx = (client_width_ / 2) * kZoomPercent / 100;
    const int my = (client_height_ / 2) * kZoomPercent / 100;
    set_view_window(window_of_pixels(-mx, -my, client_width_ + mx, client_height_ + my));
}

void ViewWindow::pan(PanDirection direction) {
    const int w = client_width_, h = client_height_;
    const int s = w / 10;
    switch (direction) {
        case PanDirection::Left: set_view_window(window_of_pixels(-s, 0, w - s, h)); break;
        case PanDirection::Right: set_view_window(window_of_pixels(s, 0, w + s, h)); break;
        case PanDirection::Up: set_view_window(window_of_pixels(0, -s, w, h - s)); break;
        case PanDirection::Down: set_view_window(window_of_pixels(0, s, w, h + s)); break;
    }
}

}  // namespace zov
