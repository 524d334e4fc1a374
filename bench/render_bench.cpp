// One full drawing pass at 1920 x 1080 with the Qt image surface, the
// drawing fitted as after a load, reported per pass:
// - a plan-like store of one million entities on 50 layers drawn layer by
//   layer (lines, arcs and circles, texts and block inserts);
// - the same million entities on 3 000 layers in random order with 300
//   blocks, the shape of large real drawings, where every entity's layer
//   differs from the one before;
// - 5 000 large SOLIDs lying over each other;
// - the plan zoomed in to 1 % of its area (a tenth of its width and of its
//   height), through the entity index and over every entity;
// - the plan's picture drawn in bands on one and on two threads, as
//   --render draws it (wall time);
// - the walk that loads the plan for a pass: its entity index and its fit,
//   on one and on two threads (wall time).
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include <QGuiApplication>

#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "render/entity_index.h"
#include "store/records.h"
#include "store/store_reader.h"
#include "surfaces/band_picture.h"
#include "surfaces/qt_surface.h"
#include "view/drawing_view.h"

namespace {

constexpr int kEntities = 1'000'000;
constexpr double kWidth = 100000.0;
constexpr double kHeight = 70000.0;

struct StoreShape {
    int layers;
    int blocks;
    bool random_layers;  // else runs of 50 entities per layer
};

void set_extents(zov::StoreHeader& header, double width, double height) {
    header.min_x = 0;
    header.min_y = 0;
    header.max_x = width;
    header.max_y = height;
    header.scale = 100;
}

// A small fitting: four lines and an arc, turned by `variant` quarter turns
// of its arc.
std::vector<zov::EntityRecord> fitting(int variant) {
    return {zov::line_record(0, 0, 0, 60, 0), zov::line_record(0, 60, 0, 60, 40),
            zov::line_record(0, 60, 40, 0, 40), zov::line_record(0, 0, 40, 0, 0),
            zov::circle_record(0, 30, 20, 15, variant % 4 * 90.0, variant % 4 * 90.0 + 180)};
}

// A plan-like store: entity i sits in a cell of a 1000 x 1000 grid over the
// drawing and takes its layer's colour and line type (solid, dotted or
// dashed). 55% lines, 20% arcs and circles, 14% small texts (boxes at this
// scale) and 1% texts large enough to be drawn with a font, 10% inserts.
void build_store(const std::string& folder, zov::Messages& messages, const StoreShape& shape) {
    zov::StoreBuilder store(folder, messages);
    set_extents(store.header(), kWidth, kHeight);
    for (int i = 0; i < shape.layers; ++i) store.add_layer("LAYER" + std::to_string(i));
    for (int b = 0; b < shape.blocks; ++b)
        store.add_block("FITTING" + std::to_string(b), fitting(b));
    std::mt19937 random(1920u);
    const double cell_w = kWidth / 1000.0, cell_h = kHeight / 1000.0;
    for (int i = 0; i < kEntities; ++i) {
        const double x = (i % 1000) * cell_w, y = ((i / 1000) % 1000) * cell_h;
        const int layer_index = shape.random_layers ? static_cast<int>(random() % shape.layers)
                                                    : (i / 50) % shape.layers;
        const auto layer = static_cast<std::int16_t>(1 + layer_index);
        const int pick = i % 100;
        zov::EntityRecord e;
        if (pick < 55) {
            e = zov::line_record(layer, x, y, x + cell_w * 0.9, y + cell_h * (i % 3) * 0.4);
        } else if (pick < 75) {
            e = zov::circle_record(layer, x + cell_w / 2, y + cell_h / 2, cell_h * 0.4,
                                   (i % 4) * 45.0, (i % 4) * 45.0 + (pick < 65 ? 0.0 : 120.0));
        } else if (pick < 89) {
            e = zov::text_record(layer, x, y, cell_h * 0.5, (i % 8) * 45.0);
            store.attach_text(e, "ROOM 101");
        } else if (pick < 90) {
            e = zov::text_record(layer, x, y, cell_h * 6.0);
            store.attach_text(e, "\x95\x94\x89\xae 101");  // 部屋 101
        } else {
            const auto block = static_cast<std::int16_t>(1 + i % shape.blocks);
            e = zov::insert_record(layer, block, x, y, 1.0, 1.0, (i % 4) * 90.0);
        }
        e.colour = 1 + layer_index % 7;
        e.line_type = 1 + layer_index % 3;
        store.add_entity(e);
    }
    store.finish();
}

// `count` quadrilaterals about half the drawing wide, each somewhere on it.
void build_solids_store(const std::string& folder, zov::Messages& messages, int count) {
    zov::StoreBuilder store(folder, messages);
    set_extents(store.header(), 1000, 1000);
    for (int i = 0; i < 4; ++i) store.add_layer("SOLIDS" + std::to_string(i));
    std::mt19937 random(5000u);
    std::uniform_int_distribution<int> corner(0, 400);
    for (int i = 0; i < count; ++i) {
        const double x = corner(random), y = corner(random);
        zov::EntityRecord e;
        e.kind = zov::kEntitySolid;
        e.layer = static_cast<std::int16_t>(1 + i % 4);
        e.colour = 1 + i % 4;
        e.line_type = zov::kLineContinuous;
        e.solid.first_x = x;
        e.solid.first_y = y;
        e.x1 = x + 600 - corner(random) / 4.0;
        e.y1 = y;
        e.solid.third_x = x;
        e.solid.third_y = y + 600 - corner(random) / 4.0;
        e.solid.fourth_x = x + 600 - corner(random) / 4.0;
        e.solid.fourth_y = y + 600 - corner(random) / 4.0;
        store.add_entity(e);
    }
    store.finish();
}

// Passes over the store in `folder` after one that loads it; `setup` readies
// the view before that load.
void run_passes(benchmark::State& bench, const std::string& folder, long entities,
                const std::function<void(zov::DrawingView&)>& setup = {}) {
    zov::RecordingMessages messages;
    zov::DrawingView view(folder, messages);
    if (setup) setup(view);
    zov::ImageSurface image(1920, 1080);
    view.draw_drawing(image.surface());  // opens the store and fits the drawing
    for (auto _ : bench) view.draw_drawing(image.surface());
    bench.SetItemsProcessed(bench.iterations() * entities);
    bench.counters["seconds_per_pass"] =
        benchmark::Counter(static_cast<double>(bench.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void draw_plan(benchmark::State& bench, const StoreShape& shape,
               const std::function<void(zov::DrawingView&)>& setup = {}) {
    zov::RecordingMessages messages;
    const zov::TempFolder scratch;
    const std::string folder = scratch.folder().string();
    build_store(folder, messages, shape);
    run_passes(bench, folder, kEntities, setup);
}

void BM_DrawingPass(benchmark::State& bench) { draw_plan(bench, {50, 1, false}); }
BENCHMARK(BM_DrawingPass)->Unit(benchmark::kMillisecond);

void BM_DrawingPassManyLayers(benchmark::State& bench) { draw_plan(bench, {3000, 300, true}); }
BENCHMARK(BM_DrawingPassManyLayers)->Unit(benchmark::kMillisecond);

void BM_OverlappingSolids(benchmark::State& bench) {
    zov::RecordingMessages messages;
    const zov::TempFolder scratch;
    const std::string folder = scratch.folder().string();
    build_solids_store(folder, messages, 5000);
    run_passes(bench, folder, 5000);
}
BENCHMARK(BM_OverlappingSolids)->Unit(benchmark::kMillisecond);

// The middle tenth of the plan's width and height; the index is built in the
// pass that loads the store.
void BM_DrawingPassZoomed(benchmark::State& bench) {
    draw_plan(bench, {50, 1, false}, [&](zov::DrawingView& view) {
        view.index_use = bench.range(0) == 1 ? zov::IndexUse::WhenNeeded : zov::IndexUse::Never;
        view.area_after_fit =
            zov::DrawingExtents{0.45 * kWidth, 0.45 * kHeight, 0.55 * kWidth, 0.55 * kHeight};
    });
}
// Through the index (range 1) and over every entity (range 0).
BENCHMARK(BM_DrawingPassZoomed)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Pictures in `bands` bands of the whole plan, or with `zoomed` of its
// middle tenth, as --render draws them.
void draw_in_bands(benchmark::State& bench, int bands, bool zoomed) {
    zov::RecordingMessages messages;
    const zov::TempFolder scratch;
    const std::string folder = scratch.folder().string();
    build_store(folder, messages, {50, 1, false});
    zov::DrawingView view(folder, messages);
    if (zoomed)
        view.area_after_fit =
            zov::DrawingExtents{0.45 * kWidth, 0.45 * kHeight, 0.55 * kWidth, 0.55 * kHeight};
    zov::draw_picture(view, 1920, 1080, zov::Paper::Black, bands);  // the load
    for (auto _ : bench) zov::draw_picture(view, 1920, 1080, zov::Paper::Black, bands);
    bench.SetItemsProcessed(bench.iterations() * kEntities);
}

void BM_DrawingPassInBands(benchmark::State& bench) {
    draw_in_bands(bench, static_cast<int>(bench.range(0)), false);
}
// One and two threads, each band on a picture of its own.
BENCHMARK(BM_DrawingPassInBands)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_DrawingPassZoomedInBands(benchmark::State& bench) {
    draw_in_bands(bench, static_cast<int>(bench.range(0)), true);
}
BENCHMARK(BM_DrawingPassZoomedInBands)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The index and the fit of the plan, built with `bench.range(0)` readers,
// each on its own thread, as a load builds them before its first pass.
void BM_IndexAndFit(benchmark::State& bench) {
    zov::RecordingMessages messages;
    const zov::TempFolder scratch;
    const std::string folder = scratch.folder().string();
    build_store(folder, messages, {50, 1, false});
    std::vector<zov::StoreReader> readers(static_cast<std::size_t>(bench.range(0)));
    std::vector<zov::StoreReader*> parts;
    for (zov::StoreReader& reader : readers) {
        if (reader.open(folder + "/" + zov::kDataFileName) != 0) {
            bench.SkipWithError("the store cannot be opened");
            return;
        }
        parts.push_back(&reader);
    }
    for (auto _ : bench) {
        std::optional<zov::BoundingBox> fit;
        benchmark::DoNotOptimize(zov::EntityIndex::build_in_parts(parts, nullptr, &fit));
    }
    bench.SetItemsProcessed(bench.iterations() * kEntities);
}
BENCHMARK(BM_IndexAndFit)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; it paints offscreen without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
