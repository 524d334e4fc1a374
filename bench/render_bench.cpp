// One full drawing pass of a store of one million entities (lines, arcs and
// circles, texts and block inserts on 50 layers) at 1920 x 1080 with the Qt
// image surface, the drawing fitted as after a load. Reported per pass.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include <QGuiApplication>

#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "render/drawing_view.h"
#include "render/qt_surface.h"

namespace {

constexpr int kEntities = 1'000'000;
constexpr int kLayers = 50;
constexpr double kWidth = 100000.0;
constexpr double kHeight = 70000.0;

std::string bench_folder() {
    auto folder = std::filesystem::temp_directory_path() /
                  ("zov_render_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder.string();
}

// A plan-like store: entity i sits in a cell of a 1000 x 1000 grid over the
// drawing. Entities come in runs of 50 per layer, as drawings are usually
// drawn layer by layer, and take their layer's colour and line type (solid,
// dotted or dashed). 55% lines, 20% arcs and circles, 14% small texts (boxes
// at this scale) and 1% texts large enough to be drawn with a font, 10%
// inserts of a small fitting (four lines and an arc).
void build_store(const std::string& folder, zov::Messages& messages) {
    zov::StoreBuilder store(folder, messages);
    zov::StoreHeader& header = store.header();
    header.min_x = 0;
    header.min_y = 0;
    header.max_x = kWidth;
    header.max_y = kHeight;
    header.scale = 100;
    for (int i = 0; i < kLayers; ++i) store.add_layer("LAYER" + std::to_string(i));
    const std::int16_t fitting = store.add_block(
        "FITTING", {zov::line_record(0, 0, 0, 60, 0), zov::line_record(0, 60, 0, 60, 40),
                    zov::line_record(0, 60, 40, 0, 40), zov::line_record(0, 0, 40, 0, 0),
                    zov::circle_record(0, 30, 20, 15, 0, 180)});
    const double cell_w = kWidth / 1000.0, cell_h = kHeight / 1000.0;
    for (int i = 0; i < kEntities; ++i) {
        const double x = (i % 1000) * cell_w, y = ((i / 1000) % 1000) * cell_h;
        const int layer_index = (i / 50) % kLayers;
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
            e = zov::insert_record(layer, fitting, x, y, 1.0, 1.0, (i % 4) * 90.0);
        }
        e.colour = 1 + layer_index % 7;
        e.line_type = 1 + layer_index % 3;
        store.add_entity(e);
    }
    store.finish();
}

void BM_DrawingPass(benchmark::State& bench) {
    zov::RecordingMessages messages;
    const std::string folder = bench_folder();
    build_store(folder, messages);
    zov::DrawingView view(folder, messages);
    zov::ImageSurface image(1920, 1080);
    view.draw_drawing(image.surface());  // opens the store and fits the drawing
    for (auto _ : bench) view.draw_drawing(image.surface());
    bench.SetItemsProcessed(bench.iterations() * kEntities);
    bench.counters["seconds_per_pass"] = benchmark::Counter(
        static_cast<double>(bench.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DrawingPass)->Unit(benchmark::kMillisecond);

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
