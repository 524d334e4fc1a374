// Throughput of the drawing store: writing and assembling a store, numbering
// layers and blocks in place, and reading every entity back.
#include <benchmark/benchmark.h>

#include <string>

#include "common/messages.h"
#include "fixtures/temp_folder.h"
#include "store/import_state.h"
#include "store/store_reader.h"

namespace {

// A DXF-kind store of `entities` lines and 100 layers.
void write_store(zov::ImportState& state, std::int64_t entities) {
    state.header = zov::StoreHeader{};
    zov::open_section_files(state);
    for (int i = 0; i < 100; ++i) {
        state.layer = zov::LayerRecord{};
        state.layer.use_count = i % 2;
        zov::append_layer(state, state.layer);
    }
    state.header.lay_num = 100;
    for (std::int64_t i = 0; i < entities; ++i) {
        state.entity.kind = zov::kEntityLine;
        state.entity.layer = static_cast<std::int16_t>(1 + i % 100);
        state.entity.x1 = static_cast<double>(i);
        state.entity.line.end_x = state.entity.x1 + 1;
        zov::append_entity(state, state.entity);
    }
    state.header.ent_num = static_cast<std::int32_t>(entities);
}

void BM_WriteAndAssemble(benchmark::State& bench) {
    zov::RecordingMessages messages;
    const zov::TempFolder scratch;
    const std::string folder = scratch.folder().string();
    zov::ImportState state(folder, messages);
    for (auto _ : bench) {
        write_store(state, bench.range(0));
        zov::number_used_layers_and_blocks(state);
        zov::assemble_store(state);
    }
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
    bench.SetBytesProcessed(bench.iterations() * bench.range(0) *
                            static_cast<std::int64_t>(sizeof(zov::EntityRecord)));
}
BENCHMARK(BM_WriteAndAssemble)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NumberLayersAndBlocks(benchmark::State& bench) {
    zov::RecordingMessages messages;
    const zov::TempFolder scratch;
    const std::string folder = scratch.folder().string();
    zov::ImportState state(folder, messages);
    zov::open_section_files(state);
    for (std::int64_t i = 0; i < bench.range(0); ++i) {
        zov::append_layer(state, zov::LayerRecord{});
        zov::append_block(state, zov::BlockRecord{});
    }
    for (auto _ : bench) zov::number_used_layers_and_blocks(state);
    bench.SetItemsProcessed(bench.iterations() * bench.range(0) * 2);
    zov::close_all_streams(state);
}
BENCHMARK(BM_NumberLayersAndBlocks)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadEntities(benchmark::State& bench) {
    zov::RecordingMessages messages;
    const zov::TempFolder scratch;
    const std::string folder = scratch.folder().string();
    {
        zov::ImportState state(folder, messages);
        write_store(state, bench.range(0));
        zov::assemble_store(state);
    }
    zov::StoreReader reader;
    reader.open(folder + "/" + zov::kDataFileName);
    zov::LayerRecord layer;
    zov::EntityRecord entity;
    for (auto _ : bench) {
        const std::int32_t count = reader.entity_count();
        for (std::int32_t i = 0; i < count; ++i) {
            reader.read_entity(i, entity);
            reader.read_layer(entity.layer, layer);
        }
        benchmark::DoNotOptimize(layer);
    }
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
    bench.SetBytesProcessed(bench.iterations() * bench.range(0) *
                            static_cast<std::int64_t>(sizeof(zov::EntityRecord)));
    reader.close();
}
BENCHMARK(BM_ReadEntities)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
