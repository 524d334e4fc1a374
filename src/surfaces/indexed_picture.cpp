#include "surfaces/indexed_picture.h"

#include <array>
#include <cstdint>

namespace zov {

namespace {

constexpr int kMaxColours = 256;

// Colours met so far, each with its index; open addressing in a table four
// times the palette's size, so that look-ups stay short.
class ColourTable {
public:
    // The index of `colour`, added when new; -1 when the palette is full.
    int index_of(QRgb colour) {
        std::uint32_t slot = (colour * 2654435761u) >> (32 - kSlotBits);
        while (true) {
            Slot& at = slots_[slot];
            if (at.index < 0) {
                if (static_cast<int>(colours_.size()) == kMaxColours) return -1;
                at = {colour, static_cast<int>(colours_.size())};
                colours_.push_back(colour);
                return at.index;
            }
            if (at.colour == colour) return at.index;
            slot = (slot + 1) & (kSlots - 1);
        }
    }
    const QList<QRgb>& colours() const { return colours_; }

private:
    static constexpr int kSlotBits = 10;
    static constexpr std::uint32_t kSlots = 1u << kSlotBits;
    struct Slot {
        QRgb colour = 0;
        int index = -1;
    };
    std::array<Slot, kSlots> slots_{};
    QList<QRgb> colours_;
};

}  // namespace

QImage indexed_when_few_colours(const QImage& image) {
    if (image.format() != QImage::Format_RGB32 || image.isNull()) return image;
    QImage indexed(image.size(), QImage::Format_Indexed8);
    if (indexed.isNull()) return image;
    ColourTable table;
    for (int y = 0; y < image.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        // Runs of one colour are the rule: the last look-up is kept.
        QRgb last = ~from[0];
        int last_index = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (from[x] != last) {
                last = from[x];
                last_index = table.index_of(last);
                if (last_index < 0) return image;
            }
            to[x] = static_cast<uchar>(last_index);
        }
    }
    indexed.setColorTable(table.colours());
    return indexed;
}

}  // namespace zov
