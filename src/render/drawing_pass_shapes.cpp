// Lines, arcs, ellipses, point marks, arrow heads and filled triangles.
#include <algorithm>
#include <cmath>

#include "render/angles.h"
#include "render/drawing_pass.h"

namespace zov {

namespace {

// Parameter step of the polylines that draw ellipses, in radians.
constexpr double kEllipseStep = 0.1873;
constexpr double kArrowWingAngle = 7.5;  // degrees either side of the shaft

// Raises the end angle by whole turns until it lies above the start, and
// keeps the sweep to at most one turn (more would only draw it again).
double end_above_start(double start, double end) {
    if (!(end > start)) {
        end += 360.0 * (std::floor((start - end) / 360.0) + 1.0);
        if (!(end > start)) end = start + 360.0;
    }
    if (end - start > 360.0) end = start + 360.0;
    return end;
}

}  // namespace

Point DrawingPass::along(Point from, double length, double degrees) {
    const AngleCache::CosSin turn = angles_.of(degrees);
    return {from.x + length * turn.cos, from.y + length * turn.sin};
}

void DrawingPass::draw_line(Point from, Point to) {
    surface_.move_to(view_.pixel_x(from.x), view_.pixel_y(from.y));
    surface_.line_to(view_.pixel_x(to.x), view_.pixel_y(to.y));
}

void DrawingPass::draw_arc(const EntityRecord& record) {
    if (record.arc.axis_ratio == 1.0) {
        draw_circular_arc(record);
    } else {
        draw_elliptic_arc(record);
    }
}

// The radius may be negative (a mirrored block): the radial points then lie
// opposite, which keeps the mirrored arc counter-clockwise.
void DrawingPass::draw_circular_arc(const EntityRecord& record) {
    const ArcReals& arc = record.arc;
    const double cx = record.x1, cy = record.y1, r = arc.radius, size = std::abs(arc.radius);
    const int left = view_.pixel_x(cx - size), top = view_.pixel_y(cy + size);
    const int right = view_.pixel_x(cx + size), bottom = view_.pixel_y(cy - size);
    const double a = arc.start_angle, b = arc.end_angle;
    const Point start = along({cx, cy}, r, a);
    const int sx = view_.pixel_x(start.x), sy = view_.pixel_y(start.y);
    // Angles a whole number of turns apart close the circle.
    if (a == b || std::fmod(b - a, 360.0) == 0.0) {
        surface_.arc(left, top, right, bottom, sx, sy, sx, sy);
        return;
    }
    const Point end = along({cx, cy}, r, b);
    const int ex = view_.pixel_x(end.x), ey = view_.pixel_y(end.y);
    // Ends on one pixel would give the full circle: right for an arc all but
    // closed, while a sliver of an arc shows nothing.
    if (sx == ex && sy == ey && end_above_start(a, b) - a < 180.0) return;
    surface_.arc(left, top, right, bottom, sx, sy, ex, ey);
}

void DrawingPass::draw_elliptic_arc(const EntityRecord& record) {
    const ArcReals& arc = record.arc;
    // The start brought into one turn, so that the steps stay exact however
    // large the stored angles are.
    const double sweep = end_above_start(arc.start_angle, arc.end_angle) - arc.start_angle;
    const double a = wrap_degrees(arc.start_angle) * kRadiansPerDegree;
    const double b = a + sweep * kRadiansPerDegree;
    const double r = arc.radius, minor = arc.radius * arc.axis_ratio;
    const double c = std::cos(arc.tilt * kRadiansPerDegree),
                 s = std::sin(arc.tilt * kRadiansPerDegree);
    auto point_at = [&](double t) {
        const double u = r * std::cos(t), v = minor * std::sin(t);
        return Point{record.x1 + u * c - v * s, record.y1 + u * s + v * c};
    };
    const Point first = point_at(a);
    surface_.move_to(view_.pixel_x(first.x), view_.pixel_y(first.y));
    if (!(b > a)) return;
    const int steps = static_cast<int>(std::ceil((b - a) / kEllipseStep));
    for (int i = 1; i <= steps; ++i) {
        const Point p = point_at(std::min(a + i * kEllipseStep, b));
        surface_.line_to(view_.pixel_x(p.x), view_.pixel_y(p.y));
    }
}

void DrawingPass::draw_point_mark(Point at) {
    if (!detail_) return;
    const int px = view_.pixel_x(at.x), py = view_.pixel_y(at.y);
    if (px < 0 || px > surface_.width() || py < 0 || py > surface_.height()) return;
    // Five vertical strokes: a small filled disc.
    static constexpr int kStrokes[5][2] = {{-2, 1}, {-1, 2}, {0, 2}, {1, 2}, {2, 1}};
    for (const auto& stroke : kStrokes) {
        surface_.move_to(px + stroke[0], py - stroke[1]);
        surface_.line_to(px + stroke[0], py + stroke[1]);
    }
}

void DrawingPass::draw_arrow_head(bool filled, Point tip, Point toward, double size) {
    if (size == 0.0) return;
    const double dx = toward.x - tip.x, dy = toward.y - tip.y;
    const double length = std::hypot(dx, dy);
    const double wing = 4.0 * size > length ? length / 4.0 : size;
    double direction;
    if (std::abs(dx) >= 0.01) {
        direction = std::atan(dy / dx) / kRadiansPerDegree;
        if (dx < 0.0) direction += 180.0;
    } else {
        direction = dy > 0.0 ? 90.0 : 270.0;
    }
    const Point first = along(tip, wing, direction + kArrowWingAngle);
    const Point second = along(tip, wing, direction - kArrowWingAngle);
    draw_line(tip, first);
    draw_line(tip, second);
    if (filled) fill_triangle(first, second, tip);
}

// Draws P-Q and fills the triangle with the pen's colour. (The line hatch
// of old, about 4000 lines to the drawing's width, took minutes for drawings
// of many large solids and showed stripes when zoomed in.)
void DrawingPass::fill_triangle(Point p, Point q, Point r, bool mask) {
    // A triangle wholly beside the client area leaves nothing to see.
    const PixelPoint corners[3] = {{view_.pixel_x(p.x), view_.pixel_y(p.y)},
                                   {view_.pixel_x(q.x), view_.pixel_y(q.y)},
                                   {view_.pixel_x(r.x), view_.pixel_y(r.y)}};
    auto by_x = [](PixelPoint a, PixelPoint b) { return a.x < b.x; };
    auto by_y = [](PixelPoint a, PixelPoint b) { return a.y < b.y; };
    if (std::max_element(corners, corners + 3, by_x)->x < 0 ||
        std::min_element(corners, corners + 3, by_x)->x > surface_.width() ||
        std::max_element(corners, corners + 3, by_y)->y < 0 ||
        std::min_element(corners, corners + 3, by_y)->y > surface_.height())
        return;
    if (mask) {
        surface_.fill_background_polygon(corners);
        return;
    }
    draw_line(p, q);
    surface_.fill_polygon(corners, pen_.colour);
}

void DrawingPass::draw_arrow_line(const EntityRecord& record) {
    const Point tip{record.x1, record.y1}, end{record.line.end_x, record.line.end_y};
    draw_line(tip, end);
    draw_arrow_head(true, tip, end, drawing_width_ / 200.0 * 3.0);
}

void DrawingPass::draw_solid(const EntityRecord& record) {
    const SolidReals& corners = record.solid;
    const Point q1{corners.first_x, corners.first_y}, q2{record.x1, record.y1};
    const Point q3{corners.third_x, corners.third_y}, q4{corners.fourth_x, corners.fourth_y};
    if ((record.flags & kEntityBackgroundFill) != 0) {
        // A wipeout hides what came before it, texts waiting for the end of
        // the pass too, and nothing of what follows.
        finish();
        fill_triangle(q1, q3, q2, true);
        if (q4 != q3) fill_triangle(q4, q2, q3, true);
        return;
    }
    fill_triangle(q1, q3, q2);
    draw_line(q2, q1);
    draw_line(q3, q1);
    if (q4 != q3) {
        fill_triangle(q4, q2, q3);
        draw_line(q3, q4);
        draw_line(q4, q2);
    } else {
        draw_line(q3, q2);
    }
}

}  // namespace zov
