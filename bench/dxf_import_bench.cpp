// Throughput of the whole DXF import (reading, tables, blocks, entities,
// numbering and assembly) on generated drawings of the shape of large real
// ones (bench/large_drawing.h): at least 100 MB with the layers named in a
// fixed stride (as text and as binary DXF), and 400 000 entities (about 71 MB) on 3 000 layers
// named in random order, with CR LF and with LF line ends, its ENTITIES section read on one
// thread and in parts on two (wall time). Each drawing is made in a temporary folder and deleted
// afterwards.
#include <benchmark/benchmark.h>

#include <string>

#include "common/messages.h"
#include "dxf_import/dxf_import.h"
#include "fixtures/temp_folder.h"
#include "large_drawing.h"
#include "store/import_state.h"

namespace {

void import_drawing(benchmark::State& bench, const zov::LargeDrawingShape& shape,
                    int entity_threads = 0) {
    const zov::TempFolder folder;
    const std::string source = folder.file("LARGE.DXF");
    const long size = zov::write_large_drawing(source, shape);
    if (size == 0) {
        bench.SkipWithError("cannot write the drawing");
        return;
    }
    zov::RecordingMessages messages;
    std::int32_t entities = 0;
    int joined_parts = 0;
    zov::DxfImportOptions options;
    options.entity_threads = entity_threads;
    options.joined_parts = &joined_parts;
    for (auto _ : bench) {
        zov::ImportState state(folder.folder().string(), messages);
        if (zov::import_dxf_file(source, state, options) != 0) bench.SkipWithError("import failed");
        entities = state.header.ent_num;
    }
    bench.counters["joined_parts"] = joined_parts;
    bench.SetBytesProcessed(bench.iterations() * size);
    bench.counters["MB"] = static_cast<double>(size) / (1 << 20);
    bench.counters["entity_records"] = entities;
    // Records per second, to compare text and binary files per entity.
    bench.counters["records_per_second"] =
        benchmark::Counter(static_cast<double>(entities) * static_cast<double>(bench.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_ImportDxf(benchmark::State& bench) {
    zov::LargeDrawingShape shape;
    shape.entities = 0;
    shape.target_bytes = 100L << 20;
    shape.random_layers = false;
    shape.binary = bench.range(0) == 1;
    import_drawing(bench, shape);
}
// The drawing as DXF text, or the same groups as binary DXF (range 1).
BENCHMARK(BM_ImportDxf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportLargeDrawing(benchmark::State& bench) {
    zov::LargeDrawingShape shape;
    shape.lf_line_ends = bench.range(0) == 1;
    import_drawing(bench, shape);
}
// Lines ended by CR LF, or by LF (range 1).
BENCHMARK(BM_ImportLargeDrawing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportLargeDrawingOnThreads(benchmark::State& bench) {
    zov::LargeDrawingShape shape;
    shape.lf_line_ends = bench.range(0) == 1;
    import_drawing(bench, shape, static_cast<int>(bench.range(1)));
}
// CR LF or LF line ends (first range), the ENTITIES section on one or two
// threads (second range); bytes per second of wall time.
BENCHMARK(BM_ImportLargeDrawingOnThreads)
    ->ArgsProduct({{0, 1}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
