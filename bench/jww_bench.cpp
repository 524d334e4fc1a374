// Throughput of JW_CAD for Windows drawings: generated drawings of 5 MB and
// 50 MB read from a file through the reader's buffer, and imported into a
// drawing store (both passes, assembly and dump); with the peak memory of
// each run, which should not grow with the drawing beyond the store.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_measures.h"
#include "common/messages.h"
#include "common/whole_file.h"
#include "fixtures/jww_large_drawing.h"
#include "fixtures/temp_folder.h"
#include "jw/jw_rounding.h"
#include "jw/jww_import.h"
#include "jw/jww_reader.h"
#include "store/import_state.h"

namespace {

class CountingVisitor : public zov::JwwVisitor {
public:
    void line(const zov::JwwLine&) override { ++entities; }
    void arc(const zov::JwwArc&) override { ++entities; }
    void point(const zov::JwwPoint&) override { ++entities; }
    void text(const zov::JwwText&) override { ++entities; }
    void solid(const zov::JwwSolid&) override { ++entities; }
    void insert(const zov::JwwInsert&) override { ++entities; }
    std::int64_t entities = 0;
};

// A generated drawing of about `megabytes` MB in a folder of its own.
class GeneratedDrawing {
public:
    explicit GeneratedDrawing(std::int64_t megabytes) : path_(folder_.file("large.jww")) {
        const std::string bytes =
            zov::fixtures::build_jww(
                zov::fixtures::make_large_jww(static_cast<std::size_t>(megabytes) << 20))
                .bytes;
        written_ = zov::write_whole_file(path_, bytes);
    }
    GeneratedDrawing(const GeneratedDrawing&) = delete;
    GeneratedDrawing& operator=(const GeneratedDrawing&) = delete;

    bool written() const { return written_; }
    const std::string& path() const { return path_; }
    const std::string& folder() const { return folder_.path(); }
    std::int64_t bytes() const { return static_cast<std::int64_t>(zov_bench::file_bytes(path_)); }

private:
    zov::TempFolder folder_;
    std::string path_;
    bool written_ = false;
};

void BM_ReadJwwFile(benchmark::State& bench) {
    const GeneratedDrawing drawing(bench.range(0));
    if (!drawing.written()) bench.SkipWithError("cannot write the drawing");
    zov_bench::reset_peak_memory();
    std::int64_t entities = 0;
    for (auto _ : bench) {
        CountingVisitor counter;
        if (zov::read_jww_file(drawing.path(), counter).status != zov::JwwReadStatus::Whole)
            bench.SkipWithError("the drawing did not read whole");
        entities = counter.entities;
    }
    bench.SetItemsProcessed(bench.iterations() * entities);
    bench.SetBytesProcessed(bench.iterations() * drawing.bytes());
    bench.counters["peak_MB"] = zov_bench::peak_memory_mb();
}
BENCHMARK(BM_ReadJwwFile)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_ImportJwwFile(benchmark::State& bench) {
    const GeneratedDrawing drawing(bench.range(0));
    if (!drawing.written()) bench.SkipWithError("cannot write the drawing");
    zov::RecordingMessages messages;
    zov::ImportState state(drawing.folder(), messages);
    zov::JwImportSettings settings;
    zov_bench::reset_peak_memory();
    for (auto _ : bench) {
        if (zov::import_jww_file(drawing.path(), state, messages, settings) != 0)
            bench.SkipWithError("the import failed");
    }
    bench.SetBytesProcessed(bench.iterations() * drawing.bytes());
    bench.counters["entities"] = state.header.ent_num;
    bench.counters["peak_MB"] = zov_bench::peak_memory_mb();
}
BENCHMARK(BM_ImportJwwFile)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
