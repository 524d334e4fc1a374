// The pass on the recording surface: pixel arithmetic and call order.
#include "render/drawing_pass.h"


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
    store().add_entity(circle_record(layer, 50, 50, 20, 30, 390));  // a whole turn apart
    store().add_entity(circle_record(layer, 50, 50, 20, 10, 10.01));  // radial pixels coincide
    EXPECT_EQ(draw(), (Calls{"arc 30,30,70,70 70,53 70,47", "arc 30,30,70,70 64,36 64,36",
                             "arc 30,30,70,70 67,40 67,40"}));
}

TEST_F(RenderTest, EllipsesArePolylinesInParameterSteps) {
    const std::int16_t layer = store().add_layer("A");
    EntityRecord ellipse = circle_record(layer, 50, 50, 20);
    ellipse.p56 = 0.5;
    store().add_entity(ellipse);
    EntityRecord quarter = ellipse;
    quarter.p80 = 90;  // major axis upright
    quarter.p88 = 0;
    quarter.p96 = 90;
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
    EXPECT_EQ(redraw(), (Calls{"move 48,49", "line 48,51", "move 49,48", "line 49,52",
                               "move 50,48", "line 50,52", "move 51,48", "line 51,52",
                               "move 52,49", "line 52,51"}));
}

TEST_F(RenderTest, SmallTextIsDrawnAsItsBox) {
    set_extents(0, 0, 10, 10);
    const std::int16_t layer = store().add_layer("A");
    add_text(layer, 2, 3, 0.5, "AB");
    add_text(layer, 2, 3, 0.6, "AB");
    // Scale 10: 0.5 units are 5 pixels, below the 6 of a readable font.
    EXPECT_EQ(draw({0, 0, 10, 10}),
              (Calls{"move 20,70", "line 20,65", "line 25,65", "line 25,70", "line 20,70",
                     "font ＭＳ ゴシック 6 0 400", "textcolour 255,255,255", "text 20,64 AB"}));
}

TEST_F(RenderTest, TextsOffTheWindowAndVerticalTexts) {
    set_extents(0, 0, 10, 10);
    const std::int16_t layer = store().add_layer("A");
    add_text(layer, 20, 3, 1, "X");  // off the window
    // Spread and vertical: one character per call.
    add_text(layer, 2, 3, 1, "\x8f\x63\x8f\x91", 270, 21);  // 縦書
    EXPECT_EQ(draw({0, 0, 10, 10}),
              (Calls{"font @ＭＳ ゴシック 10 2700 400", "textcolour 255,255,255", "text 30,70 縦",
                     "font @ＭＳ ゴシック 10 2700 400", "textcolour 255,255,255",
                     "text 30,80 書"}));
}

TEST_F(RenderTest, ControlCodeTextsDrawPiecesAndSmallMarkedCharacters) {
    set_extents(0, 0, 10, 10);
    add_text(store().add_layer("A"), 1, 5, 1, "X^u2^1Y", 0, 10);
    EXPECT_EQ(only(draw({0, 0, 10, 10}), "text "),
              (Calls{"text 10,40 X", "text 15,40 2", "text 20,40 Y"}));
    const Calls fonts = only(redraw(), "font");
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[1], "font ＭＳ ゴシック 6 0 400");
}

TEST_F(RenderTest, SpreadTextsSpaceCharactersByTheirMarkers) {
    set_extents(0, 0, 10, 10);
    // One half-width dot: pitch 0.5 + 0.5 / 2.
    add_text(store().add_layer("A"), 1, 5, 1, "ABC\xa5", 0, 20);
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
    line(256, 0);  // as before: kept
    line(1, 2);    // dotted: a new pen
    line(0, 0);    // keeps red and dotted
    line(3, 7);    // green, dash-dot-dot
    line(253, 1);  // grey level 120
    EXPECT_EQ(only(draw(), "pen"), (Calls{"pen solid 1 255,0,0", "pen dot 1 255,0,0",
                                          "pen dashdotdot 1 0,255,0", "pen solid 1 120,120,120"}));
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
    set_extents(0, 0, 4000, 4000);
    const std::int16_t layer = store().add_layer("A");
    EntityRecord solid;
    solid.kind = kEntitySolid;
    solid.layer = layer;
    solid.colour = 1;
    solid.p56 = 0, solid.p64 = 0;      // first corner
    solid.x1 = 10, solid.y1 = 0;       // second
    solid.p72 = 0, solid.p88 = 4;      // third
    solid.p80 = 0, solid.p96 = 4;      // fourth = third: a triangle
    store().add_entity(solid);
    solid.p80 = 10, solid.p96 = 4;     // a rectangle: two triangles
    store().add_entity(solid);
    const Calls calls = draw({0, 3900, 100, 4000});
    // The triangle: P-Q, its fill in the pen's colour, then three edges.
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 7),
              (Calls{"pen solid 1 255,0,0", "move 0,100", "line 0,96",
                     "polygon 0,100 0,96 10,100 255,0,0", "move 10,100", "line 0,100",
                     "move 0,96"}));
    EXPECT_EQ(only(calls, "line").size(), 1u + 3u + 2u * (1u + 2u));
    EXPECT_EQ(only(calls, "polygon"), (Calls{"polygon 0,100 0,96 10,100 255,0,0",
                                             "polygon 0,100 0,96 10,100 255,0,0",
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
              path("$VV_DAT$.TMP") + " \x82\xF0\x83I\x81[\x83v\x83\x93\x82\xC5\x82\xAB\x82\xC8\x82\xA2(LAY_fp)");
    EXPECT_EQ(messages_.entries[1].text, "open error");
}

TEST_F(RenderTest, DrawingsWithoutExtentsAreFittedToTheirEntities) {
    set_extents(1e8, 1e8, -1e8, -1e8);  // the empty box: no extents known
    const std::int16_t layer = store().add_layer("A");
    store().add_entity(circle_record(layer, 50, 50, 10));
    store().add_entity(line_record(layer, 30, 45, 40, 45));
    finish_store();
    ASSERT_EQ(view().draw_drawing(surface_), 0);
    const DrawingExtents& fitted = view().view.extents;
    EXPECT_EQ((std::vector<double>{fitted.min_x, fitted.min_y, fitted.max_x, fitted.max_y}),
              (std::vector<double>{30, 40, 60, 60}));
}

}  // namespace
}  // namespace zov
