// Throughput of the whole DXF import (reading, tables, blocks, entities,
// numbering and assembly) on a generated drawing of at least 100 MB: a few
// thousand layers, a few hundred blocks and their inserts, lines, arcs,
// circles, texts, MTEXTs and polylines, written the way AutoCAD writes them
// (handles, owners, subclass markers), as text and as binary DXF. The drawing
// is made in a temporary folder and deleted afterwards.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/messages.h"
#include "dxf_import/dxf_import.h"
#include "dxf_import/dxf_binary_groups.h"
#include "fixtures/dxf_binary.h"
#include "fixtures/dxf_fixture.h"
#include "store/import_state.h"

namespace {

constexpr int kLayers = 3000;
constexpr int kBlocks = 300;
constexpr long kTargetBytes = 100L << 20;

std::string layer_name(int i) { return "LAYER-" + std::to_string(i % kLayers); }
std::string block_name(int i) { return "PART-" + std::to_string(i % kBlocks); }

// Entity groups shared by every entity: handle, owner, subclass and layer.
zov::DxfFixture& entity(zov::DxfFixture& dxf, const char* name, const char* subclass, int i) {
    char handle[16];
    std::snprintf(handle, sizeof handle, "%X", 0x1000 + i);
    return dxf.item(name).group(5, handle).group(330, "1F").group(100, "AcDbEntity")
        .group(8, layer_name(i * 7)).group(100, subclass);
}

void add_entity(zov::DxfFixture& dxf, int i) {
    const double x = (i % 1000) * 12.5;
    const double y = (i / 1000 % 1000) * 8.25;
    switch (i % 10) {
        case 0: case 1: case 2: case 3:
            entity(dxf, "LINE", "AcDbLine", i).group(10, x).group(20, y).group(30, 0.0)
                .group(11, x + 10).group(21, y + 5).group(31, 0.0);
            break;
        case 4:
            entity(dxf, "ARC", "AcDbCircle", i).group(10, x).group(20, y).group(30, 0.0)
                .group(40, 3.5).group(100, "AcDbArc").group(50, 15.0).group(51, 200.0);
            break;
        case 5:
            entity(dxf, "TEXT", "AcDbText", i).group(10, x).group(20, y).group(30, 0.0)
                .group(40, 2.5).group(1, "ROOM %%c" + std::to_string(i % 500)).group(50, 0.0)
                .group(100, "AcDbText");
            break;
        case 6:
            entity(dxf, "LWPOLYLINE", "AcDbPolyline", i).group(90, 5).group(70, 1);
            for (int k = 0; k < 5; ++k) {
                dxf.group(10, x + k * 2.0).group(20, y + (k % 2) * 3.0);
                if (k == 2) dxf.group(42, 0.4142);
            }
            break;
        case 7:
            entity(dxf, "INSERT", "AcDbBlockReference", i).group(2, block_name(i))
                .group(10, x).group(20, y).group(30, 0.0).group(41, 1.0).group(42, 1.0)
                .group(50, 90.0);
            break;
        case 8:
            entity(dxf, "CIRCLE", "AcDbCircle", i).group(10, x).group(20, y).group(30, 0.0)
                .group(40, 1.25);
            break;
        default:
            if (i % 20 == 9) {
                entity(dxf, "MTEXT", "AcDbMText", i).group(10, x).group(20, y).group(30, 0.0)
                    .group(40, 2.0).group(41, 40.0).group(71, 1).group(72, 5)
                    .group(1, "{\\fMS Gothic|b0;Note}\\Psecond line");
            } else {
                entity(dxf, "POLYLINE", "AcDb2dPolyline", i).group(66, 1).group(70, 0);
                for (int k = 0; k < 4; ++k)
                    entity(dxf, "VERTEX", "AcDbVertex", i).group(10, x + k).group(20, y - k);
                entity(dxf, "SEQEND", "AcDbSequenceEnd", i);
            }
            break;
    }
}

// Writes the drawing to `path`, as DXF text or as binary DXF with the same
// groups; its size in bytes, or 0 on failure.
long write_drawing(const std::string& path, bool binary) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    zov::DxfFixture dxf;
    long written = 0;
    auto flush = [&] {
        std::string bytes = dxf.text();
        if (binary) {
            // Only the first piece keeps the sentinel.
            bytes = zov::binary_dxf(dxf.text("\n"));
            if (written > 0) bytes.erase(0, zov::kBinaryDxfSentinel.size());
        }
        written += static_cast<long>(std::fwrite(bytes.data(), 1, bytes.size(), file));
        dxf.clear();
    };
    dxf.section("HEADER").group(9, "$ACADVER").group(1, "AC1015")
        .header_point("$EXTMIN", 0, 0).header_point("$EXTMAX", 12500, 8250)
        .group(9, "$DIMSCALE").group(40, 100.0).end_section();
    dxf.section("TABLES").item("TABLE").group(2, "LTYPE")
        .item("LTYPE").group(2, "DASHED").group(73, 2).group(49, 12.7).group(49, -6.35)
        .item("LTYPE").group(2, "CENTER").group(73, 4).group(49, 31.75).group(49, -6.35)
        .group(49, 6.35).group(49, -6.35)
        .item("ENDTAB").item("TABLE").group(2, "LAYER");
    for (int i = 0; i < kLayers; ++i)
        dxf.layer(layer_name(i), 1 + i % 255, i % 3 == 0 ? "DASHED" : "CONTINUOUS");
    dxf.item("ENDTAB").end_section().section("BLOCKS");
    for (int b = 0; b < kBlocks; ++b) {
        dxf.block(block_name(b));
        for (int k = 0; k < 12; ++k) add_entity(dxf, b * 12 + k);
        dxf.end_block();
    }
    dxf.end_section().section("ENTITIES");
    for (int i = 0; written < kTargetBytes; ++i) {
        add_entity(dxf, i);
        if (dxf.size() > (1 << 20)) flush();
    }
    dxf.end_section().end_of_file();
    flush();
    return std::fclose(file) == 0 ? written : 0;
}

// The drawing as DXF text, or the same groups as binary DXF (range 1).
void BM_ImportDxf(benchmark::State& bench) {
    const bool binary = bench.range(0) == 1;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("zov_dxf_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string source = (folder / "LARGE.DXF").string();
    const long size = write_drawing(source, binary);
    if (size == 0) {
        bench.SkipWithError("cannot write the drawing");
        std::filesystem::remove_all(folder);
        return;
    }
    zov::RecordingMessages messages;
    std::int32_t entities = 0;
    for (auto _ : bench) {
        zov::ImportState state(folder.string(), messages);
        if (zov::import_dxf_file(source, state) != 0) bench.SkipWithError("import failed");
        entities = state.header.ent_num;
    }
    bench.SetBytesProcessed(bench.iterations() * size);
    bench.counters["MB"] = static_cast<double>(size) / (1 << 20);
    bench.counters["entity_records"] = entities;
    // Records per second, to compare text and binary files per entity.
    bench.counters["records_per_second"] = benchmark::Counter(
        static_cast<double>(entities) * static_cast<double>(bench.iterations()),
        benchmark::Counter::kIsRate);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ImportDxf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
