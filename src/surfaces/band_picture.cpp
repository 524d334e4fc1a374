#include "surfaces/band_picture.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#include <QBuffer>
#include <QImageWriter>

#include "render/white_paper_surface.h"
#include "surfaces/indexed_picture.h"
#include "surfaces/qt_surface.h"

namespace zov {

int band_count(int width, int height) {
    constexpr int kMaxBands = 4;
    constexpr long kMaxPixels = 64L << 20;
    const long pixels = std::max(1L, static_cast<long>(width) * height);
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return static_cast<int>(
        std::clamp<long>(std::min<long>(cores, kMaxPixels / pixels), 1, kMaxBands));
}

namespace {

// The pictures of one picture's bands, each of the picture's full size
// with a surface of its own that fills texts only in the band's rows.
class BandPictures {
public:
    BandPictures(int width, int height, Paper paper, int bands) : height_(height) {
        bands = std::clamp(bands, 1, std::max(1, height));
        for (int k = 0; k < bands; ++k) {
            images_.push_back(std::make_unique<ImageSurface>(width, height));
            if (bands > 1) images_.back()->keep_rows(k * height / bands, (k + 1) * height / bands);
            Surface* surface = &images_.back()->surface();
            if (paper == Paper::White) {
                white_.push_back(std::make_unique<WhitePaperSurface>(*surface));
                surface = white_.back().get();
            }
            surfaces_.push_back(surface);
        }
    }

    std::span<Surface* const> surfaces() const { return surfaces_; }

    // The picture, put together once the bands are drawn (their pictures
    // are done with then): band k of n gives its rows [k h / n, (k + 1) h / n).
    QImage join() {
        const int n = static_cast<int>(images_.size());
        QImage picture = images_[0]->finish();
        // The first band's own picture goes, so that its pixels are written
        // in place, not copied first.
        images_[0].reset();
        for (int k = 1; k < n; ++k) {
            const QImage& band = images_[static_cast<std::size_t>(k)]->finish();
            for (int y = k * height_ / n; y < (k + 1) * height_ / n; ++y)
                std::memcpy(picture.scanLine(y), band.constScanLine(y),
                            static_cast<std::size_t>(band.bytesPerLine()));
        }
        return picture;
    }

private:
    int height_;
    std::vector<std::unique_ptr<ImageSurface>> images_;
    std::vector<std::unique_ptr<WhitePaperSurface>> white_;
    std::vector<Surface*> surfaces_;
};

}  // namespace

QImage draw_picture(DrawingView& view, int width, int height, Paper paper, int bands) {
    BandPictures pictures(width, height, paper, bands);
    if (view.draw_drawing_in_bands(pictures.surfaces()) != 0) return {};
    return pictures.join();
}

QImage draw_planned_picture(DrawingView& view, const PassPlan& plan, int bands,
                            const std::atomic<bool>* stop) {
    BandPictures pictures(plan.view.client_width(), plan.view.client_height(), Paper::Black, bands);
    if (!view.draw_planned(pictures.surfaces(), plan, stop)) return {};
    return pictures.join();
}

bool save_png_whole(const QImage& image, const std::string& path, ExistingTarget existing) {
    // Encoded in memory and written whole: a full disk leaves no cut
    // picture, and the name's bytes are used as they are. zlib's fastest
    // level (Qt scales 0 to 100 to levels 0 to 9: 20 gives level 1): a
    // picture of a drawing is mostly background, which it packs nearly as
    // well as the default level in about two thirds of the time. Its few
    // colours go as palette indices, a third of the bytes to pack.
    constexpr int kPngCompression = 20;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return false;
    QImageWriter writer(&buffer, "png");
    writer.setCompression(kPngCompression);
    if (!writer.write(indexed_when_few_colours(image))) return false;
    const std::string_view png(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return write_whole_file(path, png, existing);
}

}  // namespace zov
