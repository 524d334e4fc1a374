// The layer sheet: its store, its grid, and toggling layers on it.
#include "view/layer_sheet.h"

#include "common/cp932.h"
#include "common/encoding.h"
#include "render/render_fixture.h"

namespace zov {
namespace {

using Calls = std::vector<std::string>;

TEST(LayerSheetSize, SmallestSquareUpToTwenty) {
    EXPECT_EQ(layer_sheet_size(0), 1);
    EXPECT_EQ(layer_sheet_size(1), 1);
    EXPECT_EQ(layer_sheet_size(2), 2);
    EXPECT_EQ(layer_sheet_size(10), 4);
    EXPECT_EQ(layer_sheet_size(16), 4);
    EXPECT_EQ(layer_sheet_size(17), 5);
    EXPECT_EQ(layer_sheet_size(361), 19);
    EXPECT_EQ(layer_sheet_size(362), 20);
    EXPECT_EQ(layer_sheet_size(400), 20);
    EXPECT_EQ(layer_sheet_size(5000), 20);
}

TEST(LayerSheetGrid, CellsCountFromTheTopLeft) {
    const LayerSheetGrid grid{4, 100, 200, 100, 50};
    EXPECT_EQ(grid.corner(0), (Point{100, 350}));
    EXPECT_EQ(grid.corner(5), (Point{200, 300}));
    EXPECT_EQ(grid.corner(15), (Point{400, 200}));
    EXPECT_EQ(grid.cell_at(250, 320), 5);
    EXPECT_EQ(grid.cell_at(101, 399), 0);
    EXPECT_EQ(grid.cell_at(99, 320), -1);
    EXPECT_EQ(grid.cell_at(250, 401), -1);
}

// Ten layers in use (the first with a 30-byte name, the last hidden, the
// ninth locked) and one unused, in a drawing whose extents are
// (100, 200)-(200, 300).
class LayerSheetTest : public RenderTest {
protected:
    void build() {
        set_extents(100, 200, 200, 300);
        copy_bounded(store().header().fname, "/plans/PLAN.DXF");
        store().header().scale = 2.0;
        for (int i = 1; i <= 10; ++i) {
            const std::string name = i == 1 ? std::string(30, 'N') : "L" + std::to_string(i);
            const std::int32_t flags = i == 10  ? 1 << kLayerHiddenBit
                                       : i == 9 ? 1 << kLayerLockedBit
                                                : 0;
            store().add_layer(name, flags);
        }
        store().add_layer("UNUSED", 0, 0);
        store().add_entity(line_record(6, 110, 210, 120, 220));
        store().add_entity(line_record(10, 150, 250, 160, 260));
        store().add_entity(line_record(0, 110, 210, 120, 220));  // no layer: no cell
        finish_store();
    }

    LayerRecord sheet_layer(std::int32_t n) { return layer_of("$VV_SUM$.TMP", n); }
    LayerRecord data_layer(std::int32_t n) { return layer_of("$VV_DAT$.TMP", n); }

    // The pixel of drawing point (x, y) as the view shows it now.
    std::pair<int, int> pixel(double x, double y) {
        return {view().view.pixel_x(x), view().view.pixel_y(y)};
    }

    LayerRecord layer_of(const char* file, std::int32_t n) {
        StoreReader store;
        LayerRecord layer;
        EXPECT_EQ(store.open(path(file)), 0);
        EXPECT_EQ(store.read_layer(n, layer), 0);
        return layer;
    }
};

TEST_F(LayerSheetTest, SheetStoreHoldsGridLabelsTitleAndMovedEntities) {
    build();
    LayerSheetGrid grid;
    ASSERT_EQ(build_layer_sheet(folder_.string(), messages_, grid), 0);
    EXPECT_EQ(grid.cells_per_side, 4);
    EXPECT_DOUBLE_EQ(grid.cell_width, 100);

    StoreReader sheet;
    ASSERT_EQ(sheet.open(path("$VV_SUM$.TMP")), 0);
    const StoreHeader& h = sheet.header();
    EXPECT_EQ(h.ent_num, 10 + 10 + 1 + 2);
    EXPECT_DOUBLE_EQ(h.scale, 8.0);
    EXPECT_DOUBLE_EQ(h.min_x, 100);
    EXPECT_DOUBLE_EQ(h.max_x, 100 + 4.4 * 100);
    EXPECT_DOUBLE_EQ(h.max_y, 200 + 4.4 * 100);
    EXPECT_EQ(h.lay_num, 11);

    EntityRecord e;
    ASSERT_EQ(sheet.read_entity(0, e), 0);  // top line of the grid, on the last layer
    EXPECT_EQ(e.kind, kEntityLine);
    EXPECT_EQ(e.colour, 16777215);
    EXPECT_EQ(e.layer, 11);
    EXPECT_EQ((std::vector<double>{e.x1, e.y1, e.line.end_x, e.line.end_y}),
              (std::vector<double>{100, 600, 500, 600}));

    ASSERT_EQ(sheet.read_entity(10, e), 0);  // label of the 30-byte layer
    EXPECT_EQ(e.kind, kEntityLayerLabel);
    EXPECT_EQ(e.layer, 1);
    EXPECT_DOUBLE_EQ(e.x1, 102);
    EXPECT_DOUBLE_EQ(e.y1, 502);
    EXPECT_DOUBLE_EQ(e.text.height, 100.0 / 15.0);
    ASSERT_EQ(sheet.read_entity(11, e), 0);
    EXPECT_DOUBLE_EQ(e.text.height, 10);

    ASSERT_EQ(sheet.read_entity(20, e), 0);  // the title
    EXPECT_EQ(e.kind, kEntityFileLabel);
    EXPECT_EQ(e.layer, 10);
    EXPECT_DOUBLE_EQ(e.x1, 102);
    EXPECT_DOUBLE_EQ(e.y1, 602);
    EXPECT_NEAR(e.text.height, 24, 1e-9);  // a short name: 0.6 of the band of 40 above the grid

    // Layer 6 is the sixth in use: column 1, row 2 from the bottom; the
    // drawing's minimum is taken off, so the line lies where it lay within
    // the extents.
    ASSERT_EQ(sheet.read_entity(21, e), 0);
    EXPECT_EQ((std::vector<double>{e.x1, e.y1, e.line.end_x, e.line.end_y}),
              (std::vector<double>{210, 410, 220, 420}));
    ASSERT_EQ(sheet.read_entity(22, e), 0);
    EXPECT_EQ(e.layer, 10);
    EXPECT_FALSE(sheet.read_entity(23, e) == 0);
}

TEST_F(LayerSheetTest, SheetShowsLabelsTitleAndCellMarkers) {
    build();
    ASSERT_TRUE(view().show_layer_sheet());
    ASSERT_EQ(view().draw_drawing(surface_), 0);
    const Calls pens = only(surface_.calls, "pen");
    // Locked layer 9: dark green diagonal, then "Lock" in green; hidden
    // layer 10: dark red diagonal and "Hide" in red; then the legend.
    EXPECT_EQ(Calls(pens.begin(), pens.begin() + 6),
              (Calls{"pen solid 1 255,255,255", "pen dot 1 0,96,0", "pen dot 1 0,255,0",
                     "pen dot 1 96,0,0", "pen dot 1 255,0,0", "pen dot 1 0,255,0"}));

    // At scale 1 the title above the grid and the first cell's label are readable.
    auto texts_in = [&](double top) {
        view().view.set_view_window(100, top, 200, top + 100);
        surface_.calls.clear();
        view().draw_drawing(surface_);
        return only(surface_.calls, "text ");
    };
    EXPECT_EQ(texts_in(0), (Calls{"text 2,14 PLAN.DXF"}));
    EXPECT_EQ(texts_in(100), (Calls{"text 2,31 " + std::string(30, 'N')}));
}

TEST_F(LayerSheetTest, ClicksToggleHiddenAndLockedInBothFiles) {
    build();
    ASSERT_TRUE(view().show_layer_sheet());
    ASSERT_EQ(view().draw_drawing(surface_), 0);

    const auto [x, y] = pixel(150, 550);  // the cell of layer 1
    ReleaseResponse hide = view().mouse_release(MouseButton::Left, x, y);
    ASSERT_TRUE(hide.toggle);
    EXPECT_TRUE(hide.toggle->set);
    EXPECT_EQ(data_layer(1).flags, 1 << kLayerHiddenBit);
    EXPECT_EQ(sheet_layer(1).flags, 1 << kLayerHiddenBit);

    surface_.calls.clear();
    view().draw_release(surface_, hide);
    const auto [x0, y0] = pixel(200, 500);
    const auto [x1, y1] = pixel(100, 600);
    EXPECT_EQ(surface_.calls,
              (Calls{"pen dot 1 255,0,0", "move " + std::to_string(x0) + "," + std::to_string(y0),
                     "line " + std::to_string(x1) + "," + std::to_string(y1)}));

    // Hidden again: restored, and the diagonal drawn in black.
    ReleaseResponse show = view().mouse_release(MouseButton::Left, x, y);
    EXPECT_FALSE(show.toggle->set);
    EXPECT_EQ(data_layer(1).flags, 0);
    surface_.calls.clear();
    view().draw_release(surface_, show);
    EXPECT_EQ(surface_.calls.front(), "pen dot 1 0,0,0");

    ReleaseResponse lock = view().mouse_release(MouseButton::Right, x, y);
    EXPECT_EQ(lock.toggle->bit, kLayerLockedBit);
    EXPECT_EQ(data_layer(1).flags, 1 << kLayerLockedBit);
}

TEST_F(LayerSheetTest, EmptyCellsAndOutsideClicksChangeNothing) {
    build();
    ASSERT_TRUE(view().show_layer_sheet());
    ASSERT_EQ(view().draw_drawing(surface_), 0);
    const auto [ex, ey] = pixel(450, 250);  // cell 15, no layer
    EXPECT_FALSE(view().mouse_release(MouseButton::Left, ex, ey).toggle);
    const auto [ox, oy] = pixel(520, 620);  // beside the grid
    EXPECT_FALSE(view().mouse_release(MouseButton::Left, ox, oy).toggle);
    for (std::int32_t n = 1; n <= 8; ++n) EXPECT_EQ(data_layer(n).flags, 0);
}

TEST_F(LayerSheetTest, ToggledFlagsShowInTheStandardDisplay) {
    build();
    ASSERT_TRUE(view().show_layer_sheet());
    view().draw_drawing(surface_);
    const auto [x, y] = pixel(250, 450);  // the cell of layer 6
    ASSERT_TRUE(view().mouse_release(MouseButton::Left, x, y).toggle);
    ASSERT_TRUE(view().show_standard_display());
    surface_.calls.clear();
    view().draw_drawing(surface_);
    // Layer 6 is hidden now and layer 10 was: nothing but the opening remains.
    EXPECT_EQ(surface_.calls.size(), 3u);
}

TEST_F(RenderTest, LayerSheetWithoutADataFileKeepsTheStandardDisplay) {
    EXPECT_FALSE(view().show_layer_sheet());
    EXPECT_EQ(view().settings.style, DisplayStyle::Standard);
    EXPECT_EQ(messages_.last(),
              path("$VV_DAT$.TMP") + utf8_to_cp932(" をオープンできない(dat_fp)sum"));
}

TEST_F(RenderTest, OneLayerGivesOneCell) {
    store().add_entity(line_record(store().add_layer("ONLY"), 10, 10, 20, 20));
    finish_store();
    LayerSheetGrid grid;
    ASSERT_EQ(build_layer_sheet(folder_.string(), messages_, grid), 0);
    EXPECT_EQ(grid.cells_per_side, 1);
    StoreReader sheet;
    ASSERT_EQ(sheet.open(path("$VV_SUM$.TMP")), 0);
    EXPECT_EQ(sheet.header().ent_num, 4 + 1 + 1 + 1);
}

}  // namespace
}  // namespace zov
