// The geometry of hatch fills: triangles that cover nested loops exactly,
// and boundary edges followed as points.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "dxf_import/hatch_curves.h"
#include "dxf_import/polygon_triangulation.h"

namespace zov {
namespace {

using Ring = std::vector<Point2>;

double ring_area(const Ring& ring) {
    double area = 0.0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        area += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
    return std::fabs(area) / 2;
}

double covered_area(const std::vector<Triangle>& triangles) {
    double area = 0.0;
    for (const Triangle& t : triangles) {
        const double twice = (t.b.x - t.a.x) * (t.c.y - t.a.y) - (t.c.x - t.a.x) * (t.b.y - t.a.y);
        EXPECT_GT(twice, 0);  // every triangle counter-clockwise, none flat
        area += twice / 2;
    }
    return area;
}

Ring square(double x, double y, double side) {
    return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
}

// A star-shaped loop around `centre`: radii between `low` and `high` at
// `n` angles, clockwise when `clockwise`.
Ring star(std::mt19937& random, Point2 centre, double low, double high, int n, bool clockwise) {
    std::uniform_real_distribution<double> radius(low, high);
    Ring ring;
    for (int k = 0; k < n; ++k) {
        const double angle = (clockwise ? -1 : 1) * 2 * M_PI * k / n;
        const double r = radius(random);
        ring.push_back({centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)});
    }
    return ring;
}

TEST(HatchFill, TrianglesCoverStarShapedRegionsWithTheirHolesExactly) {
    std::mt19937 random(16);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        // An outline reaching at least 50 from the origin, holes of at most
        // radius 6 on a ring of radius 25 (never touching each other).
        std::vector<Ring> loops = {star(random, {0, 0}, 50, 100, 40 + round, round % 2 == 0)};
        double expected = ring_area(loops[0]);
        const int holes = round % 6;
        for (int h = 0; h < holes; ++h) {
            const double angle = 2 * M_PI * h / 6;
            loops.push_back(star(random, {25 * std::cos(angle), 25 * std::sin(angle)}, 3, 6,
                                 5 + h * 3, h % 2 == 0));
            expected -= ring_area(loops.back());
        }
        std::vector<Triangle> triangles;
        ASSERT_TRUE(triangulate_loops(loops, kOddParity, 10000, 100000, triangles));
        EXPECT_NEAR(covered_area(triangles), expected, 1e-9 * expected);
        for (const Triangle& t : triangles) {
            const Point2 centroid{(t.a.x + t.b.x + t.c.x) / 3, (t.a.y + t.b.y + t.c.y) / 3};
            EXPECT_TRUE(inside_loop(loops[0], centroid));
            for (std::size_t h = 1; h < loops.size(); ++h)
                EXPECT_FALSE(inside_loop(loops[h], centroid));
        }
    }
}

TEST(HatchFill, DeeplyConcaveOutlinesAreCutIntoTheirArea) {
    // A comb of 50 teeth.
    Ring comb = {{0, 0}};
    for (int k = 0; k < 50; ++k) {
        comb.push_back({k * 2.0 + 1, 0});
        comb.push_back({k * 2.0 + 1, 10});
        comb.push_back({k * 2.0 + 2, 10});
        comb.push_back({k * 2.0 + 2, 0});
    }
    comb.push_back({100, -1});
    comb.push_back({0, -1});
    std::vector<Triangle> triangles;
    ASSERT_TRUE(triangulate_loops({comb}, kOddParity, 10000, 100000, triangles));
    EXPECT_NEAR(covered_area(triangles), ring_area(comb), 1e-9);
}

TEST(HatchFill, IslandStylesChooseTheFilledLevels) {
    const std::vector<Ring> loops = {square(0, 0, 10), square(2, 2, 6), square(4, 4, 2)};
    std::vector<Triangle> triangles;
    ASSERT_TRUE(triangulate_loops(loops, kOddParity, 100, 100, triangles));
    EXPECT_NEAR(covered_area(triangles), 100 - 36 + 4, 1e-9);  // the island is filled again
    ASSERT_TRUE(triangulate_loops(loops, kOutermost, 100, 100, triangles));
    EXPECT_NEAR(covered_area(triangles), 100 - 36, 1e-9);
    ASSERT_TRUE(triangulate_loops(loops, kIgnoreIslands, 100, 100, triangles));
    EXPECT_NEAR(covered_area(triangles), 100, 1e-9);
    // Two regions side by side, one with a hole touching nothing.
    ASSERT_TRUE(triangulate_loops({square(0, 0, 4), square(10, 0, 4), square(11, 1, 1)}, kOddParity,
                                  100, 100, triangles));
    EXPECT_NEAR(covered_area(triangles), 16 + 16 - 1, 1e-9);
}

TEST(HatchFill, RegionsBeyondTheBoundsGiveNoTriangles) {
    std::vector<Triangle> triangles;
    EXPECT_FALSE(
        triangulate_loops({square(0, 0, 1), square(5, 5, 1)}, kOddParity, 3, 100, triangles));
    EXPECT_TRUE(triangles.empty());
    EXPECT_FALSE(
        triangulate_loops({square(0, 0, 1), square(5, 5, 1)}, kOddParity, 100, 3, triangles));
    EXPECT_TRUE(triangles.empty());
    // Degenerate loops end without triangles: all points on one line, all on one point.
    EXPECT_TRUE(triangulate_loops({{{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {{5, 5}, {5, 5}, {5, 5}}},
                                  kOddParity, 100, 100, triangles));
    EXPECT_TRUE(triangles.empty());
}

TEST(HatchCurves, ArcsAndBulgesAreFollowedFromTheirStartInFiveDegreeSteps) {
    std::vector<Point2> points;
    append_elliptic_arc(points, {0, 0}, {2, 0}, 1.0, 0, M_PI / 2, false);
    ASSERT_EQ(points.size(), 19u);  // 90 degrees in 18 steps
    EXPECT_NEAR(points.front().x, 2, 1e-12);
    EXPECT_NEAR(points.back().y, 2, 1e-12);
    points.clear();
    append_elliptic_arc(points, {0, 0}, {0, 4}, 0.5, 0, M_PI / 2, true);  // clockwise: from its end
    EXPECT_NEAR(points.front().x, -2, 1e-12);  // the minor axis, a quarter turn from (0, 4)
    EXPECT_NEAR(points.back().y, 4, 1e-12);
    // A half circle from (0, 0) to (2, 0) counter-clockwise passes below the chord.
    points.clear();
    append_bulge_segment(points, {0, 0}, {2, 0}, 1.0);
    ASSERT_EQ(points.size(), 36u);
    EXPECT_NEAR(points[17].x, 1, 1e-12);
    EXPECT_NEAR(points[17].y, -1, 1e-12);
    EXPECT_EQ(points.back().x, 2);
    // Repeated and not finite points are left out.
    points.clear();
    append_point(points, {1, 1});
    append_point(points, {1, 1});
    append_point(points, {NAN, 1});
    EXPECT_EQ(points.size(), 1u);
}

}  // namespace
}  // namespace zov
