// The pass on the recording surface: pixel arithmetic and call order.
#include "render/drawing_pass.h"

#include "common/encoding.h"
#include "render_fixture.h"

namespace zov {
namespace {

using Calls = std::vector<std::string>;

TEST_F(RenderTest, PassOpensWithBlackClearAndWhitePen) {
    store().add_entity(line_record(store().add_layer("A"), 10, 20, 30, 40));
    finish_store();
    ASSERT_EQ(view().draw_drawing(surface_), 0);
    ASSERT_GE(surface_.calls.size(), 3u);
    EXPECT_EQ(surface_.calls[0], "fill 0,0,100,100 0,0,0");
    EXPECT_EQ(surface_.calls[1], "background transparent");
    EXPECT_EQ(surface_.calls[2], "pen solid 1 255,255,255");
}

TEST_F(RenderTest, PointsMapByScaleOriginAndFlipTruncatingTowardZero) {
    const std::int16_t layer = store().add_layer("A");
    store().add_entity(line_record(layer, 10, 20, 30.4, 40.6));
    store().add_entity(line_record(layer, 4.6, 100, 4.0, 100));
    // Window (5, 10)-(55, 60): scale 2, origin (5, 10), flip at y = 100.
    EXPECT_EQ(draw({5, 10, 55, 60}),
              (Calls{"move 10,140", "line 51,99", "move 0,-19", "line -1,-19"}));
    EXPECT_DOUBLE_EQ(view().view.view_scale, 2.0);
}

TEST_F(RenderTest, ArcThroughZeroAndFullCircles) {
    const std::int16_t layer = store().add_layer("A");
    store().add_entity(circle_record(layer, 50, 50, 20, 350, 10));
    store().add_entity(circle_record(layer, 50, 50, 20, 45, 45));
    store().add_entity(circle_record(layer, 50, 50, 20, 30, 390));    // a whole turn apart
    store().add_entity(circle_record(layer, 50, 50, 20, 10, 10.01));  // radial pixels coincide
    EXPECT_EQ(draw(), (Calls{"arc 30,30,70,70 70,53 70,47", "arc 30,30,70,70 64,36 64,36",
                             "arc 30,30,70,70 67,40 67,40"}));
}

TEST_F(RenderTest, EllipsesArePolylinesInParameterSteps) {
    const std::int16_t layer = store().add_layer("A");
    EntityRecord ellipse = circle_record(layer, 50, 50, 20);
    ellipse.arc.axis_ratio = 0.5;
    store().add_entity(ellipse);
    EntityRecord quarter = ellipse;
    quarter.arc.tilt = 90;  // major axis upright
    quarter.arc.start_angle = 0;
    quarter.arc.end_angle = 90;
    store().add_entity(quarter);
    const Calls calls = draw();
    // Full turn: 34 steps of 0.1873 radian, the last clamped to 2 pi.
    ASSERT_EQ(calls.size(), 1u + 34u + 1u + 9u);
    EXPECT_EQ(calls[0], "move 70,50");
    EXPECT_EQ(calls[1], "line 70,48");
    EXPECT_EQ(calls[34], "line 70,50");
    // Quarter from the top of the upright ellipse to its left end.
    EXPECT_EQ(calls[35], "move 50,30");
    EXPECT_EQ(calls.back(), "line 40,50");
}

TEST_F(RenderTest, PointMarksOnlyAboveTheDetailScale) {
    set_extents(0, 0, 10000, 10000);
    store().add_entity([&] {
        EntityRecord point;
        point.kind = kEntityPoint;
        point.layer = store().add_layer("A");
        point.x1 = 2500;
        point.y1 = 7500;
        return point;
    }());
    finish_store();
    view().draw_drawing(surface_);
    EXPECT_LE(view().view.view_scale, 0.015);
    EXPECT_TRUE(only(redraw(), "line").empty());

    view().view.set_view_window(0, 0, 5000, 5000);  // scale 0.02
    EXPECT_EQ(redraw(),
              (Calls{"move 48,49", "line 48,51", "move 49,48", "line 49,52", "move 50,48",
                     "line 50,52", "move 51,48", "line 51,52", "move 52,49", "line 52,51"}));
}

TEST_F(RenderTest, SmallTextIsDrawnAsItsBox) {
    set_extents(0, 0, 4, 10);  // not ten times as wide as the texts: the header's extents stand
    const std::int16_t layer = store().add_layer("A");
    add_text(layer, 2, 3, 0.3, "AB");
    add_text(layer, 2, 3, 0.4, "AB");
    // Scale 10: capitals of 0.3 units are 3 pixels, too small to read; the
    // box reaches the font's top (0.3 / 0.75 x 0.88 above the base line) and
    // is two CAD character cells (0.3 each) long.
    // Capitals of 0.4 units: a font of 0.4 / 0.75 units, 5 pixels, its
    // half-width characters (half the font) stretched to cells of 0.4.
    EXPECT_EQ(draw({0, 0, 10, 10}), (Calls{"move 20,70", "line 20,66", "line 26,66", "line 26,70",
                                           "line 20,70", "font ＭＳ ゴシック 5 0 400 stretch 150",
                                           "textcolour 255,255,255", "text 20,65 AB"}));
}

TEST_F(RenderTest, TextsCoveringThePictureManyTimesOverBecomeBoxes) {
    // 100 texts, each covering the whole 100 x 100 surface: the first 64
    // spend the pass's text cover, the rest are drawn as their boxes.
    const std::int16_t layer = store().add_layer("A");
    for (int i = 0; i < 100; ++i) add_text(layer, -10, -10, 150, "WWWW");
    const Calls calls = draw();
    EXPECT_EQ(only(calls, "text ").size(), static_cast<std::size_t>(kTextCoverBudget));
    EXPECT_EQ(view().texts_boxed(), 100 - static_cast<long>(kTextCoverBudget));
    EXPECT_EQ(only(calls, "line").size(), 4u * view().texts_boxed());
}

// One-byte characters take the CAD cell (as wide as the capitals are high),
// double-byte ones the font's full width, both times the width factor: a
// mixed text is drawn in runs, each at its distance along the base line.
TEST_F(RenderTest, WidthFactorStretchesTheFont) {
    set_extents(0, 0, 10, 10);
    EntityRecord text = text_record(store().add_layer("A"), 2, 3, 0.75, 0.0);
    text.text.width_factor = 1.5;
    store().attach_text(text, "W" + utf8_to_cp932("壁") + "X");
    store().add_entity(text);
    // Capitals of 0.75: a font of 1 unit (10 pixels); "W" 1.125 long.
    const Calls calls = draw({0, 0, 10, 10});
    EXPECT_EQ(only(calls, "font"), (Calls{"font ＭＳ ゴシック 10 0 400 stretch 225",
                                          "font ＭＳ ゴシック 10 0 400 stretch 150",
                                          "font ＭＳ ゴシック 10 0 400 stretch 225"}));
    EXPECT_EQ(only(calls, "text "), (Calls{"text 20,61 W", "text 31,61 壁", "text 46,61 X"}));
}

TEST_F(RenderTest, TextsOffTheWindowAndVerticalTexts) {
    store().header().kind = kSourceJwCad;  // heights are the fonts' own
    set_extents(0, 0, 30, 10);
    const std::int16_t layer = store().add_layer("A");
    add_text(layer, 20, 3, 1, "X");  // off the window
    // Spread and vertical: one character per call.
    add_text(layer, 2, 3, 1, utf8_to_cp932("縦書"), 270, 21);
    EXPECT_EQ(
        draw({0, 0, 10, 10}),
        (Calls{"font @ＭＳ ゴシック 10 2700 400", "textcolour 255,255,255", "text 30,70 縦",
               "font @ＭＳ ゴシック 10 2700 400", "textcolour 255,255,255", "text 30,80 書"}));
}

TEST_F(RenderTest, ControlCodeTextsDrawPiecesAndSmallMarkedCharacters) {
    store().header().kind = kSourceJwCad;  // JW_CAD's texts
    set_extents(0, 0, 10, 10);
    add_text(store().add_layer("A"), 1, 5, 1, "X^u2^1Y", 0, 10);
    EXPECT_EQ(only(draw({0, 0, 10, 10}), "text "),
              (Calls{"text 10,40 X", "text 15,40 2", "text 20,40 Y"}));
    const Calls fonts = only(redraw(), "font");
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[1], "font ＭＳ ゴシック 6 0 400");
}

TEST_F(RenderTest, SpreadTextsSpaceCharactersByTheirMarkers) {
    store().header().kind = kSourceJwCad;  // JW_CAD's texts
    set_extents(0, 0, 10, 10);
    // One half-width dot: pitch 0.5 + 0.5 / 2.
    add_text(store().add_layer("A"), 1, 5, 1, utf8_to_cp932("ABC･"), 0, 20);
    EXPECT_EQ(only(draw({0, 0, 10, 10}), "text "),
              (Calls{"text 10,40 A", "text 18,40 B", "text 25,40 C"}));
}

TEST_F(RenderTest, ColoursAndPenCache) {
    const std::int16_t layer = store().add_layer("A");
    auto line = [&](std::int32_t colour, std::int32_t line_type) {
        EntityRecord e = line_record(layer, 0, 0, 10, 10);
        e.colour = colour;
        e.line_type = line_type;
        store().add_entity(e);
    };
    line(1, 1);    // red, solid: a new pen
    line(1, 1);    // the same pen is kept
    line(256, 0);  // ByLayer: the layer's white and solid line type
    line(1, 2);    // dotted: a new pen
    line(0, 0);    // keeps red, takes the layer's solid line type
    line(3, 7);    // green, dash-dot-dot
    line(253, 1);  // palette grey 130
    EXPECT_EQ(only(draw(), "pen"), (Calls{"pen solid 1 255,0,0", "pen solid 1 255,255,255",
                                          "pen dot 1 255,0,0", "pen solid 1 255,0,0",
                                          "pen dashdotdot 1 0,255,0", "pen solid 1 130,130,130"}));
}

class LayerFilterTest : public RenderTest {
protected:
    // One red line on each of a visible, a hidden and a locked layer.
    Calls draw_with(LayerFilter filter) {
        if (!built_) {
            const std::int16_t layers[] = {store().add_layer("SHOWN"),
                                           store().add_layer("HIDDEN", 1 << kLayerHiddenBit),
                                           store().add_layer("LOCKED", 1 << kLayerLockedBit)};
            for (std::int16_t layer : layers) {
                EntityRecord e = line_record(layer, layer, 0, layer, 10);
                e.colour = 1;
                store().add_entity(e);
            }
            built_ = true;
        }
        view().set_layer_filter(filter);
        Calls calls = draw();
        std::erase_if(calls, [](const std::string& c) { return c.rfind("line", 0) == 0; });
        return calls;
    }
    bool built_ = false;
};

TEST_F(LayerFilterTest, VisibleLayersOnlyGreyLocked) {
    EXPECT_EQ(draw_with(LayerFilter::Visible),
              (Calls{"pen solid 1 255,0,0", "move 1,100", "pen solid 1 96,96,96", "move 3,100"}));
}

TEST_F(LayerFilterTest, AllLayersGreyHidden) {
    EXPECT_EQ(draw_with(LayerFilter::All),
              (Calls{"pen solid 1 255,0,0", "move 1,100", "pen solid 1 96,96,96", "move 2,100",
                     "pen solid 1 255,0,0", "move 3,100"}));
}

TEST_F(LayerFilterTest, HiddenAndLockedOnlyInTheirOwnColours) {
    EXPECT_EQ(draw_with(LayerFilter::Hidden), (Calls{"pen solid 1 255,0,0", "move 2,100"}));
    EXPECT_EQ(draw_with(LayerFilter::Locked), (Calls{"pen solid 1 255,0,0", "move 3,100"}));
}

TEST_F(RenderTest, JwCadStoresUseThePenColours) {
    store().header().kind = kSourceJwCad;
    const std::int16_t layer = store().add_layer("A");
    for (std::int32_t colour : {1, 2, 7, 9}) {
        EntityRecord e = line_record(layer, 0, 0, 1, 1);
        e.colour = colour;
        store().add_entity(e);
    }
    EXPECT_EQ(only(draw(), "pen"), (Calls{"pen solid 1 0,255,255", "pen solid 1 255,255,255",
                                          "pen solid 1 255,0,0", "pen solid 1 255,255,255"}));
}

TEST_F(RenderTest, PaperSpaceEntitiesAreScaledToModelUnits) {
    store().header().scale = 0;  // paper scale 200
    EntityRecord e = line_record(store().add_layer("A"), 0.1, 0.1, 0.2, 0.3);
    e.paper_space = 1;
    store().add_entity(e);
    EXPECT_EQ(draw(), (Calls{"move 20,80", "line 40,40"}));
}

TEST_F(RenderTest, SolidsAreOutlinedAndFilled) {
    set_extents(0, 0, 4000, 30);  // under ten times the solids' height: the box stands
    const std::int16_t layer = store().add_layer("A");
    EntityRecord solid;
    solid.kind = kEntitySolid;
    solid.layer = layer;
    solid.colour = 1;
    solid.solid.first_x = 0, solid.solid.first_y = 0;    // first corner
    solid.x1 = 10, solid.y1 = 0;                         // second
    solid.solid.third_x = 0, solid.solid.third_y = 4;    // third
    solid.solid.fourth_x = 0, solid.solid.fourth_y = 4;  // fourth = third: a triangle
    store().add_entity(solid);
    solid.solid.fourth_x = 10, solid.solid.fourth_y = 4;  // a rectangle: two triangles
    store().add_entity(solid);
    const Calls calls = draw({0, -70, 100, 30});
    // The triangle: P-Q, its fill in the pen's colour, then three edges.
    EXPECT_EQ(
        std::vector<std::string>(calls.begin(), calls.begin() + 7),
        (Calls{"pen solid 1 255,0,0", "move 0,100", "line 0,96",
               "polygon 0,100 0,96 10,100 255,0,0", "move 10,100", "line 0,100", "move 0,96"}));
    EXPECT_EQ(only(calls, "line").size(), 1u + 3u + 2u * (1u + 2u));
    EXPECT_EQ(only(calls, "polygon"),
              (Calls{"polygon 0,100 0,96 10,100 255,0,0", "polygon 0,100 0,96 10,100 255,0,0",
                     "polygon 10,96 10,100 0,96 255,0,0"}));
}

TEST_F(RenderTest, LeadersEndInAFilledArrowHead) {
    set_extents(0, 0, 200, 100);  // arrow size 200 / 200 * 3 = 3 units
    EntityRecord leader = line_record(store().add_layer("A"), 10, 50, 50, 50);
    leader.kind = kEntityLeader;
    store().add_entity(leader);
    const Calls calls = draw();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0], "move 10,50");
    EXPECT_EQ(calls[1], "line 50,50");
    // Wings of length 3 at 7.5 degrees either side of the leg.
    EXPECT_EQ(calls[2], "move 10,50");
    EXPECT_EQ(calls[3], "line 13,50");
    EXPECT_EQ(calls[5], "line 13,50");
    // The head between the wing ends and the tip is filled.
    EXPECT_EQ(only(calls, "polygon"), (Calls{"polygon 13,50 13,50 10,50 255,255,255"}));
}

TEST_F(RenderTest, StoreThatCannotBeOpenedDrawsNothing) {
    EXPECT_EQ(view().draw_drawing(surface_), -1);
    EXPECT_TRUE(surface_.calls.empty());
    ASSERT_EQ(messages_.entries.size(), 2u);
    EXPECT_EQ(messages_.entries[0].text,
              path("$VV_DAT$.TMP") + utf8_to_cp932(" をオープンできない(LAY_fp)"));
    EXPECT_EQ(messages_.entries[1].text, "open error");
}

// The fit after a load: the extents the view was fitted to.
class FitTest : public RenderTest {
protected:
    DrawingExtents fitted() {
        finish_store();
        view().drawing_loaded();
        EXPECT_EQ(view().draw_drawing(surface_), 0);
        return view().view.extents;
    }
};

TEST_F(FitTest, DrawingsWithoutExtentsAreFittedToTheirEntities) {
    set_extents(1e8, 1e8, -1e8, -1e8);  // the empty box: no extents known
    const std::int16_t layer = store().add_layer("A");
    store().add_entity(circle_record(layer, 50, 50, 10));
    store().add_entity(line_record(layer, 30, 45, 40, 45));
    const DrawingExtents box = fitted();
    // The entities' box (30, 40)-(60, 60) with a margin of 2 % on each side.
    EXPECT_NEAR(box.min_x, 29.4, 1e-9);
    EXPECT_NEAR(box.min_y, 39.6, 1e-9);
    EXPECT_NEAR(box.max_x, 60.6, 1e-9);
    EXPECT_NEAR(box.max_y, 60.4, 1e-9);
}

TEST_F(FitTest, StaleExtentsGiveWayToWhatInsertsAndTextsCover) {
    set_extents(0, 0, 1, 1);  // left from an earlier, tiny drawing
    const std::int16_t layer = store().add_layer("A");
    const std::int16_t wide = store().add_block("WIDE", {line_record(0, 5, 0, 105, 0)}, 5, 0);
    store().add_entity(line_record(layer, 0, 0, 10, 10));
    store().add_entity(insert_record(layer, wide, 0, 50));
    add_text(layer, 0, 90, 7.5, "AB");  // the font box reaches 90 + 7.5 / 0.75 x 0.88 = 98.8
    const DrawingExtents box = fitted();
    EXPECT_NEAR(box.max_x, 100 + 2, 1e-9);
    EXPECT_NEAR(box.max_y, 98.8 + 0.02 * 98.8, 1e-9);
    EXPECT_NEAR(box.min_y, -0.02 * 98.8, 1e-9);
}

TEST_F(FitTest, ExtentsManyTimesLargerThanTheDrawingAreStale) {
    set_extents(0, 0, 1000, 1000);  // left from an earlier, larger drawing
    store().add_entity(line_record(store().add_layer("A"), 500, 500, 550, 560));
    const DrawingExtents box = fitted();
    EXPECT_NEAR(box.min_x, 499, 1e-9);
    EXPECT_NEAR(box.max_y, 561.2, 1e-9);

    // Extents only a few times larger, or larger in one direction only, are
    // no better: what is drawn is framed, with its margin.
    for (const DrawingExtents& stated :
         {DrawingExtents{0, 0, 1000, 100}, DrawingExtents{400, 0, 650, 100}}) {
        set_extents(stated.min_x, stated.min_y, stated.max_x, stated.max_y);
        store().add_entity(line_record(store().add_layer("A"), 500, 40, 550, 60));
        const DrawingExtents sheet = fitted();
        EXPECT_EQ((std::vector<double>{sheet.min_x, sheet.min_y, sheet.max_x, sheet.max_y}),
                  (std::vector<double>{499, 39.6, 551, 60.4}));
    }
}

}  // namespace
}  // namespace zov
