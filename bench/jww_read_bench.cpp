// Throughput of the JW_CAD for Windows reader: generated drawings of 5 MB
// and 50 MB read from a file through the reader's buffer, and the peak
// memory of the run, which should not grow with the drawing.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench_measures.h"
#include "common/whole_file.h"
#include "fixtures/jww_large_drawing.h"
#include "jw/jww_reader.h"

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

void BM_ReadJwwFile(benchmark::State& bench) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("zov_jww_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "large.jww").string();
    {
        const std::string bytes = zov::fixtures::build_jww(
            zov::fixtures::make_large_jww(static_cast<std::size_t>(bench.range(0)) << 20)).bytes;
        if (!zov::write_whole_file(path, bytes)) bench.SkipWithError("cannot write the drawing");
    }
    zov_bench::reset_peak_memory();
    std::int64_t entities = 0;
    for (auto _ : bench) {
        CountingVisitor counter;
        if (zov::read_jww_file(path, counter).status != zov::JwwReadStatus::Whole)
            bench.SkipWithError("the drawing did not read whole");
        entities = counter.entities;
    }
    bench.SetItemsProcessed(bench.iterations() * entities);
    bench.SetBytesProcessed(bench.iterations() * static_cast<std::int64_t>(zov_bench::file_bytes(path)));
    bench.counters["peak_MB"] = zov_bench::peak_memory_mb();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadJwwFile)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
