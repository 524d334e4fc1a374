// The record makers of the JW_CAD for Windows import, entity by entity:
// angles, corners and the pieces of what the store holds simpler.
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "jw/jww_records.h"

namespace zov {
namespace {

constexpr double kPi = std::numbers::pi;

class KeepingSink : public JwwRecordSink {
public:
    struct Kept {
        EntityRecord record;
        std::string text;
    };
    void put(EntityRecord& record, std::string_view text) override {
        kept.push_back({record, std::string(text)});
    }
    std::vector<Kept> kept;
};

class JwwRecords : public ::testing::Test {
protected:
    JwwRecords() {
        context.header = &header;
        context.decimals = 3;
        context.blocks = &blocks;
    }
    JwwHeader header;
    std::unordered_map<std::uint32_t, std::int16_t> blocks{{42, 3}};
    JwwRecordContext context;
    KeepingSink sink;
};

TEST_F(JwwRecords, ArcsTakeTheirSweepCounterClockwise) {
    const struct {
        double start, sweep, tilt, flattening;
        bool full;
        double axis_ratio, tilt_degrees, start_angle, end_angle;
    } cases[] = {
        {0, kPi / 2, 0, 1, false, 1, 0, 0, 90},
        {0, -kPi / 2, 0, 1, false, 1, 0, -90, 0},  // clockwise: the same arc from its end
        {kPi / 2, kPi / 2, kPi / 2, 1, false, 1, 0, 180, 270},  // circles turn by the tilt
        {0, 2 * kPi, 0, 1, true, 1, 0, 0, 0},                   // full circle: equal angles
        {0, kPi, kPi / 2, 0.5, false, 0.5, 90, 0, 180},         // ellipse: its own parameters
        {1, 2 * kPi, 0, 2, true, 2, 0, 0, 360},
    };
    for (const auto& c : cases) {
        JwwArc arc;
        arc.radius = 10;
        arc.start = c.start, arc.sweep = c.sweep, arc.tilt = c.tilt;
        arc.flattening = c.flattening, arc.full = c.full;
        sink.kept.clear();
        make_jww_arc(context, arc, sink);
        ASSERT_EQ(sink.kept.size(), 1u);
        const EntityRecord& e = sink.kept[0].record;
        EXPECT_EQ(e.kind, kEntityArc);
        EXPECT_DOUBLE_EQ(e.arc.radius, 10);
        EXPECT_DOUBLE_EQ(e.arc.axis_ratio, c.axis_ratio);
        EXPECT_NEAR(e.arc.tilt, c.tilt_degrees, 1e-9);
        EXPECT_NEAR(e.arc.start_angle, c.start_angle, 1e-9) << c.start << " " << c.sweep;
        EXPECT_NEAR(e.arc.end_angle, c.end_angle, 1e-9) << c.start << " " << c.sweep;
    }
}

TEST_F(JwwRecords, SolidsRoundSolidsImagesAndInserts) {
    JwwSolid quad;
    quad.x = {0, 10, 10, 0};
    quad.y = {0, 0, 5, 5};
    quad.base.pen_colour = kJwwSolidOwnColour;
    quad.rgb = 0xFF0000;  // blue
    make_jww_solid(context, quad, sink);
    ASSERT_EQ(sink.kept.size(), 1u);
    const EntityRecord& s = sink.kept[0].record;
    EXPECT_EQ(s.colour, 6);
    // Store corners 1, 2, 4, 3 run round the file's start, end, point 2, point 3.
    EXPECT_EQ((std::vector<double>{s.solid.first_x, s.solid.first_y, s.x1, s.y1, s.solid.fourth_x,
                                   s.solid.fourth_y, s.solid.third_x, s.solid.third_y}),
              (std::vector<double>{0, 0, 10, 0, 10, 5, 0, 5}));

    const struct {
        std::uint8_t style;
        double sweep, variant;
        std::size_t records;
        std::int32_t kind;
    } round[] = {{101, 0, 100, 72, kEntitySolid},      // disc
                 {101, kPi / 2, 0, 18, kEntitySolid},  // sector
                 {101, kPi, 5, 36, kEntitySolid},      // segment
                 {105, 2 * kPi, 4, 72, kEntitySolid},  // ring
                 {111, kPi, 0, 1, kEntityArc},         // arc band: its outline
                 {101, kPi, -1, 1, kEntityArc}};       // outside an arc: its outline
    for (const auto& r : round) {
        JwwSolid solid;
        solid.base.pen_style = r.style;
        solid.x = {0, 10, 0, r.sweep};
        solid.y = {0, 1, 0, r.variant};
        sink.kept.clear();
        make_jww_solid(context, solid, sink);
        ASSERT_EQ(sink.kept.size(), r.records) << int{r.style} << " " << r.variant;
        EXPECT_EQ(sink.kept[0].record.kind, r.kind);
    }

    JwwText image;
    image.start_x = 1, image.start_y = 2, image.height = 2, image.width = 2;
    image.text = "^@BM%temp%\\site.bmp,40,30";
    sink.kept.clear();
    make_jww_text(context, image, sink);
    ASSERT_EQ(sink.kept.size(), 5u);
    EXPECT_DOUBLE_EQ(sink.kept[1].record.x1, 41);
    EXPECT_DOUBLE_EQ(sink.kept[2].record.y1, 32);
    EXPECT_EQ(sink.kept[4].record.kind, kEntityText);
    EXPECT_EQ(sink.kept[4].text, "site.bmp");

    JwwLine far;  // numbers beyond any paper leave the entity out
    far.end_x = 1e300;
    sink.kept.clear();
    make_jww_line(context, far, sink);
    EXPECT_TRUE(sink.kept.empty());
    EXPECT_EQ(context.out_of_range, 1);

    JwwInsert insert;
    insert.angle = kPi / 2;
    for (std::uint32_t number : {42u, 43u}) {
        insert.block_number = number;
        sink.kept.clear();
        make_jww_insert(context, insert, sink);
        ASSERT_EQ(sink.kept.size(), 1u);
        EXPECT_EQ(sink.kept[0].record.block, number == 42 ? 3 : 0);
        EXPECT_DOUBLE_EQ(sink.kept[0].record.insert.rotation, 90);
    }
}

}  // namespace
}  // namespace zov
