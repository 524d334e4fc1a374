#include "dxf_import/spline_curve.h"

#include <algorithm>
#include <cmath>

namespace zov {

namespace {

bool finite(Point2 p) { return std::isfinite(p.x) && std::isfinite(p.y); }

int steps_per_span(std::size_t spans) {
    spans = std::max<std::size_t>(spans, 1);
    const std::size_t smooth =
        std::max<std::size_t>(kSplineStepsPerSpan, (kSplineSmoothPoints + spans - 1) / spans);
    return static_cast<int>(std::clamp<std::size_t>(kMaxSplinePoints / spans, 1, smooth));
}

// Knots fit `count` control points of degree `degree` when there are
// count + degree + 1 of them, finite and never decreasing, and the curve's
// domain is not empty.
bool knots_fit(const std::vector<double>& knots, std::size_t count, int degree) {
    if (knots.size() != count + static_cast<std::size_t>(degree) + 1) return false;
    for (std::size_t i = 0; i < knots.size(); ++i) {
        if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1])) return false;
    }
    return knots[static_cast<std::size_t>(degree)] < knots[count];
}

// Clamped knots spaced evenly: the curve starts at the first control point
// and ends at the last.
std::vector<double> uniform_clamped_knots(std::size_t count, int degree) {
    std::vector<double> knots;
    const std::size_t inner = count - static_cast<std::size_t>(degree);
    for (int i = 0; i <= degree; ++i) knots.push_back(0.0);
    for (std::size_t i = 1; i < inner; ++i) knots.push_back(static_cast<double>(i));
    for (int i = 0; i <= degree; ++i) knots.push_back(static_cast<double>(inner));
    return knots;
}

struct Weighted {
    double x = 0.0, y = 0.0, w = 0.0;
};

class BSpline {
public:
    BSpline(const SplineDefinition& spline, std::vector<double> knots)
        : degree_(spline.degree), knots_(std::move(knots)), control_(spline.control) {
        const bool weighted = spline.weights.size() == control_.size() &&
                              std::all_of(spline.weights.begin(), spline.weights.end(),
                                          [](double w) { return std::isfinite(w) && w > 0.0; });
        weights_ = weighted ? spline.weights : std::vector<double>(control_.size(), 1.0);
    }

    // Every knot span of the domain in steps.
    std::vector<Point2> points() const {
        std::vector<Point2> chain;
        const std::size_t last_span = control_.size() - 1;
        const std::size_t spans = last_span - static_cast<std::size_t>(degree_) + 1;
        const int steps = steps_per_span(spans);
        for (std::size_t span = static_cast<std::size_t>(degree_); span <= last_span; ++span) {
            const double from = knots_[span], to = knots_[span + 1];
            if (!(to > from)) continue;
            for (int i = chain.empty() ? 0 : 1; i <= steps; ++i) {
                if (chain.size() >= kMaxSplinePoints) return chain;
                const Point2 p = at(span, from + (to - from) * i / steps);
                if (finite(p)) chain.push_back(p);
            }
        }
        return chain;
    }

private:
    // De Boor's algorithm on the weighted control points of knot span
    // `span` (knots_[span] <= t <= knots_[span + 1]).
    Point2 at(std::size_t span, double t) const {
        std::vector<Weighted> d(static_cast<std::size_t>(degree_) + 1);
        for (int j = 0; j <= degree_; ++j) {
            const std::size_t k =
                span - static_cast<std::size_t>(degree_) + static_cast<std::size_t>(j);
            const double w = weights_[k];
            d[static_cast<std::size_t>(j)] = {control_[k].x * w, control_[k].y * w, w};
        }
        for (int r = 1; r <= degree_; ++r) {
            for (int j = degree_; j >= r; --j) {
                const std::size_t i =
                    span - static_cast<std::size_t>(degree_) + static_cast<std::size_t>(j);
                const double denominator =
                    knots_[i + static_cast<std::size_t>(degree_ - r) + 1] - knots_[i];
                const double alpha = denominator > 0.0 ? (t - knots_[i]) / denominator : 0.0;
                Weighted& out = d[static_cast<std::size_t>(j)];
                const Weighted& before = d[static_cast<std::size_t>(j) - 1];
                out = {(1 - alpha) * before.x + alpha * out.x,
                       (1 - alpha) * before.y + alpha * out.y,
                       (1 - alpha) * before.w + alpha * out.w};
            }
        }
        const Weighted& p = d.back();
        return {p.x / p.w, p.y / p.w};
    }

    int degree_;
    std::vector<double> knots_;
    std::vector<Point2> control_;
    std::vector<double> weights_;
};

// A Catmull-Rom curve through the fit points: it passes through each of
// them, with the ends taken as their own neighbours.
std::vector<Point2> through_fit_points(const std::vector<Point2>& fit) {
    std::vector<Point2> chain;
    if (fit.empty()) return chain;
    chain.push_back(fit.front());
    const int steps = steps_per_span(fit.size() - 1);
    for (std::size_t k = 0; k + 1 < fit.size(); ++k) {
        const Point2 p0 = fit[k == 0 ? 0 : k - 1], p1 = fit[k], p2 = fit[k + 1];
        const Point2 p3 = fit[k + 2 < fit.size() ? k + 2 : k + 1];
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps, t2 = t * t, t3 = t2 * t;
            auto blend = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                              (3 * b - a - 3 * c + d) * t3);
            };
            chain.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    return chain;
}

}  // namespace

std::vector<Point2> spline_points(const SplineDefinition& spline) {
    std::vector<Point2> chain;
    const bool control_usable = spline.degree >= 1 && spline.degree <= kMaxSplineDegree &&
                                spline.control.size() > static_cast<std::size_t>(spline.degree) &&
                                std::all_of(spline.control.begin(), spline.control.end(), finite);
    if (control_usable) {
        std::vector<double> knots =
            knots_fit(spline.knots, spline.control.size(), spline.degree)
                ? spline.knots
                : uniform_clamped_knots(spline.control.size(), spline.degree);
        chain = BSpline(spline, std::move(knots)).points();
    } else if (spline.fit.size() >= 2 &&
               std::all_of(spline.fit.begin(), spline.fit.end(), finite)) {
        std::vector<Point2> fit = spline.fit;
        if (spline.closed) fit.push_back(fit.front());
        chain = through_fit_points(fit);
    } else if (spline.control.size() >= 2 &&
               std::all_of(spline.control.begin(), spline.control.end(), finite)) {
        chain = spline.control;  // too few points for its degree: the polygon
    }
    if (spline.closed && chain.size() > 2 &&
        (chain.back().x != chain.front().x || chain.back().y != chain.front().y))
        chain.push_back(chain.front());
    return chain;
}

}  // namespace zov
