// The main window's redraw after a zoom key on a drawing of as many entities
// as the first argument: the key goes to the real view, which draws one full
// pass from its pass thread, in bands on as many threads as the processor's
// cores (up to four); the benchmark waits for the picture. The window's
// view is about 1900 x 1000 pixels; before the keys it shows the middle
// share of the fit's width and height given by the second argument, in
// percent (100: the fit). Reported per key press (Page Up and Page Down in
// turn).
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include <QApplication>
#include <QKeyEvent>

#include "common/clock.h"
#include "common/messages.h"
#include "drawing_widget.h"
#include "fixtures/scripted_file_dialog.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "viewer_window.h"

namespace {

constexpr double kRoom = 4000.0;
constexpr int kPerRoom = 10;  // entities

// A square floor of rooms, ten entities each (100 x 100 rooms for 100 000
// entities), layer by kind as drawings are usually layered: four walls, a
// door swing, a window line, a fitting insert, two small labels and a
// column circle.
void build_floor(const std::string& folder, int entities, zov::Messages& messages) {
    const int rooms = static_cast<int>(std::ceil(std::sqrt(entities / double(kPerRoom))));
    zov::StoreBuilder store(folder, messages);
    zov::StoreHeader& header = store.header();
    header.min_x = 0;
    header.min_y = 0;
    header.max_x = rooms * kRoom;
    header.max_y = rooms * kRoom;
    header.scale = 100;
    const std::int16_t walls = store.add_layer("WALL");
    const std::int16_t doors = store.add_layer("DOOR");
    const std::int16_t texts = store.add_layer("TEXT");
    const std::int16_t fittings = store.add_layer("FITTING");
    const std::int16_t basin = store.add_block(
        "BASIN", {zov::line_record(0, 0, 0, 600, 0), zov::line_record(0, 600, 0, 600, 400),
                  zov::circle_record(0, 300, 200, 150)});
    for (int room = 0; room * kPerRoom < entities; ++room) {
        const double x = (room % rooms) * kRoom, y = (room / rooms) * kRoom;
        auto add = [&](zov::EntityRecord e, int colour) {
            e.colour = colour;
            e.line_type = 1;
            store.add_entity(e);
        };
        add(zov::line_record(walls, x, y, x + kRoom, y), 2);
        add(zov::line_record(walls, x + kRoom, y, x + kRoom, y + kRoom), 2);
        add(zov::line_record(walls, x + kRoom, y + kRoom, x, y + kRoom), 2);
        add(zov::line_record(walls, x, y + kRoom, x, y), 2);
        add(zov::circle_record(doors, x + 500, y, 800, 0, 90), 3);
        add(zov::line_record(doors, x + 2000, y + kRoom, x + 3500, y + kRoom), 4);
        add(zov::insert_record(fittings, basin, x + 2500, y + 2500), 5);
        zov::EntityRecord label = zov::text_record(texts, x + 300, y + 3000, 300);
        store.attach_text(label, "ROOM");
        add(label, 7);
        zov::EntityRecord area = zov::text_record(texts, x + 300, y + 2500, 200);
        store.attach_text(area, "12.5m2");
        add(area, 7);
        add(zov::circle_record(walls, x, y, 150), 1);
    }
    store.finish();
}

void BM_RedrawAfterZoomKey(benchmark::State& bench) {
    zov::RecordingMessages messages;
    zov::SystemClock clock;
    zov::ScriptedFileDialog no_dialog;
    const zov::TempFolder folder;
    const auto entities = static_cast<int>(bench.range(0));
    build_floor(folder.path(), entities, messages);

    ViewerWindow window(folder.path(), {messages, clock, no_dialog}, {});
    window.resize(1920, 1080);
    window.drawing().splash_pause_ms = 0;
    window.show();
    window.drawing().run_first_repaint();
    while (!window.drawing().first_repaint_done()) QApplication::processEvents();
    if (const double share = static_cast<double>(bench.range(1)) / 100.0; share < 1.0) {
        zov::ViewWindow& view = window.view().view;
        const int mx = static_cast<int>(view.client_width() * (1.0 - share) / 2.0);
        const int my = static_cast<int>(view.client_height() * (1.0 - share) / 2.0);
        view.set_view_window(
            view.window_of_pixels(mx, my, view.client_width() - mx, view.client_height() - my));
        window.drawing().redraw();
        benchmark::DoNotOptimize(window.drawing().picture().constBits());
    }

    bool in = true;
    for (auto _ : bench) {
        QKeyEvent press(QEvent::KeyPress, in ? Qt::Key_PageUp : Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&window.drawing(), &press);
        benchmark::DoNotOptimize(window.drawing().picture().constBits());
        in = !in;
    }
    bench.SetItemsProcessed(bench.iterations() * entities);
    bench.counters["view_pixels"] = window.drawing().width() * window.drawing().height();
}
// Process CPU time: what the redraw costs, whatever else the machine runs.
BENCHMARK(BM_RedrawAfterZoomKey)
    ->Args({100'000, 100})
    ->Args({1'000'000, 100})
    ->Args({1'000'000, 10})
    ->Args({1'000'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace
