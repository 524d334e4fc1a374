// Throughput of the analyser on large DXF files that the program generates in
// a temporary folder (and deletes at the end): conversion to an analysis file
// in the program's own form with the default settings, and the rebuild of the
// DXF from it. Each size reports MB/s of input per CPU second of the one
// thread that does the work (the machine is shared, so wall time says little
// about the code), and the peak resident memory of the run, which must not
// grow with the file size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "analyser/context.h"
#include "analyser/conversion.h"
#include "analyser/dialogs.h"
#include "analyser/rebuild.h"
#include "analyser/settings_file.h"
#include "bench_measures.h"
#include "common/clock.h"
#include "common/files.h"
#include "common/messages.h"
#include "fixtures/dxf_text.h"
#include "fixtures/temp_folder.h"

namespace {

// A drawing of lines, circles, texts and lightweight polylines with handles
// and subclass markers, as CAD programs write them, of at least `bytes`.
void write_large_dxf(const std::string& path, std::size_t bytes) {
    zov::DxfTextWriter dxf(path);
    dxf.group("  0", "SECTION");
    dxf.group("  2", "HEADER");
    dxf.group("  9", "$ACADVER");
    dxf.group("  1", "AC1015");
    dxf.group("  0", "ENDSEC");
    dxf.group("  0", "SECTION");
    dxf.group("  2", "ENTITIES");
    for (long handle = 0x100; dxf.bytes_written() < bytes; handle += 4) {
        char h[24];
        std::snprintf(h, sizeof h, "%lX", handle);
        std::string x = std::to_string(handle % 9973) + ".25";
        std::string y = std::to_string(handle % 7919) + ".5";
        dxf.group("  0", "LINE");
        dxf.group("  5", h);
        dxf.group("100", "AcDbEntity");
        dxf.group("  8", "WALLS");
        dxf.group("100", "AcDbLine");
        dxf.group(" 10", x);
        dxf.group(" 20", y);
        dxf.group(" 30", "0.0");
        dxf.group(" 11", y);
        dxf.group(" 21", x);
        dxf.group(" 31", "0.0");
        dxf.group("  0", "CIRCLE");
        dxf.group("  5", h);
        dxf.group("  8", "DOORS");
        dxf.group(" 10", x);
        dxf.group(" 20", y);
        dxf.group(" 40", "450.0");
        dxf.group("  0", "TEXT");
        dxf.group("  8", "NOTES");
        dxf.group(" 10", x);
        dxf.group(" 20", y);
        dxf.group(" 40", "250.0");
        dxf.group("  1", "Room 101 / \x95\x94\x89\xae");  // 部屋 in CP932
        dxf.group("  0", "LWPOLYLINE");
        dxf.group("  8", "FURNITURE");
        dxf.group(" 90", "8");
        dxf.group(" 70", "1");
        for (int v = 0; v < 8; ++v) {
            dxf.group(" 10", x);
            dxf.group(" 20", y);
        }
    }
    dxf.group("  0", "ENDSEC");
    dxf.group("  0", "EOF");
}

using zov_bench::file_bytes;
using zov_bench::peak_memory_mb;
using zov_bench::reset_peak_memory;

struct BenchFolder {
    std::string path;
    zov::RecordingMessages messages;
    zov::SystemClock clock;
    zov::AcceptingDialogs dialogs;
};

void run_conversion(benchmark::State& state, BenchFolder& folder, const std::string& dxf) {
    zov::AnalyserContext context(folder.path, folder.messages, folder.clock, folder.dialogs);
    zov::load_settings(context);
    context.settings.analysis_form = 0;
    std::string analysis = dxf + ".TXT";
    reset_peak_memory();
    for (auto _ : state) {
        if (zov::convert_dxf_to_analysis(context, dxf, analysis) != 1)
            state.SkipWithError("conversion failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file_bytes(dxf)));
    state.counters["input_MB"] = static_cast<double>(file_bytes(dxf)) / 1e6;
    state.counters["peak_rss_MB"] = peak_memory_mb();
}

void run_rebuild(benchmark::State& state, BenchFolder& folder, const std::string& dxf) {
    zov::AnalyserContext context(folder.path, folder.messages, folder.clock, folder.dialogs);
    zov::load_settings(context);
    std::string analysis = dxf + ".TXT";
    std::string rebuilt = dxf + ".rebuilt.dxf";
    reset_peak_memory();
    for (auto _ : state) {
        if (!zov::rebuild_from_analysis(context, zov::RebuildStep::WriteDxf, analysis, rebuilt))
            state.SkipWithError("rebuild failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file_bytes(analysis)));
    state.counters["input_MB"] = static_cast<double>(file_bytes(analysis)) / 1e6;
    state.counters["peak_rss_MB"] = peak_memory_mb();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const zov::TempFolder scratch;
    BenchFolder folder;
    folder.path = scratch.path();

    const std::size_t sizes_mb[] = {25, 110};
    for (std::size_t mb : sizes_mb) {
        std::string dxf = folder.path + "drawing" + std::to_string(mb) + ".dxf";
        write_large_dxf(dxf, mb * 1000 * 1000);
        std::string size = "/" + std::to_string(mb) + "MB";
        // Conversion first: the rebuild reads the analysis file it writes.
        benchmark::RegisterBenchmark(("Convert" + size).c_str(), run_conversion, std::ref(folder),
                                     dxf)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
        benchmark::RegisterBenchmark(("Rebuild" + size).c_str(), run_rebuild, std::ref(folder), dxf)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(3);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
