#include "dxf_import/hatch_curves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zov {

namespace {

constexpr double kStep = std::numbers::pi / 36;  // 5 degrees
// Steps of one arc at most (a turn and a bit, for absurd spans).
constexpr double kMostSteps = 80;

int steps_for(double sweep) {
    return static_cast<int>(std::clamp(std::ceil(std::fabs(sweep) / kStep), 1.0, kMostSteps));
}

}  // namespace

void append_point(std::vector<Point2>& points, Point2 point) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return;
    if (!points.empty() && points.back().x == point.x && points.back().y == point.y) return;
    points.push_back(point);
}

void append_elliptic_arc(std::vector<Point2>& points, Point2 centre, Point2 major, double ratio,
                         double start, double end, bool clockwise) {
    if (!std::isfinite(start) || !std::isfinite(end)) return;
    // The end is taken within a turn beyond the start; the sweep is computed
    // on its own, since far from 0 adding a turn to an angle may not change it.
    double sweep = end - start;
    if (!(sweep > 0)) sweep = std::fmod(sweep, 2 * std::numbers::pi) + 2 * std::numbers::pi;
    sweep = std::min(sweep, 2 * std::numbers::pi);
    if (!std::isfinite(sweep)) return;
    const Point2 minor{-major.y * ratio, major.x * ratio};
    const int steps = steps_for(sweep);
    std::vector<Point2> arc;
    for (int k = 0; k <= steps; ++k) {
        const double t = start + sweep * k / steps;
        arc.push_back({centre.x + major.x * std::cos(t) + minor.x * std::sin(t),
                       centre.y + major.y * std::cos(t) + minor.y * std::sin(t)});
    }
    if (clockwise) std::reverse(arc.begin(), arc.end());
    for (Point2 point : arc) append_point(points, point);
}

void append_bulge_segment(std::vector<Point2>& points, Point2 from, Point2 to, double bulge) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    if (bulge == 0 || !std::isfinite(bulge) || (dx == 0 && dy == 0)) {
        append_point(points, to);
        return;
    }
    // The centre lies on the chord's perpendicular bisector; the sweep is
    // four times the bulge's arc tangent, counter-clockwise when positive.
    const double sweep = 4 * std::atan(bulge);
    const double along = (1 - bulge * bulge) / (4 * bulge);
    const Point2 centre{(from.x + to.x) / 2 - dy * along, (from.y + to.y) / 2 + dx * along};
    const double radius = std::hypot(from.x - centre.x, from.y - centre.y);
    const double first = std::atan2(from.y - centre.y, from.x - centre.x);
    const int steps = steps_for(sweep);
    for (int k = 1; k < steps; ++k) {
        const double t = first + sweep * k / steps;
        append_point(points, {centre.x + radius * std::cos(t), centre.y + radius * std::sin(t)});
    }
    append_point(points, to);
}

}  // namespace zov
