#include "render/cosmetic_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace zov {

namespace {

// Directions of travel; a line whose direction is the reverse of the one
// before it gets half a pixel more at its start.
enum Direction {
    kTopToBottom = 0x1,
    kBottomToTop = 0x2,
    kLeftToRight = 0x4,
    kRightToLeft = 0x8,
    kVerticalMask = 0x3,
    kHorizontalMask = 0xc,
};

enum Cap { kCapBegin = 0x1, kCapEnd = 0x2 };

// Coordinates in 64ths of a pixel, truncated as the raster engine does.
int to_sixty_fourths(double v) { return static_cast<int>(v * 64.0); }

// x / y in 16.16 fixed point.
int fixed_divide(int x, int y) {
    if (std::abs(x) > 0x7fff) return static_cast<int>(static_cast<long long>(x) * (1 << 16) / y);
    return x * (1 << 16) / y;
}

void adjust_for_caps(int caps, int& from, int& to, int& across, int increment) {
    if (caps & kCapBegin) {
        from -= 32;
        across -= increment >> 1;
    }
    if (caps & kCapEnd) to += 32;
}

}  // namespace

class CosmeticLines::Dasher {
public:
    // Along a line from `start` to `stop` (64ths of a pixel, whole pixels),
    // walked backwards when `reverse`.
    Dasher(const CosmeticLines& lines, bool reverse, int start, int stop)
        : lines_(lines),
          pattern_(reverse ? lines.reverse_pattern_ : lines.pattern_),
          on_parity_(reverse ? 1 : 0) {
        if (pattern_.empty()) return;
        const int length = lines.pattern_length_;
        const int delta = stop - start;
        offset_ = reverse ? length - delta - ((start & 63) - 32) : -((start & 63) - 32);
        offset_ %= length;
        if (offset_ < 0) offset_ += length;
        while (offset_ >= pattern_[static_cast<std::size_t>(index_)]) ++index_;
    }

    // Dashes come in on-off pairs, so taken backwards the odd ones are on.
    bool on() const { return pattern_.empty() || (index_ & 1) == on_parity_; }

    void next_pixel() {
        if (pattern_.empty()) return;
        // Every dash is at least a pixel long, so one step passes at most one
        // dash end and one end of the pattern.
        offset_ += 64;
        if (offset_ >= pattern_[static_cast<std::size_t>(index_)] &&
            ++index_ == static_cast<int>(pattern_.size()))
            index_ = 0;
        if (offset_ >= lines_.pattern_length_) offset_ -= lines_.pattern_length_;
    }

private:
    const CosmeticLines& lines_;
    const std::vector<int>& pattern_;
    int on_parity_;
    int offset_ = 0;
    int index_ = 0;
};

void CosmeticLines::set_pen(std::uint32_t argb, std::span<const int> dashes) {
    colour_ = argb;
    // Pens change at almost every entity, mostly in colour only.
    if (dashes.data() == dashes_.data() && dashes.size() == dashes_.size()) return;
    dashes_ = dashes;
    pattern_.clear();
    reverse_pattern_.clear();
    pattern_length_ = 0;
    for (int dash : dashes) pattern_.push_back(pattern_length_ += dash * 64);
    int length = 0;
    for (auto dash = dashes.rbegin(); dash != dashes.rend(); ++dash)
        reverse_pattern_.push_back(length += *dash * 64);
}

void CosmeticLines::draw(std::span<const QLine> lines) {
    last_direction_ = 0;
    for (const QLine& line : lines) {
        if (line.p1() == line.p2()) {
            put(line.x1(), line.y1());
            continue;
        }
        draw_line(line.x1(), line.y1(), line.x2(), line.y2());
    }
}

// Rough clipping in floating point to one pixel beyond the image (two on the
// right and bottom), as the raster engine does before its fixed-point
// stepping; true when nothing of the line is left.
bool CosmeticLines::clip(double& x1, double& y1, double& x2, double& y2) const {
    const double xmin = -1.0, ymin = -1.0;
    const double xmax = image_.width + 1.0, ymax = image_.height + 1.0;
    if (x1 < xmin) {
        if (x2 <= xmin) return true;
        y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
        x1 = xmin;
    } else if (x1 > xmax) {
        if (x2 >= xmax) return true;
        y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
        x1 = xmax;
    }
    if (x2 < xmin) {
        y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
        x2 = xmin;
    } else if (x2 > xmax) {
        y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
        x2 = xmax;
    }
    if (y1 < ymin) {
        if (y2 <= ymin) return true;
        x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
        y1 = ymin;
    } else if (y1 > ymax) {
        if (y2 >= ymax) return true;
        x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
        y1 = ymax;
    }
    if (y2 < ymin) {
        x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
        y2 = ymin;
    } else if (y2 > ymax) {
        x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
        y2 = ymax;
    }
    return false;
}

void CosmeticLines::draw_line(double x1, double y1, double x2, double y2) {
    if (clip(x1, y1, x2, y2)) return;
    const int fx1 = to_sixty_fourths(x1), fy1 = to_sixty_fourths(y1);
    const int fx2 = to_sixty_fourths(x2), fy2 = to_sixty_fourths(y2);
    if (std::abs(fx2 - fx1) < std::abs(fy2 - fy1)) {
        draw_steep(fx1, fy1, fx2, fy2);
    } else if (fx1 != fx2) {
        draw_flat(fx1, fy1, fx2, fy2);
    }
}

// More down than across: one pixel per row.
void CosmeticLines::draw_steep(int x1, int y1, int x2, int y2) {
    int direction = kTopToBottom;
    bool swapped = false;
    if (y1 > y2) {
        swapped = true;
        std::swap(y1, y2);
        std::swap(x1, x2);
        direction = kBottomToTop;
    }
    const int xinc = fixed_divide(x2 - x1, y2 - y1);
    int x = x1 * (1 << 10);
    int caps = 0;
    if ((last_direction_ ^ kVerticalMask) == direction) caps |= swapped ? kCapEnd : kCapBegin;
    adjust_for_caps(caps, y1, y2, x, xinc);
    int y = (y1 + 32) >> 6;
    const int y_stop = (y2 + 32) >> 6;
    if (y == y_stop) return;
    const int round = xinc > 0 ? 32 : 0;
    x += ((y * (1 << 6)) + round - y1) * xinc >> 6;
    last_direction_ = direction;
    if (pattern_.empty()) {
        solid_steep(x, y, y_stop, xinc);
        return;
    }
    Dasher dasher(*this, swapped, y * (1 << 6), y_stop * (1 << 6));
    do {
        if (dasher.on()) put(x >> 16, y);
        dasher.next_pixel();
        x += xinc;
    } while (++y < y_stop);
}

// More across than down: one pixel per column.
void CosmeticLines::draw_flat(int x1, int y1, int x2, int y2) {
    int direction = kLeftToRight;
    bool swapped = false;
    if (x1 > x2) {
        swapped = true;
        std::swap(x1, x2);
        std::swap(y1, y2);
        direction = kRightToLeft;
    }
    const int yinc = fixed_divide(y2 - y1, x2 - x1);
    int y = y1 * (1 << 10);
    int caps = 0;
    if ((last_direction_ ^ kHorizontalMask) == direction) caps |= swapped ? kCapEnd : kCapBegin;
    adjust_for_caps(caps, x1, x2, y, yinc);
    int x = (x1 + 32) >> 6;
    const int x_stop = (x2 + 32) >> 6;
    if (x == x_stop) return;
    const int round = yinc > 0 ? 32 : 0;
    y += ((x * (1 << 6)) + round - x1) * yinc >> 6;
    last_direction_ = direction;
    if (pattern_.empty()) {
        solid_flat(x, y, x_stop, yinc);
        return;
    }
    Dasher dasher(*this, swapped, x * (1 << 6), x_stop * (1 << 6));
    do {
        if (dasher.on()) put(x, y >> 16);
        dasher.next_pixel();
        y += yinc;
    } while (++x < x_stop);
}

// The rows of a solid steep line from `y` (at least -1) up to `y_stop`, with
// `x` in 16.16 fixed point: rows outside the picture are passed over at once.
void CosmeticLines::solid_steep(int x, int y, int y_stop, int xinc) {
    if (y < 0) {
        x += -y * xinc;
        y = 0;
    }
    const int end = std::min(y_stop, image_.height);
    const auto width = static_cast<unsigned>(image_.width);
    std::uint32_t* row = image_.bits + y * image_.stride;
    for (; y < end; ++y, row += image_.stride, x += xinc) {
        const int column = x >> 16;
        if (static_cast<unsigned>(column) < width) row[column] = colour_;
    }
}

// The columns of a solid flat line, as solid_steep() the rows of a steep one.
void CosmeticLines::solid_flat(int x, int y, int x_stop, int yinc) {
    if (x < 0) {
        y += -x * yinc;
        x = 0;
    }
    const int end = std::min(x_stop, image_.width);
    const auto height = static_cast<unsigned>(image_.height);
    for (; x < end; ++x, y += yinc) {
        const int row = y >> 16;
        if (static_cast<unsigned>(row) < height) image_.bits[row * image_.stride + x] = colour_;
    }
}

}  // namespace zov
