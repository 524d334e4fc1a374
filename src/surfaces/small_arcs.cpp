#include "surfaces/small_arcs.h"

#include <QImage>
#include <QPainter>
#include <QRectF>

namespace zov {

namespace {

// Kinds of small arc a surface keeps: far more than the angles and sizes
// of a drawing's fittings at one scale.
constexpr std::size_t kKeptArcs = 8192;
// Where the scratch picture holds the box: room for the pen on every side.
constexpr int kScratchMargin = 4;
constexpr int kScratchSide = SmallArcs::kLargest + 2 * kScratchMargin + 1;

}  // namespace

std::uint64_t SmallArcs::key(int width, int height, int start16, int span16, PenStyle style) {
    return static_cast<std::uint64_t>(width) << 56 | static_cast<std::uint64_t>(height) << 48 |
           static_cast<std::uint64_t>(style) << 40 |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(start16)) << 16 |
           static_cast<std::uint16_t>(span16);
}

const std::vector<SmallArcs::Offset>* SmallArcs::kept(int width, int height, int start16,
                                                      int span16, PenStyle style) const {
    const auto found = kept_.find(key(width, height, start16, span16, style));
    return found == kept_.end() ? nullptr : &found->second;
}

const std::vector<SmallArcs::Offset>* SmallArcs::learn(int width, int height, int start16,
                                                       int span16, PenStyle style,
                                                       const QPen& pen) {
    if (kept_.size() >= kKeptArcs) return nullptr;
    QImage scratch(kScratchSide, kScratchSide, QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen white = pen;
        white.setColor(Qt::white);
        painter.setPen(white);
        const QRectF box(kScratchMargin, kScratchMargin, width, height);
        if (span16 == kFullTurn) {
            painter.drawEllipse(box);
        } else {
            painter.drawArc(box, start16, span16);
        }
    }
    std::vector<Offset>& set = kept_[key(width, height, start16, span16, style)];
    for (int y = 0; y < kScratchSide; ++y) {
        for (int x = 0; x < kScratchSide; ++x) {
            if ((scratch.pixel(x, y) & 0xffffffu) != 0)
                set.push_back({static_cast<std::int8_t>(x - kScratchMargin),
                               static_cast<std::int8_t>(y - kScratchMargin)});
        }
    }
    return &set;
}

}  // namespace zov
