// The SPLINE evaluator: B-splines from knots, control points and weights,
// curves through fit points, and input it cannot use.
#include <gtest/gtest.h>

#include <cmath>

#include "dxf_import/spline_curve.h"

namespace zov {
namespace {

double distance(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The least distance from `p` to the chain's points.
double nearest(const std::vector<Point2>& chain, Point2 p) {
    double best = INFINITY;
    for (const Point2& q : chain) best = std::min(best, distance(p, q));
    return best;
}

TEST(SplineCurve, ClampedBSplinesRunFromTheFirstToTheLastControlPoint) {
    // A quadratic Bezier arc: clamped knots 0 0 0 1 1 1; its middle is at
    // (P0 + 2 P1 + P2) / 4.
    SplineDefinition s;
    s.degree = 2;
    s.control = {{0, 0}, {1, 2}, {2, 0}};
    s.knots = {0, 0, 0, 1, 1, 1};
    const auto chain = spline_points(s);
    // One span, in enough steps for a smooth curve.
    ASSERT_EQ(chain.size(), static_cast<std::size_t>(kSplineSmoothPoints) + 1);
    EXPECT_NEAR(distance(chain.front(), {0, 0}), 0, 1e-12);
    EXPECT_NEAR(distance(chain.back(), {2, 0}), 0, 1e-12);
    EXPECT_NEAR(distance(chain[kSplineSmoothPoints / 2], {1, 1}), 0, 1e-12);
}

TEST(SplineCurve, WeightsPullTheCurveAndAQuarterCircleIsExact) {
    // The rational quadratic quarter circle: weights 1, sqrt(2)/2, 1.
    SplineDefinition s;
    s.degree = 2;
    s.control = {{1, 0}, {1, 1}, {0, 1}};
    s.knots = {0, 0, 0, 1, 1, 1};
    s.weights = {1, std::sqrt(0.5), 1};
    for (const Point2& p : spline_points(s)) EXPECT_NEAR(std::hypot(p.x, p.y), 1.0, 1e-12);
}

TEST(SplineCurve, KnotsThatDoNotFitAreReplacedByUniformClampedOnes) {
    SplineDefinition s;
    s.degree = 3;
    s.control = {{0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 0}};
    s.knots = {0, 1, 0.5};  // too few and decreasing
    const auto chain = spline_points(s);
    ASSERT_EQ(chain.size(), static_cast<std::size_t>(kSplineSmoothPoints) + 1);  // two spans
    EXPECT_NEAR(distance(chain.front(), {0, 0}), 0, 1e-12);
    EXPECT_NEAR(distance(chain.back(), {4, 0}), 0, 1e-12);
}

TEST(SplineCurve, FitPointsAloneGiveACurveThroughThem) {
    SplineDefinition s;
    s.fit = {{0, 0}, {3, 4}, {6, 1}, {10, 5}};
    const auto chain = spline_points(s);
    for (const Point2& p : s.fit) EXPECT_NEAR(nearest(chain, p), 0, 1e-12);
    EXPECT_GT(chain.size(), s.fit.size() * 4);  // curved between them
    s.closed = true;
    const auto loop = spline_points(s);
    EXPECT_NEAR(distance(loop.front(), loop.back()), 0, 1e-12);
}

TEST(SplineCurve, UnusableInputGivesNoCurveOrTheControlPolygon) {
    SplineDefinition s;
    EXPECT_TRUE(spline_points(s).empty());
    s.control = {{0, 0}, {1, NAN}, {2, 0}, {3, 0}};
    EXPECT_TRUE(spline_points(s).empty());
    s.control = {{0, 0}, {1, 1}, {2, 0}};  // too few for degree 3
    EXPECT_EQ(spline_points(s).size(), 3u);
    s.degree = 1'000'000;
    s.control.assign(1'000'001, Point2{1, 1});
    EXPECT_EQ(spline_points(s).size(), 1'000'001u);  // not evaluated: the polygon
}

}  // namespace
}  // namespace zov
