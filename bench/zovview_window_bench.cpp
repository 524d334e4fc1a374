// The main window's redraw after a zoom key on a drawing of 100 000
// entities: the key goes to the real view, which draws one full pass on its
// pass thread; the benchmark waits for the picture. The window's view is about 1900 x 1000
// pixels. Reported per key press (Page Up and Page Down in turn).
#include <benchmark/benchmark.h>

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

constexpr int kEntities = 100'000;
constexpr int kRooms = 100;  // per side
constexpr double kRoom = 4000.0;
constexpr int kPerRoom = 10;  // entities

// A floor of 100 x 100 rooms, ten entities each, layer by kind as drawings
// are usually layered: four walls, a door swing, a window line, a fitting
// insert, two small labels and a column circle.
void build_floor(const std::string& folder, zov::Messages& messages) {
    zov::StoreBuilder store(folder, messages);
    zov::StoreHeader& header = store.header();
    header.min_x = 0;
    header.min_y = 0;
    header.max_x = kRooms * kRoom;
    header.max_y = kRooms * kRoom;
    header.scale = 100;
    const std::int16_t walls = store.add_layer("WALL");
    const std::int16_t doors = store.add_layer("DOOR");
    const std::int16_t texts = store.add_layer("TEXT");
    const std::int16_t fittings = store.add_layer("FITTING");
    const std::int16_t basin = store.add_block(
        "BASIN", {zov::line_record(0, 0, 0, 600, 0), zov::line_record(0, 600, 0, 600, 400),
                  zov::circle_record(0, 300, 200, 150)});
    for (int room = 0; room * kPerRoom < kEntities; ++room) {
        const double x = (room % kRooms) * kRoom, y = (room / kRooms) * kRoom;
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
    build_floor(folder.path(), messages);

    ViewerWindow window(folder.path(), {messages, clock, no_dialog}, {});
    window.resize(1920, 1080);
    window.drawing().splash_pause_ms = 0;
    window.show();
    window.drawing().run_first_repaint();
    while (!window.drawing().first_repaint_done()) QApplication::processEvents();

    bool in = true;
    for (auto _ : bench) {
        QKeyEvent press(QEvent::KeyPress, in ? Qt::Key_PageUp : Qt::Key_PageDown, Qt::NoModifier);
        QApplication::sendEvent(&window.drawing(), &press);
        benchmark::DoNotOptimize(window.drawing().picture().constBits());
        in = !in;
    }
    bench.SetItemsProcessed(bench.iterations() * kEntities);
    bench.counters["view_pixels"] = window.drawing().width() * window.drawing().height();
}
// Process CPU time: what the redraw costs, whatever else the machine runs.
BENCHMARK(BM_RedrawAfterZoomKey)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
