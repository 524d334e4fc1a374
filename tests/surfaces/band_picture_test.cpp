// A pass through the entity index and in bands paints the pixels of one
// pass over every entity, at the fit and zoomed in; --view's rectangle is
// the one shown.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <QImage>

#include "common/cp932.h"
#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "gui_application.h"
#include "surfaces/band_picture.h"

namespace zov {
namespace {

constexpr int kWidth = 640, kHeight = 451;

// The pixels where two pictures of the same size differ: their count and
// the first of them ("" when the same).
std::string differences(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) return "size or format";
    long count = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = " from (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return count == 0 ? "" : std::to_string(count) + " pixels" + first;
}

class BandPicture : public ::testing::Test {
protected:
    // Header extents of (0, 0)-(side, side).
    static void set_square_extents(StoreBuilder& store, double side) {
        StoreHeader& h = store.header();
        h.min_x = h.min_y = 0;
        h.max_x = h.max_y = side;
    }

    // A drawing of lines, circles and arcs, texts, solids, point marks,
    // leaders and inserts of a block over 0..1000 on four coloured layers,
    // with heavy line weights and records of no layer between them.
    void build_drawing(unsigned seed = 11) {
        StoreBuilder store(folder_.path(), messages_);
        set_square_extents(store, 1000);
        for (int i = 1; i <= 4; ++i) {
            LayerRecord layer;
            copy_bounded(layer.name, "L" + std::to_string(i));
            layer.use_count = 1;
            layer.colour = i;
            layer.line_type = kLineContinuous;
            store.add_layer(layer);
        }
        const std::int16_t block = store.add_block(
            "B",
            {line_record(0, 0, 0, 30, 0), circle_record(0, 15, 10, 8), text_record(0, 0, 20, 6)});
        std::mt19937 random(seed);
        auto at = [&] { return static_cast<double>(random() % 10000) / 10.0; };
        for (int i = 0; i < 3000; ++i) {
            const std::int16_t layer = i % 7 == 0 ? 0 : static_cast<std::int16_t>(1 + i % 4);
            const double x = at(), y = at();
            EntityRecord record;
            switch (i % 8) {
                case 0: record = circle_record(layer, x, y, at() / 20.0); break;
                case 1: record = circle_record(layer, x, y, at() / 10.0, 30, 200); break;
                case 2: record = insert_record(layer, block, x, y, 1.0, 1.0, at() / 3.0); break;
                case 3:
                    record = text_record(layer, x, y, 8, at() / 3.0);
                    store.attach_text(record, "Text " + std::to_string(i));
                    break;
                case 4:
                    record = line_record(layer, x, y, x + 30, y + 10);
                    record.kind = kEntitySolid;
                    record.solid = {x + 30, y, x + 30, y + 20, x, y + 20};
                    break;
                case 5:
                    record = line_record(layer, x, y, x + 1, y);
                    record.kind = i % 16 == 5 ? kEntityPoint : kEntityLeader;
                    record.line.end_x = x + at() / 10.0;
                    break;
                default: record = line_record(layer, x, y, at(), y + at() / 20.0); break;
            }
            record.colour = i % 5 == 0 ? static_cast<std::int32_t>(i % 255 + 1) : kColourByLayer;
            record.line_weight = i % 11 == 0 ? stored_weight(211) : kWeightNotGiven;
            store.add_entity(record);
        }
        ASSERT_EQ(store.finish(), 0);
    }

    QImage picture(IndexUse use, int bands, std::optional<DrawingExtents> area = std::nullopt) {
        DrawingView view(folder_.path(), messages_);
        view.index_use = use;
        view.area_after_fit = area;
        return draw_picture(view, kWidth, kHeight, Paper::Black, bands);
    }

    TempFolder folder_;
    ConsoleMessages messages_;
};

TEST_F(BandPicture, IndexAndBandsPaintThePixelsOfOnePassOverEveryEntity) {
    ensure_gui_application();
    build_drawing();
    const struct {
        const char* view;
        std::optional<DrawingExtents> area;
    } kViews[] = {
        {"fit", std::nullopt},
        {"one percent", DrawingExtents{400, 300, 500, 400}},
        {"a corner", DrawingExtents{-20, 880, 150, 1010}},
        // Texts of a few hundred pixels, filled as outlines across the bands.
        {"texts as outlines", DrawingExtents{430, 330, 470, 370}},
    };
    for (const auto& v : kViews) {
        const QImage whole = picture(IndexUse::Never, 1, v.area);
        ASSERT_FALSE(whole.isNull());
        EXPECT_EQ(differences(picture(IndexUse::Always, 1, v.area), whole), "") << v.view;
        EXPECT_EQ(differences(picture(IndexUse::WhenNeeded, 2, v.area), whole), "") << v.view;
        EXPECT_EQ(differences(picture(IndexUse::Always, 3, v.area), whole), "") << v.view;
    }
}

TEST_F(BandPicture, InsertsAcrossTheEdgePaintWhatALargerPictureShowsThere) {
    ensure_gui_application();
    // Blocks of blocks spread far beyond the view: the pass leaves out
    // what lies wholly outside the picture, and every pixel of the picture
    // is the one a larger picture at the same scale shows there.
    {
        StoreBuilder store(folder_.path(), messages_);
        set_square_extents(store, 1024);
        store.add_layer("L1");
        EntityRecord text = text_record(1, -8, 7, 5, 30);
        store.attach_text(text, "Ab");
        EntityRecord wide = line_record(1, -12, -3, 12, -3);
        wide.line_weight = stored_weight(211);
        EntityRecord point = line_record(1, 3, 3, 3, 3);
        point.kind = kEntityPoint;
        const std::int16_t inner = store.add_block(
            "Inner",
            {circle_record(1, 0, 0, 6), circle_record(1, 4, 4, 9, 20, 250), wide, text, point});
        std::vector<EntityRecord> spread;
        for (int i = -9; i <= 9; ++i)
            for (int j = -9; j <= 9; ++j)
                spread.push_back(insert_record(1, inner, i * 21.25, j * 17.5,
                                               (i + j) % 3 == 0 ? 2 : 1, (i + j) % 3 == 0 ? 2 : 1,
                                               (i * j) % 4 * 90.0));
        const std::int16_t outer = store.add_block("Outer", spread);
        for (const auto& [x, y] : {std::pair{384.0, 512.0}, {700.0, 420.0}, {512.0, 660.0}})
            store.add_entity(insert_record(1, outer, x, y));
        ASSERT_EQ(store.finish(), 0);
    }
    // The view at one pixel a unit, and the same scale on a picture that
    // goes on beyond its right and bottom edges. A shape cut by an edge of
    // a picture may be filled a pixel differently along it: the left and
    // top edges stay the same, and the last two rows and columns are not
    // compared.
    DrawingView small(folder_.path(), messages_), large(folder_.path(), messages_);
    small.area_after_fit = DrawingExtents{384, 384, 640, 640};
    large.area_after_fit = DrawingExtents{384, 128, 896, 640};
    const QImage seen = draw_picture(small, 256, 256, Paper::Black, 2);
    const QImage around = draw_picture(large, 512, 512, Paper::Black, 2);
    ASSERT_FALSE(seen.isNull() || around.isNull());
    EXPECT_EQ(differences(seen.copy(0, 0, 254, 254), around.copy(0, 0, 254, 254)), "");
}

TEST_F(BandPicture, WindowPassesInBandsPaintThePixelsOfOneBand) {
    ensure_gui_application();
    build_drawing();
    // Two views take the same keys, as the window's would, pass after pass;
    // one draws in one band, the other in bands on the streams it keeps.
    DrawingView one(folder_.path(), messages_), banded(folder_.path(), messages_);
    auto zoom_in = [](ViewWindow& view) { view.zoom_in(); };
    auto zoom_out = [](ViewWindow& view) { view.zoom_out(); };
    auto pan = [](ViewWindow& view) { view.pan(PanDirection::Up); };
    auto stay = [](ViewWindow&) {};
    const struct {
        const char* step;
        std::function<void(ViewWindow&)> key;
        int bands;
        bool new_store;
    } kSteps[] = {
        {"fit", stay, 2, false},        {"zoomed in", zoom_in, 2, false},
        {"panned", pan, 3, false},      {"zoomed out", zoom_out, 2, false},
        {"new drawing", stay, 2, true},
    };
    for (const auto& s : kSteps) {
        if (s.new_store) {
            build_drawing(12);
            one.drawing_loaded();
            banded.drawing_loaded();
        }
        s.key(one.view);
        s.key(banded.view);
        const std::optional<PassPlan> plan_one = one.plan_pass(kWidth, kHeight);
        const std::optional<PassPlan> plan_banded = banded.plan_pass(kWidth, kHeight);
        ASSERT_TRUE(plan_one && plan_banded) << s.step;
        const QImage whole = draw_planned_picture(one, *plan_one, 1);
        ASSERT_FALSE(whole.isNull()) << s.step;
        EXPECT_EQ(differences(draw_planned_picture(banded, *plan_banded, s.bands), whole), "")
            << s.step;
    }
}

TEST_F(BandPicture, ViewShowsTheNamedRectangleFittedToThePicture) {
    ensure_gui_application();
    {
        StoreBuilder store(folder_.path(), messages_);
        set_square_extents(store, 1000);
        const std::int16_t layer = store.add_layer("0");
        store.add_entity(line_record(layer, 0, 0, 1000, 1000));
        // A horizontal line across the middle of the rectangle (200, 100)-(300, 200).
        store.add_entity(line_record(layer, 200, 150, 300, 150));
        ASSERT_EQ(store.finish(), 0);
    }
    const QImage image = picture(IndexUse::WhenNeeded, 2, DrawingExtents{200, 100, 300, 200});
    ASSERT_FALSE(image.isNull());
    // The rectangle's height of 100 units fills the 451 rows, so the line
    // lies on the middle row, from the rectangle's left edge (the picture is
    // wider than the rectangle: 451 / 100 pixels a unit from the left).
    const int row = 226, right_end = static_cast<int>(100 * kHeight / 100.0);
    EXPECT_NE(image.pixel(2, row), qRgb(0, 0, 0));
    EXPECT_NE(image.pixel(right_end - 3, row), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(right_end + 3, row), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(2, row - 10), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace zov
