// Throughput of the DXF writer: a store of lines, circles, arcs, ellipses and
// texts (which the writer passes over unless it writes the full drawing) on
// 64 layers, written as DxfTest.DXF. Bytes are those of the DXF written.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"

namespace {

void build_store(const std::string& folder, std::int64_t entities) {
    zov::RecordingMessages messages;
    zov::StoreBuilder store(folder, messages);
    for (int n = 0; n < 64; ++n) store.add_layer("LAYER-" + std::to_string(n), n % 5 == 0 ? 5 : 0);
    for (std::int64_t i = 0; i < entities; ++i) {
        const double x = static_cast<double>(i % 400), y = static_cast<double>(i / 400 % 280);
        const auto layer = static_cast<std::int16_t>(1 + i % 64);
        zov::EntityRecord e;
        switch (i % 10) {
            case 0: e = zov::circle_record(layer, x, y, 2.0); break;
            case 1: e = zov::circle_record(layer, x, y, 2.0, 30.0, 120.0); break;
            case 2:
                e = zov::circle_record(layer, x, y, 3.0, 10.0, 200.0);
                e.arc.axis_ratio = 0.5;
                e.arc.tilt = 30.0;
                break;
            case 3:
                e = zov::text_record(layer, x, y, 2.5);
                store.attach_text(e, zov::utf8_to_cp932("居間"));
                break;
            default: e = zov::line_record(layer, x, y, x + 1.0, y + 0.5); break;
        }
        e.colour = static_cast<std::int32_t>(1 + i % 7);
        e.line_type = static_cast<std::int32_t>(1 + i % 9);
        store.add_entity(e);
    }
    store.header().max_x = 400;
    store.header().max_y = 280;
    store.header().scale = 100;
    store.finish();
}

void run_export(benchmark::State& bench, zov::DxfContent content) {
    zov::TempFolder folder;
    build_store(folder.path(), bench.range(0));
    zov::RecordingMessages messages;
    zov::DxfHandles handles;
    std::int64_t bytes = 0;
    for (auto _ : bench) {
        if (!zov::export_dxf(handles, folder.path(), zov::kDataFileName, messages, content))
            bench.SkipWithError("export failed");
        bytes += zov::file_size(folder.file(zov::kDxfOutputFileName));
    }
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
    bench.SetBytesProcessed(bytes);
}
void BM_ExportDxf(benchmark::State& bench) { run_export(bench, zov::DxfContent::Curves); }
void BM_ExportFullDxf(benchmark::State& bench) { run_export(bench, zov::DxfContent::Full); }
BENCHMARK(BM_ExportDxf)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFullDxf)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
