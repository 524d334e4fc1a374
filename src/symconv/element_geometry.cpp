#include "symconv/element_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "jw/jw_format.h"
#include "symconv/converter_settings.h"
#include "symconv/sheet_layout.h"

namespace zov {

namespace {

constexpr double kChainStep = 0.0873;           // radians per line of an ellipse chain
constexpr double kFixedPointDegree = 65536.0;

}  // namespace

double round_value(double value, int decimals) {
    if (decimals >= 3) return value;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%0.*f", std::max(decimals, 0), value);
    return std::strtod(buffer, nullptr);
}

int checked_pen(int pen) { return pen >= 1 && pen <= 6 ? pen : 2; }

int checked_line_type(int line_type) { return line_type >= 1 && line_type <= 9 ? line_type : 1; }

const char* line_type_name(int line_type) { return kJwLineTypeNames[checked_line_type(line_type) - 1]; }

CircleForm circle_form(int flatness, std::int32_t start, std::int32_t end, std::int32_t tilt) {
    double k = flatness / 10000.0;
    double tau = tilt / kFixedPointDegree;
    double a = start / kFixedPointDegree + tau;
    double b = end / kFixedPointDegree + tau;
    while (b <= a) b += 360;
    if (k >= 1.0001 || k <= 0.9999) return {CircleForm::Ellipse, a, b};
    if (start == end || b - a >= 359.88) return {CircleForm::Circle, a, b};
    return {CircleForm::Arc, a, b};
}

std::vector<ChainPoint> ellipse_chain(double cx, double cy, double r, double k, double start,
                                      double end, double tilt) {
    while (end <= start) end += 360;
    // Angles of a damaged record may lie many turns apart; one turn draws the
    // whole curve, more would only repeat it.
    if (end - start > 360) end = start + 360;
    const double t_end = end * kRadiansPerDegree;
    const double cos_tau = std::cos(tilt * kRadiansPerDegree);
    const double sin_tau = std::sin(tilt * kRadiansPerDegree);
    auto at = [&](double t) {
        return ChainPoint{cx + r * std::cos(t) * cos_tau - r * k * std::sin(t) * sin_tau,
                          cy + r * k * std::sin(t) * cos_tau + r * std::cos(t) * sin_tau};
    };
    std::vector<ChainPoint> chain;
    double t = start * kRadiansPerDegree;
    chain.push_back(at(t));
    while (t < t_end) {
        t = std::min(t + kChainStep, t_end);
        chain.push_back(at(t));
    }
    return chain;
}

double text_height(const ConverterSettings& settings, int kind, double S) {
    return settings.JSS[kind - 1] / 10.0 * S * settings.JMS / 100.0;
}

int text_angle(double dx, double dy, bool vertical) {
    double a;
    if (dy == 0) {
        a = dx >= 0 ? 0.0 : 180.0;
    } else {
        a = std::atan2(dy, dx) / kRadiansPerDegree;
        if (a < 0) a += 360;
    }
    if (vertical) a += 90;
    return truncate_to_int32(a) % 360;
}

}  // namespace zov
