// Throughput of the JW_CAD import: a data file of lines, arcs, ellipses,
// texts and points spread over many layers, imported into a drawing store
// (both passes, assembly and dump); and the reader alone.
#include <benchmark/benchmark.h>

#include <string>

#include "common/messages.h"
#include "fixtures/jw_writer.h"
#include "fixtures/temp_folder.h"
#include "jw/jw_file.h"
#include "jw/jw_header.h"
#include "jw/jw_import.h"
#include "store/import_state.h"

namespace {

// A drawing of `elements` elements: 70 % lines, 15 % circles and arcs, 5 %
// ellipses, 5 % texts, 5 % points, on 64 layers.
std::string drawing(std::int64_t elements) {
    zov::fixtures::JwDataSpec content;
    auto& e = content.elements;
    for (std::int64_t i = 0; i < elements; ++i) {
        float x = static_cast<float>(i % 400), y = static_cast<float>(i / 400 % 280);
        int layer = static_cast<int>(i % 64), kind = static_cast<int>(i % 20);
        if (kind < 14)
            e.lines.push_back({x, y, x + 1, y + 0.5f, 1 + kind % 9, 1 + kind % 6, layer});
        else if (kind < 17)
            e.circles.push_back({x, y, 2, 10000, 0, kind * 65536 * 20, 0, 1, 1, layer});
        else if (kind < 18)
            e.circles.push_back({x, y, 2, 5000, 0, 0, 0, 1, 1, layer});
        else if (kind < 19)
            e.texts.push_back({x, y, x + 5, y, 3, layer, 0, "ROOM 101"});
        else
            e.points.push_back({x, y, layer, 2});
    }
    return zov::fixtures::build_jw_data_file(content);
}

void BM_ImportDataFile(benchmark::State& bench) {
    const zov::TempFolder scratch;
    const std::string& folder = scratch.path();
    const std::string source = folder + "drawing.jwc";
    const std::string bytes = drawing(bench.range(0));
    zov::fixtures::write_jw_file(source, bytes);
    zov::RecordingMessages messages;
    zov::ImportState state(folder, messages);
    for (auto _ : bench) {
        if (zov::import_jwc_file(source, state, messages) != 0)
            bench.SkipWithError("import failed");
    }
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ImportDataFile)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadLineRecords(benchmark::State& bench) {
    const zov::TempFolder scratch;
    const std::string& folder = scratch.path();
    const std::string source = folder + "lines.jwc";
    zov::fixtures::JwDataSpec content;
    content.elements.lines.resize(static_cast<std::size_t>(bench.range(0)));
    zov::fixtures::write_jw_file(source, zov::fixtures::build_jw_data_file(content));
    for (auto _ : bench) {
        zov::JwFile file;
        file.open(source);
        file.seek(zov::jw_element_offset(false));
        zov::JwLineRecord line;
        for (std::int64_t i = 0; i < bench.range(0); ++i) zov::read_jw_line(file, line);
        benchmark::DoNotOptimize(line);
    }
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}
BENCHMARK(BM_ReadLineRecords)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
