// Inserts and dimensions on the recording surface, and the record transform.
#include <random>

#include "common/encoding.h"
#include "render/record_transform.h"

#include "render/drawing_pass.h"

#include "render_fixture.h"

namespace zov {
namespace {

using Calls = std::vector<std::string>;

const std::vector<EntityRecord> kUnitLine = {line_record(0, 0, 0, 10, 0)};
// What a dimension-end style that finds no ends shows at the view's corner.
const std::string kNoEndsNote = "text 0,0 この図面の寸法には表示形式を変えられる端部がありません";

TEST_F(RenderTest, InsertScalesOfZeroCountAsOne) {
    const std::int16_t block = store().add_block("BAR", kUnitLine);
    store().add_entity(insert_record(store().add_layer("A"), block, 20, 20, 0.0, 0.0));
    EXPECT_EQ(draw(), (Calls{"move 20,80", "line 30,80"}));
}

TEST_F(RenderTest, MirroredAndRotatedInserts) {
    const std::int16_t bar = store().add_block("BAR", kUnitLine);
    const std::int16_t quarter = store().add_block("QUARTER", {circle_record(0, 0, 0, 10, 0, 90)});
    const std::int16_t layer = store().add_layer("A");
    store().add_entity(insert_record(layer, bar, 20, 20, -1.0, 1.0));
    store().add_entity(insert_record(layer, bar, 50, 50, 1.0, 1.0, 90.0));
    // The first quadrant mirrored in x is the second, in y the fourth; both
    // stay counter-clockwise.
    store().add_entity(insert_record(layer, quarter, 50, 50, -1.0, 1.0));
    store().add_entity(insert_record(layer, quarter, 50, 50, 1.0, -1.0));
    EXPECT_EQ(draw(), (Calls{"move 20,80", "line 10,80", "move 50,50", "line 50,40",
                             "arc 40,40,60,60 50,40 40,50", "arc 40,40,60,60 50,60 60,50"}));
}

TEST_F(RenderTest, NestedInsertsAccumulateTheirScales) {
    const std::int16_t inner = store().add_block("INNER", {line_record(0, 0, 0, 1, 0)});
    const std::int16_t outer = store().add_block(
        "OUTER", {insert_record(0, inner, 10, 0, 2.0, 2.0), line_record(0, 0, 0, 1, 0)});
    store().add_entity(insert_record(store().add_layer("A"), outer, 20, 20, 3.0, 3.0));
    // Inner line: scale 3 x 2 at (10 x 3 + 20, 20); then the outer line at scale 3 again.
    EXPECT_EQ(draw(), (Calls{"move 50,80", "line 56,80", "move 20,80", "line 23,80"}));
}

TEST_F(RenderTest, BlockEntitiesKeepTheirOwnPenAndByBlockTakesTheInserts) {
    const std::int16_t layer = store().add_layer("A");
    const std::int16_t blue = store().add_layer("BLUE");
    EntityRecord green = line_record(0, 0, 0, 10, 0);
    green.colour = 3;
    green.line_type = 2;
    EntityRecord by_block = line_record(0, 0, 1, 10, 1);  // colour and line type 0
    EntityRecord by_layer = line_record(blue, 0, 2, 10, 2);
    by_layer.colour = kColourByLayer;
    by_layer.line_type = 1;
    const std::int16_t block = store().add_block("PARTS", {green, by_block, by_layer});
    EntityRecord insert = insert_record(layer, block, 0, 0);
    insert.colour = 1;
    insert.line_type = 4;
    store().add_entity(insert);
    // The layer BLUE is read from the store the builder wrote: colour 7 by default.
    EXPECT_EQ(only(draw(), "pen"), (Calls{"pen dash 1 255,0,0", "pen dot 1 0,255,0",
                                          "pen dash 1 255,0,0", "pen solid 1 255,255,255"}));
}

TEST_F(RenderTest, BlockEntitiesOnHiddenLayersAreLeftOutOrGrey) {
    const std::int16_t shown = store().add_layer("A");
    const std::int16_t frozen = store().add_layer("FROZEN", 1 << kLayerHiddenBit);
    EntityRecord kept = line_record(shown, 0, 0, 10, 0);
    kept.colour = 1;
    EntityRecord left_out = line_record(frozen, 0, 5, 10, 5);
    left_out.colour = 3;
    const std::int16_t block = store().add_block("MIXED", {kept, left_out});
    store().add_entity(insert_record(shown, block, 20, 20));
    EXPECT_EQ(only(draw(), "pen"), (Calls{"pen solid 1 255,0,0"}));
    ASSERT_TRUE(view().set_layer_filter(LayerFilter::All));
    EXPECT_EQ(only(redraw(), "pen"), (Calls{"pen solid 1 255,0,0", "pen solid 1 96,96,96"}));
}

TEST_F(RenderTest, BlockBasePointLandsOnTheInsertionPoint) {
    const std::int16_t block = store().add_block("BASE", {line_record(0, 10, 10, 20, 10)}, 10, 10);
    store().add_entity(insert_record(store().add_layer("A"), block, 50, 50));
    EXPECT_EQ(only(draw(), "move"), (Calls{"move 50,50"}));
}

TEST_F(RenderTest, BlocksInsertingThemselvesAreNotDrawnAgainInsideThemselves) {
    // Block 1 draws a line and inserts itself one unit higher; blocks 2 and
    // 3 insert each other.
    store().add_block("SELF", {line_record(0, 0, 0, 1, 0), insert_record(0, 1, 0, 1)});
    store().add_block("PING", {line_record(0, 0, 0, 1, 0), insert_record(0, 3, 0, 1)});
    store().add_block("PONG", {line_record(0, 0, 0, 1, 0), insert_record(0, 2, 0, 1)});
    const std::int16_t layer = store().add_layer("A");
    store().add_entity(insert_record(layer, 1, 10, 10));
    store().add_entity(insert_record(layer, 2, 50, 10));
    store().add_entity(insert_record(layer, 1, 70, 10));     // the same block again: drawn
    store().add_entity(line_record(layer, 90, 90, 95, 95));  // the pass goes on
    EXPECT_EQ(only(draw(), "line"),
              (Calls{"line 11,90", "line 51,90", "line 51,89", "line 71,90", "line 95,5"}));
}

TEST_F(RenderTest, InsertsNestedTooDeeplyStopAtTheDepthLimit) {
    // Block n draws a line and inserts block n + 1 one unit higher.
    const int chain = kMaxInsertDepth + 4;
    for (int n = 1; n <= chain; ++n) {
        store().add_block(
            "LEVEL" + std::to_string(n),
            {line_record(0, 0, 0, 1, 0), insert_record(0, static_cast<std::int16_t>(n + 1), 0, 1)});
    }
    store().add_entity(insert_record(store().add_layer("A"), 1, 10, 10));
    const Calls lines = only(draw(), "line");
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kMaxInsertDepth));
    EXPECT_EQ(lines.back(), "line 11," + std::to_string(90 - kMaxInsertDepth + 1));
}

// Counts the lines of a pass and draws nothing.
class LineCounter : public Surface {
public:
    long lines = 0;
    int width() const override { return 100; }
    int height() const override { return 100; }
    void fill_rect(int, int, int, int, Rgb) override {}
    void fill_polygon(std::span<const PixelPoint>, Rgb) override {}
    void set_background_opaque(bool) override {}
    void select_pen(PenStyle, int, Rgb) override {}
    void move_to(int, int) override {}
    void line_to(int, int) override { ++lines; }
    void arc(int, int, int, int, int, int, int, int) override {}
    bool select_font(const FontSpec&) override { return true; }
    void set_text_colour(Rgb) override {}
    void text_out(int, int, std::string_view) override {}
    void set_xor_drawing(bool) override {}
};

TEST_F(RenderTest, NestedArraysStopAtThePassBudgetAndSaySo) {
    // Block n inserts block n + 1 `fan` times; the last one draws a line:
    // fan^4 lines, 10^8 for a fan of 100.
    for (const long fan : {10L, 100L}) {
        SCOPED_TRACE(fan);
        for (std::int16_t n = 1; n <= 4; ++n) {
            const std::vector<EntityRecord> copies(static_cast<std::size_t>(fan),
                                                   insert_record(0, n + 1, 0, 0));
            store().add_block("LEVEL" + std::to_string(n), copies);
        }
        store().add_block("LINE", kUnitLine);
        store().add_entity(insert_record(store().add_layer("A"), 1, 10, 10));
        finish_store();
        LineCounter counter;
        view().draw_drawing(counter);
        if (fan == 10) {
            EXPECT_EQ(counter.lines, 10'000);
            EXPECT_FALSE(view().blocks_cut());
        } else {
            // Each line spends two: its insert and itself.
            EXPECT_GT(counter.lines, kBlockEntityBase * 4 / 10);
            EXPECT_LE(counter.lines, kBlockEntityBase);
            EXPECT_TRUE(view().blocks_cut());
        }
        view_.reset();  // the next store is built afresh in the same folder
    }
}

class DimensionTest : public RenderTest {
protected:
    // A dimension at (20, 50) whose picture has its line, two arrow-head
    // inserts at its ends and two definition points 5 units below them.
    void build(std::int32_t h_align = 0) {
        const std::int16_t arrow = store().add_block("_ARROW", {line_record(0, 0, 0, 1, 1)});
        EntityRecord d0, d1;
        d0.kind = d1.kind = kEntityPoint;
        d0.x1 = 0, d0.y1 = -5;
        d1.x1 = 10, d1.y1 = -5;
        const std::int16_t picture =
            store().add_block("*D1", {line_record(0, 0, 0, 10, 0), insert_record(0, arrow, 0, 0),
                                      insert_record(0, arrow, 10, 0), d0, d1});
        EntityRecord dimension;
        dimension.kind = kEntityDimension;
        dimension.layer = store().add_layer("DIM");
        dimension.block = picture;
        dimension.h_align = h_align;
        dimension.x1 = 20;
        dimension.y1 = 50;
        store().add_entity(dimension);
    }
    Calls draw_ends(DimensionEnds ends) {
        Calls first = draw();
        EXPECT_EQ(view().dimensions_drawn(), 1);
        if (ends == DimensionEnds::AsData) return first;
        EXPECT_TRUE(view().set_dimension_ends(ends));
        return redraw();
    }
};

TEST_F(DimensionTest, AsDataDrawsThePictureWithoutItsPoints) {
    build();
    EXPECT_EQ(draw_ends(DimensionEnds::AsData), (Calls{"move 20,50", "line 30,50", "move 20,50",
                                                       "line 21,49", "move 30,50", "line 31,49"}));
}

TEST_F(DimensionTest, FilledDotsReplaceLinesAndArrowHeads) {
    build();
    const Calls calls = draw_ends(DimensionEnds::FilledDots);
    ASSERT_EQ(calls.size(), 6u + 2u * 10u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6),
              (Calls{"move 30,50", "line 20,50", "move 30,50", "line 30,55", "move 20,50",
                     "line 20,55"}));
    EXPECT_EQ(calls[6], "move 28,49");   // the first stroke of the dot at A1
    EXPECT_EQ(calls[16], "move 18,49");  // and at A0
}

TEST_F(DimensionTest, OpenAndFilledArrows) {
    build();
    EXPECT_EQ(only(draw_ends(DimensionEnds::OpenArrows), "line").size(), 3u + 2u * 2u);
    EXPECT_TRUE(view().set_dimension_ends(DimensionEnds::FilledArrows));
    // Each filled head adds its wing-to-wing line and its fill.
    const Calls calls = redraw();
    EXPECT_EQ(only(calls, "line").size(), 3u + 2u * (2u + 1u));
    EXPECT_EQ(only(calls, "polygon").size(), 2u);
}

TEST_F(DimensionTest, AngularDimensionsAlwaysDrawAsData) {
    build(1);
    finish_store();
    view().draw_drawing(surface_);
    view().set_dimension_ends(DimensionEnds::FilledDots);
    const Calls calls = draw();
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6),
              (Calls{"move 20,50", "line 30,50", "move 20,50", "line 21,49", "move 30,50",
                     "line 31,49"}));
    EXPECT_EQ(only(calls, "text "), Calls{kNoEndsNote});
}

TEST_F(RenderTest, DimensionPicturesWithoutArrowInsertsDrawAsData) {
    const std::int16_t picture = store().add_block("*D2", {line_record(0, 0, 0, 10, 0)});
    EntityRecord dimension;
    dimension.kind = kEntityDimension;
    dimension.layer = store().add_layer("DIM");
    dimension.block = picture;
    dimension.x1 = 20;
    dimension.y1 = 50;
    store().add_entity(dimension);
    draw();
    ASSERT_TRUE(view().set_dimension_ends(DimensionEnds::FilledArrows));
    // The picture as it is, and at the top left the note that the style
    // found no ends to draw.
    const Calls calls = redraw();
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 2), (Calls{"move 20,50", "line 30,50"}));
    EXPECT_EQ(only(calls, "text "), Calls{kNoEndsNote});
}

TEST_F(RenderTest, DimensionEndStylesNeedADimension) {
    store().add_entity(line_record(store().add_layer("A"), 0, 0, 1, 1));
    draw();
    EXPECT_FALSE(view().set_dimension_ends(DimensionEnds::OpenArrows));
    EXPECT_EQ(view().settings.dimension_ends, DimensionEnds::AsData);
    EXPECT_EQ(messages_.last(), utf8_to_cp932("寸法図形が存在しません"));
}

TEST(RecordTransform, TextAnglesUnderMirrors) {
    EntityRecord text = text_record(0, 1, 2, 1.0, 30);
    auto angle_under = [&](double sx, double sy) {
        EntityRecord t = text;
        transform_record(t, {0, 0, sx, sy, 0});
        return t.text.angle;
    };
    EXPECT_DOUBLE_EQ(angle_under(-1, 1), 330);
    EXPECT_DOUBLE_EQ(angle_under(1, -1), 150);
    EXPECT_DOUBLE_EQ(angle_under(-1, -1), 210);

    EntityRecord tall = text;
    transform_record(tall, {5, 5, 1, 2, 0});
    EXPECT_DOUBLE_EQ(tall.text.height, 2.0);
    // Twice as high, as wide as before: half the width factor.
    EXPECT_DOUBLE_EQ(tall.text.width_factor, 0.5);
    EXPECT_DOUBLE_EQ(tall.x1, 6.0);
    EXPECT_DOUBLE_EQ(tall.y1, 9.0);
}

TEST(RecordTransform, AreaInBlockHoldsEveryPointPlacedInTheArea) {
    // A point of the block that an insert places inside an area lies
    // inside that area taken back into the block.
    const InsertTransform kTransforms[] = {
        {0, 0, 1, 1, 0, 0, 0},       {50, -20, 2, 2, 30, 3, 4}, {7, 7, -1, 1, 90, 0, 0},
        {-5, 8, 0.5, -3, 200, 1, 1}, {0, 0, 0, 0, 45, 2, 2},
    };
    const DrawingExtents area{-10, -5, 30, 15};
    std::mt19937 random(5);
    std::uniform_real_distribution<double> any(-60, 60);
    for (const InsertTransform& transform : kTransforms) {
        const DrawingExtents back = area_in_block(area, transform);
        for (int round = 0; round < 2000; ++round) {
            EntityRecord point = line_record(0, any(random), any(random), 0, 0);
            point.kind = kEntityPoint;
            const double x = point.x1, y = point.y1;
            transform_record(point, transform);
            const bool inside = point.x1 >= area.min_x && point.x1 <= area.max_x &&
                                point.y1 >= area.min_y && point.y1 <= area.max_y;
            const bool in_back =
                x >= back.min_x && x <= back.max_x && y >= back.min_y && y <= back.max_y;
            if (inside) {
                EXPECT_TRUE(in_back) << x << "," << y << " rotation " << transform.rotation;
            }
        }
        // An area or a placing of absurd numbers gives the whole plane.
        const InsertTransform absurd{INFINITY, 0, 1, 1, 0, 0, 0};
        EXPECT_TRUE(meets(area_in_block(area, absurd), {1e300, 1e300, 1e300, 1e300}));
        // Without a turn the area comes back exactly.
        if (transform.rotation == 0.0 && transform.x_scale == 1.0 && transform.y_scale == 1.0) {
            EXPECT_DOUBLE_EQ(back.min_x, area.min_x - transform.x + transform.base_x);
            EXPECT_DOUBLE_EQ(back.max_y, area.max_y - transform.y + transform.base_y);
        }
    }
}

TEST(RecordTransform, AllPointsOfLinesLeadersAndSolidsMove) {
    EntityRecord leader = line_record(0, 1, 0, 2, 0);
    leader.kind = kEntityLeader;
    transform_record(leader, {10, 20, 2, 2, 90});
    EXPECT_NEAR(leader.x1, 10, 1e-12);
    EXPECT_NEAR(leader.y1, 22, 1e-12);
    EXPECT_NEAR(leader.line.end_x, 10, 1e-12);
    EXPECT_NEAR(leader.line.end_y, 24, 1e-12);

    EntityRecord solid;
    solid.kind = kEntitySolid;
    solid.x1 = 1, solid.solid.first_x = 2, solid.solid.third_x = 3, solid.solid.fourth_x = 4;
    solid.y1 = 5, solid.solid.first_y = 6, solid.solid.third_y = 7, solid.solid.fourth_y = 8;
    transform_record(solid, {100, 200, -1, 1, 0});
    EXPECT_EQ((std::vector<double>{solid.x1, solid.solid.first_x, solid.solid.third_x,
                                   solid.solid.fourth_x}),
              (std::vector<double>{99, 98, 97, 96}));
    EXPECT_EQ((std::vector<double>{solid.y1, solid.solid.first_y, solid.solid.third_y,
                                   solid.solid.fourth_y}),
              (std::vector<double>{205, 206, 207, 208}));
}

TEST(RecordTransform, ArcsTurnWithTheInsertAndEllipsesKeepTheirRatio) {
    EntityRecord arc = circle_record(0, 0, 0, 2, 0, 90);
    transform_record(arc, {0, 0, 3, 3, 400});
    EXPECT_DOUBLE_EQ(arc.arc.tilt, 40);
    EXPECT_DOUBLE_EQ(arc.arc.start_angle, 40);
    EXPECT_DOUBLE_EQ(arc.arc.end_angle, 130);
    EXPECT_DOUBLE_EQ(arc.arc.radius, 6);

    EntityRecord ellipse = circle_record(0, 0, 0, 2, 10, 20);
    ellipse.arc.axis_ratio = 0.5;
    transform_record(ellipse, {0, 0, 2, 2, 0});
    EXPECT_DOUBLE_EQ(ellipse.arc.axis_ratio, 0.5);
    // Parameter angles stay in the ellipse's own frame.
    EXPECT_DOUBLE_EQ(ellipse.arc.start_angle, 10);

    EXPECT_DOUBLE_EQ(wrap_degrees(-30), 330);
    EXPECT_DOUBLE_EQ(wrap_degrees(360), 360);
    EXPECT_DOUBLE_EQ(wrap_degrees(725), 5);
}

}  // namespace
}  // namespace zov
