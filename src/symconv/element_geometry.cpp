#include "symconv/element_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "symconv/converter_settings.h"
#include "symconv/sheet_layout.h"

namespace zov {

namespace {

constexpr double kChainStep = 0.0873;  // radians per line of an ellipse chain
constexpr double kFixedPointDegree = 65536.0;
// A span this wide or wider is a whole circle.
constexpr double kFullCircleSpan = 359.88;
// Axes whose lengths differ by less than this part (a JW_CAD flatness
// strictly between 0.9999 and 1.0001), and that stand this near to square,
// make a circle.
constexpr double kCircleTolerance = 0.0001;

// The chain from parameter `start` to `end` (degrees) in steps of
// kChainStep radians, the last step cut to end exactly at `end`.
template <class PointAt>
std::vector<ChainPoint> chain_through(double start, double end, PointAt at) {
    while (end <= start) end += 360;
    // Angles of a damaged record may lie many turns apart; one turn draws the
    // whole curve, more would only repeat it.
    if (end - start > 360) end = start + 360;
    const double t_end = end * kRadiansPerDegreeToElevenDecimals;
    std::vector<ChainPoint> chain;
    double t = start * kRadiansPerDegreeToElevenDecimals;
    chain.push_back(at(t));
    while (t < t_end) {
        t = std::min(t + kChainStep, t_end);
        chain.push_back(at(t));
    }
    return chain;
}

}  // namespace

double round_value(double value, int decimals) {
    if (decimals >= 3) return value;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%0.*f", std::max(decimals, 0), value);
    return std::strtod(buffer, nullptr);
}

int checked_pen(int pen) { return pen >= 1 && pen <= 6 ? pen : 2; }

CircleForm circle_form(int flatness, std::int32_t start, std::int32_t end, std::int32_t tilt) {
    double k = flatness / 10000.0;
    double tau = tilt / kFixedPointDegree;
    double a = start / kFixedPointDegree + tau;
    double b = end / kFixedPointDegree + tau;
    while (b <= a) b += 360;
    if (k >= 1.0001 || k <= 0.9999) return {CircleForm::Ellipse, a, b};
    if (start == end || b - a >= kFullCircleSpan) return {CircleForm::Circle, a, b};
    return {CircleForm::Arc, a, b};
}

ChainPoint EllipseAxes::at(double t) const {
    const double c = std::cos(t), s = std::sin(t);
    return {cx + ux * c + vx * s, cy + uy * c + vy * s};
}

std::vector<ChainPoint> ellipse_chain(double cx, double cy, double r, double k, double start,
                                      double end, double tilt) {
    const double cos_tau = std::cos(tilt * kRadiansPerDegreeToElevenDecimals);
    const double sin_tau = std::sin(tilt * kRadiansPerDegreeToElevenDecimals);
    // Term by term in this order, so that the points of a .jwk ellipse keep
    // every digit they have always had.
    return chain_through(start, end, [&](double t) {
        return ChainPoint{cx + r * std::cos(t) * cos_tau - r * k * std::sin(t) * sin_tau,
                          cy + r * k * std::sin(t) * cos_tau + r * std::cos(t) * sin_tau};
    });
}

std::vector<ChainPoint> ellipse_chain(const EllipseArc& arc) {
    return chain_through(arc.start, arc.end, [&](double t) { return arc.axes.at(t); });
}

CurveShape curve_shape(const EllipseArc& arc) {
    const EllipseAxes& e = arc.axes;
    const double u = std::hypot(e.ux, e.uy), v = std::hypot(e.vx, e.vy);
    if (u == 0 && v == 0) return {CurveShape::Circle, 0, 0, 360};
    const bool circular = u > 0 && std::fabs(v / u - 1) < kCircleTolerance &&
                          std::fabs(e.ux * e.vx + e.uy * e.vy) < kCircleTolerance * u * v;
    if (!circular) return {CurveShape::Ellipse, u, arc.start, arc.end};
    const double span = arc.end - arc.start;
    if (span >= kFullCircleSpan) return {CurveShape::Circle, u, 0, 360};
    // The parameter runs counter-clockwise from u when v lies a quarter turn
    // counter-clockwise of it, else (a mirrored ellipse) clockwise.
    const double u_angle = std::atan2(e.uy, e.ux) / kRadiansPerDegreeToElevenDecimals;
    const bool counter_clockwise = e.ux * e.vy - e.uy * e.vx > 0;
    double a = counter_clockwise ? u_angle + arc.start : u_angle - arc.end;
    a = std::fmod(a, 360.0);
    if (a < 0) a += 360;
    return {CurveShape::Arc, u, a, a + span};
}

double text_height(const ConverterSettings& settings, int kind, double S) {
    return settings.text_heights[kind - 1] / 10.0 * S * settings.text_size_percent / 100.0;
}

int text_angle(double dx, double dy, bool vertical) {
    double a;
    if (dy == 0) {
        a = dx >= 0 ? 0.0 : 180.0;
    } else {
        a = std::atan2(dy, dx) / kRadiansPerDegreeToElevenDecimals;
        if (a < 0) a += 360;
    }
    if (vertical) a += 90;
    return truncate_to_int32(a) % 360;
}

}  // namespace zov
