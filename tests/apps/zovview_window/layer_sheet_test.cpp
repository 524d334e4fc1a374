// The layer sheet in the real window: built by its command, a left click
// hides the clicked cell's layer in both store files and draws the cell's
// diagonal at once; the standard display then leaves the layer out.
#include <QLabel>

#include "viewer/viewer_commands.h"
#include "window_fixture.h"

namespace zov {
namespace {

class LayerSheetWindow : public WindowTest {
protected:
    void SetUp() override {
        start({kSamples + "dxf/plan.dxf"});
        // The layer in the sheet's first cell.
        StoreReader store;
        ASSERT_EQ(store.open(home.file(kDataFileName)), 0);
        LayerRecord record;
        for (std::int32_t n = 1; n <= store.layer_count(); ++n) {
            if (store.read_layer(n, record) == 0 && record.used_number == 1) first_layer = n;
        }
        ASSERT_GT(first_layer, 0);
    }

    // Pixel of a drawing point of the sheet.
    QPoint pixel(Point p) {
        const ViewWindow& v = window->view().view;
        return {v.pixel_x(p.x), v.pixel_y(p.y)};
    }
    QPoint cell_centre(int used_index) {
        const LayerSheetGrid& grid = window->view().sheet_grid;
        const Point corner = grid.corner(used_index);
        return pixel({corner.x + grid.cell_width / 2, corner.y + grid.cell_height / 2});
    }
    // Pixels of `colour` along the hidden diagonal of a cell.
    int on_hidden_diagonal(int used_index, QColor colour) {
        const Diagonal d = hidden_diagonal(window->view().sheet_grid, used_index);
        const QPoint from = pixel(d.from), to = pixel(d.to);
        const QImage image = picture();
        int count = 0;
        constexpr int kSteps = 400;
        for (int i = 0; i <= kSteps; ++i) {
            const QPoint at = from + (to - from) * i / kSteps;
            if (image.rect().contains(at) && image.pixelColor(at) == colour) ++count;
        }
        return count;
    }
    void click(Qt::MouseButton button, QPoint at) {
        press(button, button, at);
        release(button, Qt::NoButton, at);
    }
    int drawn_pixels() {
        const QImage image = picture();
        return image.width() * image.height() - count_colour(image, image.rect(), Qt::black);
    }

    std::int32_t first_layer = 0;
};

TEST_F(LayerSheetWindow, LeftClickHidesTheLayerInBothFilesAndTheStandardDisplay) {
    const int standard_pixels = drawn_pixels();
    window->run_command(kCmdLayerThumbnails);
    EXPECT_EQ(window->view().settings.style, DisplayStyle::LayerSheet);
    EXPECT_TRUE(window->action(kCmdLayerThumbnails)->isChecked());
    EXPECT_FALSE(window->action(kCmdStandardDisplay)->isChecked());
    EXPECT_TRUE(file_exists(home.file(kLayerSheetFileName)));
    EXPECT_EQ(title(), "plan.dxf - ZovView");
    const int red_before = on_hidden_diagonal(0, QColor(255, 0, 0));

    click(Qt::LeftButton, cell_centre(0));
    EXPECT_EQ(layer_flags(kDataFileName, first_layer) & (1 << kLayerHiddenBit),
              1 << kLayerHiddenBit);
    EXPECT_EQ(layer_flags(kLayerSheetFileName, first_layer) & (1 << kLayerHiddenBit),
              1 << kLayerHiddenBit);
    // The cell's hidden diagonal is drawn at once, dotted red.
    EXPECT_GT(on_hidden_diagonal(0, QColor(255, 0, 0)), red_before + 20);

    window->run_command(kCmdStandardDisplay);
    EXPECT_TRUE(window->action(kCmdStandardDisplay)->isChecked());
    const int without_layer = drawn_pixels();
    EXPECT_LT(without_layer, standard_pixels);

    // Back on the sheet (not built again), a second click restores the layer.
    window->run_command(kCmdLayerThumbnails);
    click(Qt::LeftButton, cell_centre(0));
    EXPECT_EQ(layer_flags(kDataFileName, first_layer) & (1 << kLayerHiddenBit), 0);
    EXPECT_EQ(layer_flags(kLayerSheetFileName, first_layer) & (1 << kLayerHiddenBit), 0);
    EXPECT_LE(on_hidden_diagonal(0, QColor(255, 0, 0)), red_before);
    EXPECT_GT(on_hidden_diagonal(0, QColor(0, 0, 0)), 20);
    window->run_command(kCmdStandardDisplay);
    EXPECT_EQ(drawn_pixels(), standard_pixels);
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(LayerSheetWindow, RightClickLocksTheLayer) {
    window->run_command(kCmdLayerThumbnails);
    const Diagonal d = locked_diagonal(window->view().sheet_grid, 0);
    const QPoint mid = (pixel(d.from) + pixel(d.to)) / 2;
    click(Qt::RightButton, cell_centre(0));
    EXPECT_EQ(layer_flags(kDataFileName, first_layer) & (1 << kLayerLockedBit),
              1 << kLayerLockedBit);
    EXPECT_EQ(layer_flags(kDataFileName, first_layer) & (1 << kLayerHiddenBit), 0);
    // Green dots near the middle of the locked diagonal.
    EXPECT_GT(count_colour(picture(), QRect(mid - QPoint(6, 6), QSize(13, 13)), QColor(0, 255, 0)),
              0);
    // A click outside the grid changes nothing.
    click(Qt::LeftButton, {2, 2});
    EXPECT_EQ(layer_flags(kDataFileName, first_layer) & (1 << kLayerHiddenBit), 0);
}

// A filter that leaves nothing drawn says so in the status bar, also when
// it is kept for the next drawing; a drawing with nothing to draw is said.
TEST_F(WindowTest, BlankViewsAreExplained) {
    start({kSamples + "dxf/plan.dxf"});
    auto hint = [this] { return window->findChild<QLabel*>("filter_hint")->text().toStdString(); };
    window->run_command(kCmdLockedLayers);  // the sample has a locked layer
    EXPECT_EQ(hint(), "");
    // The door symbol has none: kept for it, the filter leaves it blank.
    dialog.answers.push_back(kSamples + "jw/door_symbol.jwc");
    window->run_command(kCmdOpenJwc);
    EXPECT_EQ(hint(), "表示条件で全て非表示になっています");
    EXPECT_TRUE(window->findChild<QLabel*>("filter_hint")->isVisible());
    window->run_command(kCmdLayerThumbnails);  // the sheet shows every layer
    EXPECT_EQ(hint(), "");
    window->run_command(kCmdStandardDisplay);
    window->run_command(kCmdLockedLayers);
    EXPECT_EQ(hint(), "表示条件で全て非表示になっています");
    window->run_command(kCmdAllLayers);
    EXPECT_EQ(hint(), "");
    EXPECT_TRUE(messages.entries.empty()) << last_message();

    write_file_bytes(files.file("empty.dxf"), "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
    dialog.answers.push_back(files.file("empty.dxf"));
    window->run_command(kCmdOpenDxf);
    EXPECT_EQ(last_message(), files.file("empty.dxf") +
                                  " のモデル空間には図形がありません(no entities in model space)");
    EXPECT_EQ(hint(), "");
}

}  // namespace
}  // namespace zov
