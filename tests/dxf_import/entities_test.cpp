// Entity readers as they reach the store.
#include <cmath>

#include "common/encoding.h"
#include "import_folder.h"

namespace zov {
namespace {

class Entities : public ImportFolder {
protected:
    // Imports the groups of `body` as the ENTITIES section of a file with one
    // layer "0" of colour 7.
    std::vector<EntityRecord> imported(const DxfFixture& body) {
        DxfFixture dxf;
        dxf.section("TABLES").layer("0", 7).end_section().section("ENTITIES");
        std::string text = dxf.text("\n") + body.text("\n");
        DxfFixture tail;
        tail.end_section().end_of_file();
        text += tail.text("\n");
        std::ofstream(path("E.DXF"), std::ios::binary) << text;
        EXPECT_EQ(import_file(path("E.DXF")), 0);
        EXPECT_EQ(header().ent_num, entity_records_in_file());
        return entities();
    }
};

TEST_F(Entities, EllipsesKeepAxisRotationAndShiftedParameters) {
    DxfFixture dxf;
    dxf.item("ELLIPSE")
        .group(10, 1.0)
        .group(20, 2.0)
        .group(11, 10.0)
        .group(21, 0.0)
        .group(40, 0.5)
        .group(41, 0.0)
        .group(42, 2 * M_PI)
        .item("ELLIPSE")
        .group(11, 0.0)
        .group(21, 5.0)
        .group(40, 0.5)
        .group(41, 0.0)
        .group(42, M_PI / 2)
        .item("ELLIPSE")
        .group(11, 0.0)
        .group(21, -5.0)
        .group(40, 0.5)
        .group(41, 0.0)
        .group(42, M_PI);
    const auto e = imported(dxf);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].kind, kEntityArc);
    EXPECT_DOUBLE_EQ(e[0].arc.radius, 10);
    EXPECT_DOUBLE_EQ(e[0].arc.tilt, 180);
    EXPECT_DOUBLE_EQ(e[0].arc.axis_ratio, 0.5);
    EXPECT_NEAR(e[0].arc.start_angle, -180, 1e-4);
    EXPECT_NEAR(e[0].arc.end_angle, 180, 1e-4);
    // Axes up and down, turned half a turn on as the parameters are shifted
    // half a turn back, whatever the span.
    EXPECT_DOUBLE_EQ(e[1].arc.tilt, 270);
    EXPECT_DOUBLE_EQ(e[2].arc.tilt, 90);
}

TEST_F(Entities, TextsAreCleanedAndTakeTheLayerColour) {
    DxfFixture dxf;
    dxf.item("TEXT")
        .group(8, "0")
        .group(10, 1.0)
        .group(20, 2.0)
        .group(40, 2.5)
        .group(41, 0.8)
        .group(50, 15.0)
        .group(72, 1)
        .group(73, 2)
        .group(1, "%%c50")
        .item("TEXT")
        .group(62, 256)
        .group(1, "30%%d")
        .item("ATTRIB")
        .group(62, 3)
        .group(70, 1)
        .group(73, 12)  // an attribute's field length, not its alignment
        .group(74, 1)
        .group(1, "\\U+00B0C")
        .item("TEXT")
        .group(1, "");
    const auto t = imported(dxf);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].kind, kEntityText);
    EXPECT_EQ(text_of(t[0]), utf8_to_cp932("φ50"));
    EXPECT_EQ(t[0].colour, 7);
    EXPECT_DOUBLE_EQ(t[0].x1, 1);  // TEXT positions are not moved for alignment
    EXPECT_DOUBLE_EQ(t[0].text.height, 2.5);
    EXPECT_DOUBLE_EQ(t[0].text.width_factor, 0.8);
    EXPECT_DOUBLE_EQ(t[0].text.angle, 15);
    EXPECT_EQ(t[0].h_align, 1);
    EXPECT_EQ(t[0].v_align, 2);
    EXPECT_EQ(text_of(t[1]), utf8_to_cp932("30ﾟ"));
    EXPECT_EQ(t[1].colour, 256);
    EXPECT_DOUBLE_EQ(t[1].text.width_factor, 1.0);
    EXPECT_EQ(text_of(t[2]), utf8_to_cp932("ﾟC"));
    EXPECT_EQ(t[2].flags & 3, 3);
    EXPECT_EQ(t[2].v_align, 1);
    EXPECT_EQ(t[3].text_length, 0);
    EXPECT_EQ(header().str_num, 3);
}

TEST_F(Entities, MtextLinesBecomeTextRecordsDownTheirDirection) {
    DxfFixture dxf;
    dxf.item("MTEXT")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(40, 2.0)
        .group(1, "{\\fArial;A}\\PB\\PC")
        .item("MTEXT")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(40, 2.0)
        .group(11, 0.0)
        .group(21, 1.0)
        .group(1, "U\\PD")
        .item("MTEXT")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(40, 2.0)
        .group(71, 1)
        .group(1, "AB")
        .item("MTEXT")
        .group(40, 1.0)
        .group(3, "first half, ")
        .group(1, "last half");
    const auto t = imported(dxf);
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(text_of(t[0]), "A");
    EXPECT_EQ(text_of(t[1]), "B");
    EXPECT_EQ(text_of(t[2]), "C");
    EXPECT_NEAR(t[1].x1, 0, 1e-12);
    EXPECT_NEAR(t[1].y1, -2.6, 1e-12);
    EXPECT_NEAR(t[2].y1, -5.2, 1e-12);
    EXPECT_EQ(t[0].h_align, 0);  // no attachment: left, base line
    EXPECT_EQ(t[0].v_align, 1);
    // Written upwards, the next line lies to the right.
    EXPECT_DOUBLE_EQ(t[3].text.angle, 90);
    EXPECT_NEAR(t[4].x1, 2.6, 1e-12);
    EXPECT_NEAR(t[4].y1, 0, 1e-12);
    // Attachment 1 (top left): the base line starts one height down.
    EXPECT_EQ(t[5].h_align, 0);
    EXPECT_EQ(t[5].v_align, 3);
    EXPECT_NEAR(t[5].y1, -2, 1e-12);
    // A long MTEXT keeps its chunks before its last part.
    EXPECT_EQ(text_of(t[6]), "first half, last half");
    EXPECT_EQ(header().str_num, 7);
}

TEST_F(Entities, PolylinesGiveOneRecordPerSegment) {
    DxfFixture dxf;
    auto polyline = [&](int flags, double bulge) {
        dxf.item("POLYLINE")
            .group(8, "0")
            .group(66, 1)
            .group(70, flags)
            .group(10, 0.0)
            .group(20, 0.0);
        const double xy[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        for (const auto& p : xy) {
            dxf.item("VERTEX").group(10, p[0]).group(20, p[1]);
            if (bulge != 0) dxf.group(42, bulge);
        }
        dxf.item("SEQEND");
    };
    polyline(1, 0);
    polyline(0, 0);
    polyline(1, 0.5);
    const auto s = imported(dxf);
    ASSERT_EQ(s.size(), 4u + 3u + 4u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(s[static_cast<std::size_t>(i)].kind, kEntityLine);
    EXPECT_DOUBLE_EQ(s[3].x1, 0);  // closing segment back to the start
    EXPECT_DOUBLE_EQ(s[3].y1, 10);
    EXPECT_DOUBLE_EQ(s[3].line.end_x, 0);
    EXPECT_DOUBLE_EQ(s[3].line.end_y, 0);
    // Bulged segments, the closing one too, are arcs through their end points.
    for (std::size_t i = 7; i < 11; ++i) {
        EXPECT_EQ(s[i].kind, kEntityArc);
        EXPECT_NEAR(s[i].arc.start_angle - s[i].arc.end_angle, -4 * std::atan(0.5) * 180 / M_PI,
                    1e-9);
    }
    EXPECT_EQ(header().ent_num, 11);
}

TEST_F(Entities, LightweightPolylinesDrawBulgesAsArcsAndHalfCircles) {
    DxfFixture dxf;
    // A slot: two straight sides and two half-round ends, the last one closing.
    dxf.item("LWPOLYLINE")
        .group(90, 4)
        .group(70, 1)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 10.0)
        .group(20, 0.0)
        .group(42, 0.9)
        .group(10, 10.0)
        .group(20, 5.0)
        .group(10, 0.0)
        .group(20, 5.0)
        .group(42, 0.9)
        // A circle (a donut): two half circles of bulge 1, closed.
        .item("LWPOLYLINE")
        .group(90, 2)
        .group(70, 1)
        .group(10, 3.0)
        .group(20, 3.0)
        .group(42, 1.0)
        .group(10, 4.0)
        .group(20, 3.0)
        .group(42, 1.0)
        // An open polyline of three points.
        .item("LWPOLYLINE")
        .group(90, 3)
        .group(70, 0)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 1.0)
        .group(20, 1.0)
        .group(10, 2.0)
        .group(20, 0.0);
    const auto s = imported(dxf);
    ASSERT_EQ(s.size(), 4u + 2u + 2u);
    EXPECT_EQ(s[0].kind, kEntityLine);
    EXPECT_EQ(s[1].kind, kEntityArc);
    EXPECT_EQ(s[2].kind, kEntityLine);
    EXPECT_EQ(s[3].kind, kEntityArc);
    // The closing end runs through the last and the first point.
    EXPECT_NEAR(std::hypot(s[3].x1 - 0, s[3].y1 - 5), s[3].arc.radius, 1e-9);
    EXPECT_NEAR(std::hypot(s[3].x1 - 0, s[3].y1 - 0), s[3].arc.radius, 1e-9);
    for (std::size_t i : {4u, 5u}) {
        EXPECT_EQ(s[i].kind, kEntityArc);
        EXPECT_NEAR(s[i].x1, 3.5, 1e-9);
        EXPECT_NEAR(s[i].y1, 3, 1e-9);
        EXPECT_NEAR(s[i].arc.radius, 0.5, 1e-9);
        EXPECT_NEAR(s[i].arc.end_angle - s[i].arc.start_angle, 180, 1e-9);
    }
    // The other half.
    EXPECT_NEAR(std::fmod(s[5].arc.start_angle - s[4].arc.start_angle + 360, 360), 180, 1e-9);
    EXPECT_EQ(s[6].kind, kEntityLine);
    EXPECT_EQ(s[7].kind, kEntityLine);
}

TEST_F(Entities, FittedPolylinesDrawTheirCurveNotTheirFrame) {
    DxfFixture dxf;
    dxf.item("POLYLINE")
        .group(66, 1)
        .group(70, 4)
        .item("VERTEX")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(70, 16)
        .item("VERTEX")
        .group(10, 0.0)
        .group(20, 1.0)
        .group(70, 8)
        .item("VERTEX")
        .group(10, 1.0)
        .group(20, 9.0)
        .group(70, 16)
        .item("VERTEX")
        .group(10, 2.0)
        .group(20, 1.0)
        .group(70, 8)
        .item("VERTEX")
        .group(10, 3.0)
        .group(20, 0.0)
        .group(70, 16)
        .item("SEQEND")
        .line("0", 7, 7, 8, 8);
    const auto s = imported(dxf);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_DOUBLE_EQ(s[0].x1, 0);
    EXPECT_DOUBLE_EQ(s[0].y1, 1);
    EXPECT_DOUBLE_EQ(s[0].line.end_x, 2);
    EXPECT_DOUBLE_EQ(s[0].line.end_y, 1);
    EXPECT_DOUBLE_EQ(s[1].x1, 7);
}

TEST_F(Entities, PolyfaceMeshesDrawTheirVisibleEdges) {
    DxfFixture dxf;
    dxf.item("POLYLINE").group(66, 1).group(70, 64).group(71, 4).group(72, 1);
    const double xy[4][2] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    for (const auto& p : xy) dxf.item("VERTEX").group(10, p[0]).group(20, p[1]).group(70, 192);
    // One face, its edge from the third corner hidden.
    dxf.item("VERTEX")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(70, 128)
        .group(71, 1)
        .group(72, 2)
        .group(73, -3)
        .group(74, 4)
        .item("SEQEND");
    const auto s = imported(dxf);
    ASSERT_EQ(s.size(), 3u);
    for (const EntityRecord& e : s) {  // no spike to the origin of the face record
        EXPECT_EQ(e.kind, kEntityLine);
        EXPECT_FALSE(e.x1 == 0 && e.y1 == 0 && e.line.end_x == 0 && e.line.end_y == 0);
    }
    EXPECT_DOUBLE_EQ(s[2].x1, 0);  // the edge from the fourth corner back to the first
    EXPECT_DOUBLE_EQ(s[2].y1, 10);
    EXPECT_DOUBLE_EQ(s[2].line.end_y, 0);
}

TEST_F(Entities, SeenFromBelowArcsPolylinesAndSolidsAreMirrored) {
    DxfFixture dxf;
    dxf.item("ARC")
        .group(10, 30.0)
        .group(20, 5.0)
        .group(40, 10.0)
        .group(50, 0.0)
        .group(51, 90.0)
        .group(210, 0.0)
        .group(220, 0.0)
        .group(230, -1.0)
        .item("LWPOLYLINE")
        .group(90, 2)
        .group(70, 0)
        .group(10, 10.0)
        .group(20, 0.0)
        .group(42, 0.5)
        .group(10, 20.0)
        .group(20, 0.0)
        .group(230, -1.0)
        .item("SOLID")
        .group(10, 1.0)
        .group(20, 0.0)
        .group(11, 2.0)
        .group(21, 0.0)
        .group(12, 1.0)
        .group(22, 1.0)
        .group(13, 1.0)
        .group(23, 1.0)
        .group(230, -1.0);
    const auto s = imported(dxf);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_DOUBLE_EQ(s[0].x1, -30);
    EXPECT_DOUBLE_EQ(s[0].y1, 5);
    EXPECT_DOUBLE_EQ(s[0].arc.start_angle, 90);  // the quarter from 90 to 180 degrees
    EXPECT_DOUBLE_EQ(s[0].arc.end_angle, 180);
    // The bulge turns the other way: the arc from (-10, 0) to (-20, 0) still
    // dips below the chord, about a centre above it.
    EXPECT_EQ(s[1].kind, kEntityArc);
    EXPECT_NEAR(s[1].x1, -15, 1e-9);
    EXPECT_NEAR(s[1].y1, 3.75, 1e-9);
    EXPECT_LT(std::fmod(s[1].arc.start_angle + 360, 360), 270);
    EXPECT_GT(
        std::fmod(s[1].arc.start_angle + 360, 360) + (s[1].arc.end_angle - s[1].arc.start_angle),
        270);
    EXPECT_DOUBLE_EQ(s[2].solid.first_x, -1);
    EXPECT_DOUBLE_EQ(s[2].x1, -2);
}

TEST_F(Entities, SplinesTooShortForTheirDegreeAreTheirControlPolygonAndLeadersTheirLegs) {
    DxfFixture dxf;
    dxf.item("SPLINE")
        .group(70, 8)
        .group(73, 3)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 1.0)
        .group(20, 2.0)
        .group(10, 2.0)
        .group(20, 0.0)
        .group(11, 9.0)
        .group(21, 9.0)
        .item("LEADER")
        .group(71, 1)
        .group(41, 1.0)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 3.0)
        .group(20, 4.0)
        .group(10, 6.0)
        .group(20, 4.0)
        .item("LEADER")
        .group(71, 0)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 0.0)
        .group(20, 5.0)
        .item("LEADER")
        .group(10, 1.0)
        .group(20, 1.0);
    const auto s = imported(dxf);
    ASSERT_EQ(s.size(), 2u + 2u + 1u);
    EXPECT_DOUBLE_EQ(s[1].line.end_x, 2);
    EXPECT_EQ(s[2].kind, kEntityLeader);
    EXPECT_EQ(s[3].kind, kEntityLine);
    EXPECT_DOUBLE_EQ(s[3].line.end_x, 7);  // the last vertex moved out by the arrow size
    EXPECT_EQ(s[4].kind, kEntityLine);
}

TEST_F(Entities, SolidsDimensionsAndPaperSpace) {
    DxfFixture dxf;
    dxf.item("SOLID")
        .group(67, 1)
        .group(10, 1.0)
        .group(20, 2.0)
        .group(11, 3.0)
        .group(21, 4.0)
        .group(12, 5.0)
        .group(22, 6.0)
        .group(13, 7.0)
        .group(23, 8.0)
        .item("DIMENSION")
        .group(2, "*D1")
        .group(12, 5.0)
        .group(22, 6.0)
        .group(70, 34);
    const auto s = imported(dxf);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].kind, kEntitySolid);
    EXPECT_DOUBLE_EQ(s[0].solid.first_x, 1);
    EXPECT_DOUBLE_EQ(s[0].x1, 3);
    EXPECT_DOUBLE_EQ(s[0].solid.third_x, 5);
    EXPECT_DOUBLE_EQ(s[0].solid.third_y, 6);
    EXPECT_DOUBLE_EQ(s[0].solid.fourth_x, 7);
    EXPECT_DOUBLE_EQ(s[0].solid.fourth_y, 8);
    EXPECT_EQ(s[0].paper_space, 1);
    EXPECT_EQ(header().pe_flag, 1);
    EXPECT_EQ(s[1].kind, kEntityDimension);
    EXPECT_EQ(s[1].block, 0);  // no such block
    EXPECT_EQ(s[1].h_align, 1);
    EXPECT_DOUBLE_EQ(s[1].x1, 5);
}

}  // namespace
}  // namespace zov
