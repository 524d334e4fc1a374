#include <gtest/gtest.h>

#include <cmath>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/line_type_classifier.h"

namespace zov {
namespace {

Point2 on_arc(const BulgeArc& arc, double angle) {
    return {arc.centre.x + arc.radius * std::cos(radians(angle)),
            arc.centre.y + arc.radius * std::sin(radians(angle))};
}

void expect_near(Point2 a, Point2 b) {
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
}

TEST(BulgeArc, QuarterCircleExample) {
    const BulgeArc arc = bulge_arc({0, 0}, {2, 2}, std::tan(radians(22.5)));
    EXPECT_FALSE(arc.straight);
    EXPECT_NEAR(arc.centre.x, 0, 1e-12);
    EXPECT_NEAR(arc.centre.y, 2, 1e-12);
    EXPECT_NEAR(arc.radius, 2, 1e-12);
    EXPECT_NEAR(arc.start, 270, 1e-9);
    EXPECT_NEAR(arc.end, 360, 1e-9);
}

// Every chord direction, axis-parallel ones included, and bulges of both
// signs: the arc runs counter-clockwise from its start to its end angle, so
// a positive bulge starts at P1 and a negative one at P2; it spans four times
// the bulge's arc tangent and has a positive radius.
TEST(BulgeArc, EndsOnTheChordInTheBulgesTurningSense) {
    const Point2 p1{3, -1};
    for (int direction = 0; direction < 8; ++direction) {
        const double a = radians(direction * 45.0);
        const Point2 p2{p1.x + 5 * std::cos(a), p1.y + 5 * std::sin(a)};
        for (double bulge : {0.2, -0.2, 1.0, -1.0, 2.5, -2.5, 0.999}) {
            SCOPED_TRACE(testing::Message()
                         << "direction " << direction * 45 << " bulge " << bulge);
            const BulgeArc arc = bulge_arc(p1, p2, bulge);
            ASSERT_FALSE(arc.straight);
            EXPECT_GT(arc.radius, 0);
            EXPECT_NEAR(arc.end - arc.start, 4 * std::fabs(std::atan(bulge)) * 180 / M_PI, 1e-9);
            expect_near(on_arc(arc, arc.start), bulge > 0 ? p1 : p2);
            expect_near(on_arc(arc, arc.end), bulge > 0 ? p2 : p1);
        }
    }
}

TEST(BulgeArc, ZeroLengthChordStaysStraight) {
    EXPECT_TRUE(bulge_arc({1, 1}, {1, 1}, 0.5).straight);
}

TEST(TextAlignment, PlacesTheBaseLineStart) {
    // Left / base line: unchanged.
    Point2 at = align_text_position(4, 2.0, 0, 0, 0, {10, 10});
    EXPECT_DOUBLE_EQ(at.x, 10);
    EXPECT_DOUBLE_EQ(at.y, 10);
    // Left, top (vertical 3) without angle: one height down.
    at = align_text_position(4, 2.0, 0, 0, 3, {10, 10});
    EXPECT_DOUBLE_EQ(at.x, 10);
    EXPECT_DOUBLE_EQ(at.y, 8);
    // Centre (horizontal 1), middle (vertical 2): back by half the width and
    // down half the height.
    at = align_text_position(4, 2.0, 0, 1, 2, {10, 10});
    EXPECT_NEAR(at.x, 8, 1e-12);
    EXPECT_NEAR(at.y, 9, 1e-12);
    // Right (horizontal 2): back by the whole width.
    at = align_text_position(4, 2.0, 0, 2, 0, {10, 10});
    EXPECT_NEAR(at.x, 6, 1e-12);
    EXPECT_NEAR(at.y, 10, 1e-12);
    // Horizontal 4 (middle) centres both ways, whatever the vertical code.
    at = align_text_position(4, 2.0, 0, 4, 3, {10, 10});
    EXPECT_NEAR(at.x, 8, 1e-12);
    EXPECT_NEAR(at.y, 9, 1e-12);
    // Turned a quarter: the offsets turn with the text.
    at = align_text_position(4, 2.0, 90, 0, 3, {10, 10});
    EXPECT_NEAR(at.x, 12, 1e-12);
    EXPECT_NEAR(at.y, 10, 1e-12);
}

TEST(LineTypes, DashPatternsMapToTheNineStorePatterns) {
    auto code = [](const char* name, int n, double d1, double d2, double d3 = 0) {
        LineTypePattern p;
        p.elements = n;
        p.dash[0] = d1;
        p.dash[1] = d2;
        p.dash[2] = d3;
        return classify_line_type(name, p);
    };
    EXPECT_EQ(code("A", 2, 12.7, -6.35), kLineTypeDashed2);
    EXPECT_EQ(code("A", 2, 2.5, -10), kLineTypeDashed);
    EXPECT_EQ(code("A", 2, 1.0, -0.5), kLineTypeDot);
    EXPECT_EQ(code("HIDDEN2", 2, 12.7, -6.35), kLineTypeHidden);
    EXPECT_EQ(code("HIDDENX", 6, 0, 0), kLineTypeHidden);
    EXPECT_EQ(code("A", 4, 0, -1, 5), kLineTypeCenter);
    EXPECT_EQ(code("A", 4, 20, -2, 3), kLineTypeCenter);   // d3 / d1 < 0.2, d3 > 2
    EXPECT_EQ(code("A", 4, 20, -2, 2), kLineTypeCenter2);  // d3 not above 2
    EXPECT_EQ(code("A", 6, 30, -2, 2), kLineTypePhantom);
    EXPECT_EQ(code("A", 6, 10, -2, 2), kLineTypePhantom2);
    EXPECT_EQ(code("A", 6, 10, -2, 0), kLineTypePhantom2);
    EXPECT_EQ(code("A", 3, 10, -2, 2), kLineTypeContinuous);
}

}  // namespace
}  // namespace zov
