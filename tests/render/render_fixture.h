#pragma once
// A fresh program folder per test with a store built from records, a view
// of it and a recording surface of 100 x 100 pixels.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "render/recording_surface.h"
#include "view/drawing_view.h"

namespace zov {

class RenderTest : public ::testing::Test {
protected:
    ~RenderTest() override {
        builder_.reset();
        view_.reset();
    }

    // The store being built; its extents start as (0, 0)-(100, 100).
    StoreBuilder& store() {
        if (!builder_) {
            builder_ = std::make_unique<StoreBuilder>(folder_.string(), messages_);
            set_extents(0, 0, 100, 100);
        }
        return *builder_;
    }
    void set_extents(double min_x, double min_y, double max_x, double max_y) {
        StoreHeader& h = store().header();
        h.min_x = min_x;
        h.min_y = min_y;
        h.max_x = max_x;
        h.max_y = max_y;
    }

    // Adds a text record of `height` at (x, y) with its string.
    void add_text(std::int16_t layer, double x, double y, double height, std::string_view text,
                  double angle = 0.0, std::int32_t style = 0) {
        EntityRecord record = text_record(layer, x, y, height, angle);
        record.text_style = style;
        store().attach_text(record, text);
        store().add_entity(record);
    }

    DrawingView& view() {
        if (!view_) view_ = std::make_unique<DrawingView>(folder_.string(), messages_);
        return *view_;
    }

    // Finishes the store, loads it with a first pass (the fit), then shows
    // `window` and returns the calls of the second pass after its opening
    // (clear, background, pass pen).
    // The windows are taken in the frame of the header's extents, as the
    // view would fit them, whatever box the fit made of the entities.
    std::vector<std::string> draw(const ViewRect& window = {0, 0, 100, 100}) {
        finish_store();
        surface_.calls.clear();
        view().draw_drawing(surface_);
        StoreReader stored;
        EXPECT_EQ(stored.open(path(kDataFileName)), 0);
        const StoreHeader& h = stored.header();
        ViewWindow& v = view().view;
        v.reset_view();
        v.fit_drawing({h.min_x, h.min_y, h.max_x, h.max_y}, h.scale);
        v.use_fit_origin = false;
        v.set_view_window(window);
        return redraw();
    }

    // Another pass as the view stands, without its opening calls.
    std::vector<std::string> redraw() {
        surface_.calls.clear();
        view().draw_drawing(surface_);
        std::vector<std::string> calls = surface_.calls;
        const std::size_t opening = 3;
        if (calls.size() >= opening && calls[0].rfind("fill", 0) == 0)
            calls.erase(calls.begin(), calls.begin() + opening);
        return calls;
    }

    void finish_store() {
        if (builder_) {
            ASSERT_EQ(builder_->finish(), 0);
            builder_.reset();
        }
    }

    std::string path(const char* name) const { return (folder_ / name).string(); }

    TempFolder scratch_;
    std::filesystem::path folder_ = scratch_.folder();
    RecordingMessages messages_;
    RecordingSurface surface_{100, 100};
    std::unique_ptr<StoreBuilder> builder_;
    std::unique_ptr<DrawingView> view_;
};

// The calls of `calls` that begin with `prefix`.
inline std::vector<std::string> only(const std::vector<std::string>& calls,
                                     const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& call : calls)
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
}

}  // namespace zov
