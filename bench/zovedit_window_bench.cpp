// The editor window on an analysis file of 25 MB (form 0 with item comments,
// the program's defaults but for the form): opening it (read, decode, show),
// scrolling to its end, typing one character there and saving it byte for
// byte. Reported per operation in milliseconds of wall time (the window's
// work is one thread, and what the user waits for), with MB/s of the file
// and the peak resident memory of the process. Runs on the offscreen
// platform unless another is set.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "analyser/conversion.h"
#include "analyser/dialogs.h"
#include "analyser/editor_session.h"
#include "analyser/settings_file.h"
#include "bench_measures.h"
#include "common/clock.h"
#include "common/messages.h"
#include "editor_view.h"
#include "fixtures/dxf_text.h"
#include "fixtures/temp_folder.h"
#include "main_window.h"

namespace {

constexpr std::size_t kAnalysisBytes = 25u * 1000 * 1000;

// A drawing of walls (polylines with many vertices), dimensions' texts in
// Japanese, and inserts with attributes, of at least `bytes`.
void write_drawing(const std::string& path, std::size_t bytes) {
    zov::DxfTextWriter dxf(path);
    dxf.group("  0", "SECTION");
    dxf.group("  2", "ENTITIES");
    for (long n = 1; dxf.bytes_written() < bytes; ++n) {
        std::string x = std::to_string(n % 8111) + ".125";
        dxf.group("  0", "LWPOLYLINE");
        dxf.group("  8", "WALLS");
        dxf.group(" 90", "6");
        for (int v = 0; v < 6; ++v) {
            dxf.group(" 10", x);
            dxf.group(" 20", std::to_string(v * 450) + ".0");
        }
        dxf.group("  0", "TEXT");
        dxf.group("  8", "DIMENSIONS");
        dxf.group(" 10", x);
        dxf.group(" 20", "-300.0");
        dxf.group("  1", "\x8c\x8a\x8d\x9e " + std::to_string(n));  // 建具 n
        dxf.group("  0", "INSERT");
        dxf.group("  8", "DOORS");
        dxf.group("  2", "DOOR");
        dxf.group(" 10", x);
        dxf.group(" 20", "0.0");
        dxf.group(" 50", "90.0");
    }
    dxf.group("  0", "ENDSEC");
    dxf.group("  0", "EOF");
}

using zov_bench::file_bytes;
using zov_bench::peak_memory_mb;

// A start folder, an analyser session and its main window.
struct Editor {
    explicit Editor(const std::string& folder)
        : context(folder, messages, clock, dialogs), session(context, "") {
        context.settings.analysis_form = 0;
        window = std::make_unique<zovedit::MainWindow>(session, messages);
        window->show();
    }
    // An analysis file of kAnalysisBytes to 5 % more: the drawing is sized
    // again by the ratio of analysis to drawing bytes of the last try.
    std::string make_analysis() {
        std::string dxf = context.start_folder + "drawing.dxf";
        std::string analysis = context.start_folder + "drawing.TXT";
        std::size_t drawing_bytes = kAnalysisBytes;
        for (int attempt = 0; attempt < 3; ++attempt) {
            write_drawing(dxf, drawing_bytes);
            zov::convert_dxf_to_analysis(context, dxf, analysis);
            std::size_t got = file_bytes(analysis);
            if (got == 0 || (got >= kAnalysisBytes && got <= kAnalysisBytes / 100 * 105)) break;
            drawing_bytes = static_cast<std::size_t>(static_cast<double>(drawing_bytes) / got *
                                                     (kAnalysisBytes * 1.02));
        }
        return analysis;
    }
    void paint() { window->view()->viewport()->repaint(); }

    zov::RecordingMessages messages;
    zov::SystemClock clock;
    zov::AcceptingDialogs dialogs;
    zov::AnalyserContext context;
    zov::EditorSession session;
    std::unique_ptr<zovedit::MainWindow> window;
};

void report(benchmark::State& state, const std::string& analysis) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file_bytes(analysis)));
    state.counters["file_MB"] = static_cast<double>(file_bytes(analysis)) / 1e6;
    state.counters["peak_rss_MB"] = peak_memory_mb();
}

void open_file(benchmark::State& state, Editor& editor, const std::string& analysis) {
    for (auto _ : state) {
        editor.window->open_document(QString::fromStdString(analysis));
        editor.paint();
    }
    report(state, analysis);
}

void scroll_to_end(benchmark::State& state, Editor& editor, const std::string& analysis) {
    zovedit::EditorView* view = editor.window->view();
    for (auto _ : state) {
        view->moveCursor(QTextCursor::Start);
        editor.paint();
        view->moveCursor(QTextCursor::End);
        view->ensureCursorVisible();
        editor.paint();
    }
    if (view->verticalScrollBar()->value() != view->verticalScrollBar()->maximum())
        state.SkipWithError("not at the end");
    report(state, analysis);
}

void type_at_end(benchmark::State& state, Editor& editor, const std::string& analysis) {
    zovedit::EditorView* view = editor.window->view();
    view->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        QTest::keyClick(view, Qt::Key_X);
        editor.paint();
    }
    report(state, analysis);
}

void save_file(benchmark::State& state, Editor& editor, const std::string& analysis) {
    for (auto _ : state)
        if (!editor.window->save_document()) state.SkipWithError("save failed");
    report(state, analysis);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    const zov::TempFolder scratch;
    const std::string& folder = scratch.path();
    {
        Editor editor(folder);
        const std::string analysis = editor.make_analysis();
        benchmark::RegisterBenchmark("Open/25MB", open_file, std::ref(editor), analysis)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
        benchmark::RegisterBenchmark("ScrollToEnd/25MB", scroll_to_end, std::ref(editor), analysis)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
        benchmark::RegisterBenchmark("TypeOneKey/25MB", type_at_end, std::ref(editor), analysis)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(50)
            ->UseRealTime();
        benchmark::RegisterBenchmark("Save/25MB", save_file, std::ref(editor), analysis)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3)
            ->UseRealTime();
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    return 0;
}
