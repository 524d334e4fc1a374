// A stop set while a pass in bands is drawn ends every band within a few
// thousand entities, and the pass says it was not drawn whole; a view of few
// entities is drawn in one band.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "view/drawing_view.h"

namespace zov {
namespace {

constexpr int kWidth = 400, kHeight = 300;

// Draws nothing; counts the lines drawn once `stop` is set, and sets it
// itself at its `stop_at`th line.
class StoppingBand : public Surface {
public:
    StoppingBand(std::atomic<bool>& stop, long stop_at) : stop_(stop), stop_at_(stop_at) {}
    long lines_after_stop = 0;

    int width() const override { return kWidth; }
    int height() const override { return kHeight; }
    void fill_rect(int, int, int, int, Rgb) override {}
    void fill_polygon(std::span<const PixelPoint>, Rgb) override {}
    void set_background_opaque(bool) override {}
    void select_pen(PenStyle, int, Rgb) override {}
    void move_to(int, int) override {}
    void line_to(int, int) override {
        if (stop_.load()) ++lines_after_stop;
        if (++lines_ == stop_at_) stop_.store(true);
    }
    void arc(int, int, int, int, int, int, int, int) override {}
    bool select_font(const FontSpec&) override { return true; }
    void set_text_colour(Rgb) override {}
    void text_out(int, int, std::string_view) override {}
    void set_xor_drawing(bool) override {}

private:
    std::atomic<bool>& stop_;
    long stop_at_;
    long lines_ = 0;
};

// Writes a store of `count` lines on layer 0 of a 1000 x 1000 drawing, line
// i from `line(i)`: x1, y1, x2, y2.
void write_lines(const TempFolder& folder, Messages& messages, int count,
                 const std::function<std::array<double, 4>(int)>& line) {
    StoreBuilder store(folder.path(), messages);
    StoreHeader& h = store.header();
    h.min_x = h.min_y = 0;
    h.max_x = h.max_y = 1000;
    const std::int16_t layer = store.add_layer("0");
    for (int i = 0; i < count; ++i) {
        const auto [x1, y1, x2, y2] = line(i);
        store.add_entity(line_record(layer, x1, y1, x2, y2));
    }
    ASSERT_EQ(store.finish(), 0);
}

TEST(PassInBands, AStopEndsEveryBandPromptlyAndThePassIsNotWhole) {
    TempFolder folder;
    ConsoleMessages messages;
    // 100 000 lines across the drawing, spread over its height.
    write_lines(folder, messages, 100'000, [](int i) {
        return std::array<double, 4>{0, double(i % 1000), 1000, double(i * 7 % 1000)};
    });
    // A band that went on after the stop would draw tens of thousands of lines.
    constexpr long kMostAfterStop = 2 * 4096;
    const struct {
        int bands;
        IndexUse index_use;
        long stop_at;  // 0: set before the pass
    } kCases[] = {
        {1, IndexUse::Never, 1000}, {2, IndexUse::WhenNeeded, 1000}, {3, IndexUse::Always, 1000},
        {1, IndexUse::Never, 0},    {2, IndexUse::WhenNeeded, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.bands << " bands, stop at " << c.stop_at);
        DrawingView view(folder.path(), messages);
        view.index_use = c.index_use;
        const std::optional<PassPlan> plan = view.plan_pass(kWidth, kHeight);
        ASSERT_TRUE(plan);
        std::atomic<bool> stop{c.stop_at == 0};
        // Draws the plan on bands that set the stop at their `stop_at`th line.
        auto draw = [&](long stop_at, std::vector<std::unique_ptr<StoppingBand>>& bands) {
            std::vector<Surface*> surfaces;
            for (int k = 0; k < c.bands; ++k) {
                bands.push_back(std::make_unique<StoppingBand>(stop, stop_at));
                surfaces.push_back(bands.back().get());
            }
            return view.draw_planned(surfaces, *plan, &stop);
        };
        std::vector<std::unique_ptr<StoppingBand>> stopped, whole;
        EXPECT_FALSE(draw(c.stop_at, stopped));
        for (const auto& band : stopped) EXPECT_LE(band->lines_after_stop, kMostAfterStop);
        // The same view draws the next pass whole.
        stop.store(false);
        EXPECT_TRUE(draw(0, whole));
    }
}

TEST(PassInBands, FewEntitiesInViewAreDrawnInOneBand) {
    TempFolder folder;
    ConsoleMessages messages;
    // A grid of 40 000 short lines over the drawing.
    write_lines(folder, messages, 40'000, [](int i) {
        const double x = i % 200 * 5, y = i / 200 * 5;
        return std::array<double, 4>{x, y, x + 1, y + 1};
    });
    DrawingView view(folder.path(), messages);
    std::atomic<bool> never{false};
    StoppingBand band(never, -1), other(never, -1);
    Surface* const bands[] = {&band, &other};
    const struct {
        const char* step;
        int zoom_ins;
        int worth;
    } kSteps[] = {{"before the index", 0, 2}, {"at the fit", 0, 2}, {"zoomed in", 4, 1}};
    for (const auto& s : kSteps) {
        for (int k = 0; k < s.zoom_ins; ++k) view.view.zoom_in();
        const std::optional<PassPlan> plan = view.plan_pass(kWidth, kHeight);
        ASSERT_TRUE(plan) << s.step;
        EXPECT_EQ(view.bands_worth(*plan, 2), s.worth) << s.step;
        EXPECT_TRUE(view.draw_planned(bands, *plan));
    }
}

}  // namespace
}  // namespace zov
