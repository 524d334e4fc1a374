// Stores with absurd records, and truncated stores: every pass ends, on the
// recording surface and on the Qt image surface, without a crash.
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

#include "common/encoding.h"
#include "gui_application.h"
#include "render/render_fixture.h"
#include "surfaces/qt_surface.h"

namespace zov {
namespace {

class HostileStoreTest : public RenderTest {
protected:
    double nasty_number() {
        static const double kValues[] = {0.0,
                                         -0.0,
                                         1.0,
                                         -360.0,
                                         1e-300,
                                         1e12,
                                         -1e12,
                                         1e308,
                                         -1e308,
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(),
                                         std::numeric_limits<double>::quiet_NaN()};
        if (random_() % 3 == 0) return kValues[random_() % std::size(kValues)];
        return std::uniform_real_distribution<double>(-200.0, 200.0)(random_);
    }

    EntityRecord nasty_record() {
        EntityRecord e;
        static const std::int32_t kKinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 999, 0, -1, 77};
        e.kind = kKinds[random_() % std::size(kKinds)];
        e.paper_space = static_cast<std::uint8_t>(random_() % 3);
        e.line_type = static_cast<std::int32_t>(random_() % 12) - 1;
        e.h_align = static_cast<std::int32_t>(random_() % 3);
        e.text_style = static_cast<std::int32_t>(random_() % 40) - 5;
        e.colour = static_cast<std::int32_t>(random_() % 300) - 20;
        e.layer = static_cast<std::int16_t>(static_cast<int>(random_() % 12) - 2);
        e.block = static_cast<std::int16_t>(static_cast<int>(random_() % 8) - 1);
        e.text_length = static_cast<std::int16_t>(random_());
        e.text_offset = static_cast<std::int32_t>(random_());
        for (double* field : all_reals(e)) *field = nasty_number();
        return e;
    }

    void build_hostile_store() {
        set_extents(-100, -100, 100, 100);
        for (int b = 0; b < 5; ++b) {
            std::vector<EntityRecord> entities;
            for (int i = 0; i < 20; ++i) entities.push_back(nasty_record());
            entities.push_back(insert_record(0, static_cast<std::int16_t>(b + 1), 1, 1));  // itself
            store().add_block("B" + std::to_string(b), entities);
        }
        for (int l = 0; l < 8; ++l) store().add_layer("L" + std::to_string(l), l % 6, l % 4);
        EntityRecord text = text_record(1, 0, 0, 10);
        store().attach_text(text, utf8_to_cp932("^o^u^d^b^1・・･"));
        store().add_entity(text);
        for (int i = 0; i < 400; ++i) store().add_entity(nasty_record());
        finish_store();
    }

    // Passes with both kinds of dimension ends and with all layers or only
    // the visible ones, on the Qt image surface and on the recording surface.
    void draw_everywhere() {
        view().settings.dimension_ends = DimensionEnds::AsData;
        view().set_layer_filter(LayerFilter::All);
        ImageSurface image(300, 200);
        view().draw_drawing(image.surface());
        image.finish();
        view().settings.dimension_ends = DimensionEnds::FilledArrows;
        view().set_layer_filter(LayerFilter::Visible);
        view().draw_drawing(surface_);
        surface_.calls.clear();
    }

    std::mt19937 random_{20001};
};

TEST_F(HostileStoreTest, AbsurdRecordsAreDrawnOrPassedOver) {
    ensure_gui_application();
    build_hostile_store();
    draw_everywhere();
    view().view.zoom_in();
    view().view.zoom_in();
    draw_everywhere();
    ASSERT_TRUE(view().show_layer_sheet());
    draw_everywhere();
    view().mouse_release(MouseButton::Left, 150, 100);
}

TEST_F(HostileStoreTest, TruncatedStoresAreReadAsFarAsTheyGo) {
    ensure_gui_application();
    build_hostile_store();
    const std::string data = path("$VV_DAT$.TMP");
    const auto size = std::filesystem::file_size(data);
    for (auto keep : {size / 2, size / 7, std::uintmax_t{600}, std::uintmax_t{100}}) {
        std::filesystem::resize_file(data, keep);
        view().drawing_loaded();
        surface_.calls.clear();
        view().draw_drawing(surface_);
        view().show_layer_sheet();
        view().show_standard_display();
    }
    EXPECT_FALSE(messages_.entries.empty());  // the last one is too short for a header
}

// Reads the `Record` at `offset` of the file at `path`, lets `change` alter
// it and writes it back.
template <typename Record, typename Change>
void patch_store(const std::string& path, long offset, Change change) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    Record record;
    file.seekg(offset);
    file.read(reinterpret_cast<char*>(&record), sizeof record);
    change(record);
    file.seekp(offset);
    file.write(reinterpret_cast<const char*>(&record), sizeof record);
}

TEST_F(HostileStoreTest, ExtremeLayerNumbersOnTheLayerSheet) {
    store().add_layer("WALL", (1 << kLayerHiddenBit) | (1 << kLayerLockedBit));
    store().add_entity(line_record(1, 0, 0, 100, 100));
    finish_store();
    const std::string data = path("$VV_DAT$.TMP");
    StoreHeader header;
    patch_store<StoreHeader>(data, 0, [&](StoreHeader& h) { header = h; });
    // A layer in use whose place among the used layers is the lowest index.
    patch_store<LayerRecord>(data, header.add_lay, [](LayerRecord& layer) {
        layer.used_index = std::numeric_limits<std::int32_t>::min();
    });
    view().draw_drawing(surface_);
    ASSERT_TRUE(view().show_layer_sheet());
    view().draw_drawing(surface_);

    // A header whose layer count is the lowest number.
    patch_store<StoreHeader>(
        data, 0, [](StoreHeader& h) { h.lay_num = std::numeric_limits<std::int32_t>::min(); });
    view().show_standard_display();
    view().drawing_loaded();
    view().draw_drawing(surface_);
    ASSERT_TRUE(view().show_layer_sheet());
    view().draw_drawing(surface_);
}

TEST(HugeArcs, AreDrawnWhereTheyCrossTheClientArea) {
    ensure_gui_application();
    ImageSurface image(200, 100);
    Surface& s = image.surface();
    s.select_pen(PenStyle::Solid, 1, Rgb{255, 255, 255});
    // The top of a circle of radius 10 million pixels passes y = 50.
    const int r = 10'000'000;
    s.arc(100 - r, 50, 100 + r, 50 + 2 * r, 100, 50, 100, 50);
    for (int i = 0; i < 1000; ++i) s.arc(-r, -r, r, r, r, 0, r, 0);  // around the area: unseen
    const QImage& picture = image.finish();
    EXPECT_EQ(picture.pixel(100, 50), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(20, 50), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(100, 20), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace zov
