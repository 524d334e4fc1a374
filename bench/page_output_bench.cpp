// A drawing of 100 000 entities (lines, arcs and Japanese texts on 20
// layers) written as an A3 PDF page and as an A3 SVG picture, on white
// paper. Items are entities; bytes are those of the file written.
#include <benchmark/benchmark.h>

#include <string>

#include <QGuiApplication>

#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "surfaces/page_output.h"
#include "view/drawing_view.h"

namespace {

constexpr int kEntities = 100'000;

void build_store(const std::string& folder) {
    zov::RecordingMessages messages;
    zov::StoreBuilder store(folder, messages);
    for (int n = 0; n < 20; ++n) store.add_layer("LAYER" + std::to_string(n));
    for (int i = 0; i < kEntities; ++i) {
        const double x = (i % 400) * 10.0, y = (i / 400 % 280) * 10.0;
        const auto layer = static_cast<std::int16_t>(1 + i / 100 % 20);
        zov::EntityRecord e;
        switch (i % 10) {
            case 0: e = zov::circle_record(layer, x, y, 4.0, 0.0, 270.0); break;
            case 1:
                e = zov::text_record(layer, x, y, 6.0);
                store.attach_text(e, zov::utf8_to_cp932("居間"));
                break;
            default: e = zov::line_record(layer, x, y, x + 8.0, y + 3.0); break;
        }
        e.colour = 1 + i % 7;
        store.add_entity(e);
    }
    store.header().max_x = 4000;
    store.header().max_y = 2800;
    store.finish();
}

template <class Write>
void run_page(benchmark::State& bench, const char* name, Write write) {
    zov::TempFolder folder;
    build_store(folder.path());
    zov::RecordingMessages messages;
    std::int64_t bytes = 0;
    for (auto _ : bench) {
        zov::DrawingView view(folder.path(), messages);
        if (write(view, folder.file(name), zov::PageSize{}, zov::Paper::White, messages) != 0)
            bench.SkipWithError("writing failed");
        bytes += zov::file_size(folder.file(name));
    }
    bench.SetItemsProcessed(bench.iterations() * kEntities);
    bench.SetBytesProcessed(bytes);
}

void BM_PdfPage(benchmark::State& bench) {
    run_page(bench, "page.pdf", [](auto&&... args) { return zov::write_pdf(args...); });
}
void BM_SvgPicture(benchmark::State& bench) {
    run_page(bench, "page.svg", [](auto&&... args) { return zov::write_svg(args...); });
}
BENCHMARK(BM_PdfPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SvgPicture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
