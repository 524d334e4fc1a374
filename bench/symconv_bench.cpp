// Throughput of ZR_JWK: a whole conversion of a library folder (settings,
// scan, survey, blocks, sheet and inserts) in both layouts, reported as
// symbols and as bytes of symbol files per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "common/messages.h"
#include "fixtures/jw_writer.h"
#include "fixtures/temp_folder.h"
#include "symconv/converter.h"

namespace {

using zov::fixtures::JwSymbolSpec;

// A furniture-like symbol: 200 lines, 20 circles and arcs, 2 ellipses,
// 10 texts and 5 points.
JwSymbolSpec busy_symbol(int seed) {
    JwSymbolSpec content;
    content.scale = 50;
    for (int i = 0; i < 200; ++i) {
        float x = static_cast<float>((i * 37 + seed) % 1000);
        content.elements.lines.push_back({x, 0, x + 50, 400, 1 + i % 9, 1 + i % 6, 0});
    }
    for (int i = 0; i < 22; ++i) {
        int flatness = i < 20 ? 10000 : 5000;
        content.elements.circles.push_back({static_cast<float>(i * 40), 200, 30, flatness,
                                            zov::fixtures::jw_angle(i * 10),
                                            zov::fixtures::jw_angle(i * 10 + 90), 0, 1, 2, 0});
    }
    for (int i = 0; i < 10; ++i) {
        content.elements.texts.push_back({0, static_cast<float>(i * 60), 300,
                                          static_cast<float>(i * 60), 1 + i % 10, 0, i % 2 ? 32 : 0,
                                          "\x8A\x4B\x92\x69 W900"});
    }
    for (int i = 0; i < 5; ++i) content.elements.points.push_back({static_cast<float>(i), 0, 0, 1});
    return content;
}

class Library {
public:
    explicit Library(int symbols) {
        std::filesystem::create_directories(folder_.file("lib"));
        for (int i = 0; i < symbols; ++i) {
            std::string bytes = zov::fixtures::build_jw_symbol_file(busy_symbol(i));
            bytes_ += static_cast<std::int64_t>(bytes.size());
            zov::fixtures::write_jw_file(folder_.path() + "lib/S" + std::to_string(i) + ".JWK",
                                         bytes);
        }
    }
    const std::string& folder() const { return folder_.path(); }
    std::int64_t bytes() const { return bytes_; }

private:
    zov::TempFolder folder_;
    std::int64_t bytes_ = 0;
};

void convert_library(benchmark::State& bench, const char* layout_option) {
    const int symbols = static_cast<int>(bench.range(0));
    Library library(symbols);
    zov::RecordingMessages messages;
    for (auto _ : bench) {
        messages.entries.clear();
        zov::ConverterContext context(messages);
        context.launch_folder = library.folder();
        int code = zov::run_converter(context, {library.folder() + "lib/", layout_option});
        if (code != zov::kExitNormal) bench.SkipWithError("conversion failed");
    }
    bench.SetItemsProcessed(bench.iterations() * symbols);
    bench.SetBytesProcessed(bench.iterations() * library.bytes());
}

void BM_ConvertSheet(benchmark::State& bench) { convert_library(bench, "-n"); }
void BM_ConvertThumbnails(benchmark::State& bench) { convert_library(bench, "-s"); }

BENCHMARK(BM_ConvertSheet)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertThumbnails)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
