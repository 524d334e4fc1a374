#include "dxf_import/dxf_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zov {

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }
double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

Point2 align_text_position(double width, double height, double angle, int h_align, int v_align,
                           Point2 at) {
    if (h_align == 4) v_align = 2;
    double e = 0.0;
    if (h_align == 1 || h_align > 2) e = width / 2;
    if (h_align == 2) e = width;
    if (h_align == 3 || h_align == 5) at.x -= e;
    double f = 0.0;
    if (v_align == 2) f = height / 2;
    if (v_align == 3) f = height;
    if (std::fabs(angle) < 0.1) angle = 0.0;
    if (e == 0.0 && angle == 0.0) return {at.x, at.y - f};
    double m = std::sqrt(e * e + f * f);
    if (m <= 0.01) return at;
    double direction = radians(degrees(std::atan(f / e)) + 180 + angle);
    return {at.x + m * std::cos(direction), at.y + m * std::sin(direction)};
}

namespace {

// The quadrant angle of a chord: the quarter turn that its direction lies in.
// A chord along an axis takes the quarter that starts at its direction, so
// that the construction below gives the same arc as for a chord turned a
// little either way.
double chord_quadrant(double dx, double dy) {
    if (dx > 0 && dy > 0) return 90;
    if (dx < 0 && dy > 0) return 180;
    if (dx < 0 && dy < 0) return 270;
    if (dx > 0 && dy < 0) return 0;
    if (dy == 0) return dx > 0 ? 0 : 180;
    return dy > 0 ? 90 : 270;
}

}  // namespace

BulgeArc bulge_arc(Point2 p1, Point2 p2, double bulge) {
    double dx = p2.x - p1.x;
    double dy = p2.y - p1.y;
    BulgeArc arc;
    if (dx == 0 && dy == 0) {
        arc.straight = true;
        return arc;
    }
    double q = chord_quadrant(dx, dy);
    bool same_sign = q == 90 || q == 270;
    dx = std::fabs(dx);
    dy = std::fabs(dy);
    bool reversed = false;
    if (bulge < 0 && q != 0 && q != 270) {
        bulge = -bulge;
        q += 180;
        reversed = true;
    }
    double theta = 4 * std::atan(bulge);
    double theta_d = degrees(theta);
    double phi = dx == 0 ? 90.0 : degrees(std::atan(dy / dx));
    double psi = 90 - theta_d / 2;
    double half_chord = std::sqrt(dx * dx + dy * dy) / 2;
    double radius = half_chord / std::sin(theta / 2);
    double u = same_sign ? 90 + psi + phi + q : 180 + psi - phi + q;
    double v = u + theta_d;
    double w = radians(reversed ? v : u);
    arc.centre = {p1.x - radius * std::cos(w), p1.y - radius * std::sin(w)};
    if (radius < 0) {
        // A clockwise arc that was not turned round comes out with a negative
        // radius: the same circle, seen from the opposite side.
        radius = -radius;
        u += 180;
        v += 180;
    }
    arc.radius = radius;
    arc.start = std::min(u, v);
    arc.end = std::max(u, v);
    return arc;
}

}  // namespace zov
