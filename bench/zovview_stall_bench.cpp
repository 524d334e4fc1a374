// How long the main window's event loop stands still: a 10 ms timer runs
// while the window opens a generated DXF drawing of 400 000 entities (about
// 71 MB) through its open command, and while zoom keys arrive on that
// drawing; the longest gap between two of its ticks is reported in
// milliseconds (a loop that never stalls shows about 10). After the work the
// loop is watched a little longer, so that a pass drawn later counts too.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include "common/clock.h"
#include "common/messages.h"
#include "drawing_widget.h"
#include "fixtures/scripted_file_dialog.h"
#include "fixtures/temp_folder.h"
#include "large_drawing.h"
#include "viewer/viewer_commands.h"
#include "viewer_window.h"

namespace {

constexpr int kTickMilliseconds = 10;
constexpr int kSettleMilliseconds = 3000;  // watched after the work
constexpr int kZoomKeys = 6;
constexpr int kKeyIntervalMilliseconds = 150;

// Runs `work` with the ticking timer, then lets the loop run for the settle
// time; the longest gap between ticks in milliseconds.
double longest_gap(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    tick.start(kTickMilliseconds);
    work();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < kSettleMilliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, kTickMilliseconds);
    return static_cast<double>(longest);
}

struct LargeDrawingWindow {
    zov::RecordingMessages messages;
    zov::SystemClock clock;
    zov::ScriptedFileDialog dialog;
    const zov::TempFolder home;
    const zov::TempFolder files;
    std::string drawing = files.file("large.dxf");
    ViewerWindow window{home.path(), {messages, clock, dialog}, {}};

    LargeDrawingWindow() {
        zov::write_large_drawing(drawing, zov::LargeDrawingShape{});
        window.resize(1920, 1080);
        window.drawing().splash_pause_ms = 0;
        window.show();
        window.drawing().run_first_repaint();
        while (!window.drawing().first_repaint_done()) QApplication::processEvents();
    }
    void open() {
        dialog.answers = {drawing};
        window.run_command(zov::kCmdOpenDxf);
    }
};

void BM_LongestStallDuringImport(benchmark::State& bench) {
    LargeDrawingWindow large;
    double gap = 0;
    for (auto _ : bench) gap = longest_gap([&] { large.open(); });
    bench.counters["longest_gap_ms"] = gap;
}
BENCHMARK(BM_LongestStallDuringImport)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LongestStallDuringZoom(benchmark::State& bench) {
    LargeDrawingWindow large;
    large.open();
    double gap = 0;
    for (auto _ : bench) {
        gap = longest_gap([&] {
            for (int i = 0; i < kZoomKeys; ++i) {
                QTimer::singleShot(i * kKeyIntervalMilliseconds, &large.window, [&, i] {
                    QKeyEvent press(QEvent::KeyPress,
                                    i % 2 == 0 ? Qt::Key_PageUp : Qt::Key_PageDown, Qt::NoModifier);
                    QApplication::sendEvent(&large.window.drawing(), &press);
                });
            }
        });
    }
    bench.counters["longest_gap_ms"] = gap;
}
BENCHMARK(BM_LongestStallDuringZoom)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
