// The layer sheet of a drawing with paper space, dimension-end styles on
// solid arrow heads, and the widths of TrueType texts, on probe drawings
// written by ezdxf.
#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "probe_drawing.h"
#include "render/layer_sheet_grid.h"
#include "store/text_metrics.h"

namespace zov {
namespace {

// Paper-space entities land in their cells at the paper's scale, as the
// cells were sized; the title and the legend share the band above the grid
// without overlapping or passing its right edge.
TEST_F(ProbeDrawing, TheLayerSheetHoldsPaperSpaceAndItsTitleFits) {
    ASSERT_EQ(load("sheet_with_paper_space.dxf"), 0);
    ASSERT_TRUE(view().show_layer_sheet());
    record();
    const LayerSheetGrid& grid = view().sheet_grid;
    const double right = grid.min_x + grid.cells_per_side * grid.cell_width;
    const double top = grid.min_y + grid.cells_per_side * grid.cell_height;
    StoreReader sheet;
    ASSERT_EQ(sheet.open((folder_ / kLayerSheetFileName).string()), 0);
    int drawn = 0;
    EntityRecord e;
    for (std::int32_t i = 0; i < sheet.entity_count() && sheet.read_entity(i, e) == 0; ++i) {
        // The two slanting lines; the grid's lines are square to the axes.
        if (e.kind != kEntityLine || e.x1 == e.line.end_x || e.y1 == e.line.end_y) continue;
        ++drawn;
        EXPECT_EQ(e.paper_space, 0);
        for (const auto& [x, y] : {std::pair{e.x1, e.y1}, {e.line.end_x, e.line.end_y}}) {
            EXPECT_GE(x, grid.min_x - 1e-9);
            EXPECT_LE(x, right + 1e-9);
            EXPECT_GE(y, grid.min_y - 1e-9);
            EXPECT_LE(y, top + 1e-9);
        }
    }
    EXPECT_EQ(drawn, 2);

    for (const char* title : {"sheet_with_paper_space.dxf",
                              "a-very-long-file-name-of-a-drawing-"
                              "with-one-layer-only.dxf"}) {
        const SheetBand band = sheet_band(grid, title);
        const double h = band.legend_height;
        EXPECT_LE(band.title_at.x + text_advance_width(kSourceJwCad, band.title_height, 1, title),
                  band.hidden_at.x - 2 * h + 1e-9);
        EXPECT_LE(band.locked_at.x +
                      text_advance_width(kSourceJwCad, h, 1, cp932_text(JaText::LockedLegend)),
                  right + 1e-9);
        EXPECT_LE(band.title_height, (kSheetMargin - 1) * (top - grid.min_y) * 0.6 + 1e-9);
        EXPECT_GT(band.title_height, 0);
    }
}

// A picture whose arrow heads are filled triangles takes the end styles at
// their tips; one without arrow heads says that the style finds no ends.
TEST_F(ProbeDrawing, DimensionEndStylesTakeSolidArrowHeads) {
    struct Case {
        DimensionEnds ends;
        std::size_t polygons;  // filled heads
        bool tips_dotted;
    };
    ASSERT_EQ(load("dimension_solid_arrows.dxf"), 0);
    for (const Case c :
         {Case{DimensionEnds::AsData, 2, false}, Case{DimensionEnds::OpenArrows, 0, false},
          Case{DimensionEnds::FilledArrows, 2, false}, Case{DimensionEnds::FilledDots, 0, true}}) {
        view().settings.dimension_ends = c.ends;
        const Calls calls = record();
        const ViewWindow& v = view().view;
        const Calls polygons = only(calls, "polygon ");
        EXPECT_EQ(polygons.size(), c.polygons) << int(c.ends);
        // Each head or dot starts at a tip: (0, 15) and (100, 15).
        for (const double tip_x : {0.0, 100.0}) {
            const std::string at =
                std::to_string(v.pixel_x(tip_x)) + "," + std::to_string(v.pixel_y(15));
            const std::string dot = "move " + std::to_string(v.pixel_x(tip_x)) + "," +
                                    std::to_string(v.pixel_y(15) - 2);
            bool found = false;
            for (const std::string& call : calls)
                found = found || (c.tips_dotted ? call == dot : call == "move " + at);
            EXPECT_TRUE(found) << int(c.ends) << " at " << tip_x;
        }
        EXPECT_TRUE(only(calls, std::string("text 0,0 ")).empty());
    }
    ASSERT_EQ(load("dimension_lines.dxf"), 0);
    view().settings.dimension_ends = DimensionEnds::OpenArrows;
    EXPECT_EQ(only(record(),
                   std::string("text 0,0 ") + cp932_to_utf8(cp932_text(JaText::NoDimensionEnds)))
                  .size(),
              1u);
}

// "Hello World" of height 10 is 72 long in a TrueType style (Arial's
// advances, as CAD programs draw it) and 110 in an SHX-style one.
TEST_F(ProbeDrawing, TrueTypeTextsTakeProportionalWidths) {
    ASSERT_EQ(load("truetype_texts.dxf"), 0);
    const std::vector<EntityRecord> e = entities();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_NE(e[0].flags & kTextProportional, 0);
    EXPECT_EQ(e[1].flags & kTextProportional, 0);
    const QImage image = picture();
    const ViewWindow& v = view().view;
    for (const auto& [base, length] : {std::pair{0.0, 72.2}, {20.0, 110.0}}) {
        int left = kWidth, right = -1;
        for (int y = v.pixel_y(base + 10); y <= v.pixel_y(base); ++y)
            for (int x = 0; x < kWidth; ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                    left = std::min(left, x), right = std::max(right, x);
        const double drawn = (right - left + 1) / v.view_scale;
        EXPECT_NEAR(drawn / length, 1.0, 0.1) << "text at " << base << ": " << drawn;
    }
}

}  // namespace
}  // namespace zov
