// dxflib's parse loop over the drawing of the import benchmark (400 000
// entities on 3 000 layers, about 71 MB), to set the viewer's import beside
// a common C++ DXF reader: dxflib reads every group and hands each entity
// to an adapter that keeps nothing. Only a benchmark uses dxflib.
#include <benchmark/benchmark.h>

#include <string>

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include "fixtures/temp_folder.h"
#include "large_drawing.h"

namespace {

void BM_DxflibParse(benchmark::State& bench) {
    const zov::TempFolder folder;
    const std::string source = folder.file("LARGE.DXF");
    const long size = zov::write_large_drawing(source, zov::LargeDrawingShape{});
    if (size == 0) {
        bench.SkipWithError("cannot write the drawing");
        return;
    }
    for (auto _ : bench) {
        DL_CreationAdapter adapter;
        DL_Dxf dxf;
        if (!dxf.in(source, &adapter)) bench.SkipWithError("dxflib cannot read the drawing");
    }
    bench.SetBytesProcessed(bench.iterations() * size);
    bench.counters["MB"] = static_cast<double>(size) / (1 << 20);
}
BENCHMARK(BM_DxflibParse)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
