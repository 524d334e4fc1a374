#include "surfaces/cosmetic_lines.h"

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
    begin_call();
    for (const QLine& line : lines) draw_next(line);
}

void CosmeticLines::draw_next(const QLine& line) {
    if (line.p1() == line.p2()) {
        put(line.x1(), line.y1());
        return;
    }
    draw_line(line.x1(), line.y1(), line.x2(), line.y2());
}

// Rough clipping in floating point to one pixel beyond the image (two on the
// right and bottom), as the raster engine does before its fixed-point
// stepping; true when nothing of the line is left.
bool CosmeticLines::clip(double& x1, double& y1, double& x2, double& y2) const {
    return clip_axis(x1, y1, x2, y2, -1.0, image_.width + 1.0) ||
           clip_axis(y1, x1, y2, x2, -1.0, image_.height + 1.0);
}

// Clips the line to low <= a <= high, moving b along; true when nothing of
// it is left.
bool CosmeticLines::clip_axis(double& a1, double& b1, double& a2, double& b2, double low,
                              double high) {
    if (a1 < low) {
        if (a2 <= low) return true;
        b1 += (b2 - b1) / (a2 - a1) * (low - a1);
        a1 = low;
    } else if (a1 > high) {
        if (a2 >= high) return true;
        b1 += (b2 - b1) / (a2 - a1) * (high - a1);
        a1 = high;
    }
    if (a2 < low) {
        b2 += (b2 - b1) / (a2 - a1) * (low - a2);
        a2 = low;
    } else if (a2 > high) {
        b2 += (b2 - b1) / (a2 - a1) * (high - a2);
        a2 = high;
    }
    return false;
}

void CosmeticLines::draw_line(double x1, double y1, double x2, double y2) {
    if (clip(x1, y1, x2, y2)) return;
    const int fx1 = to_sixty_fourths(x1), fy1 = to_sixty_fourths(y1);
    const int fx2 = to_sixty_fourths(x2), fy2 = to_sixty_fourths(y2);
    if (std::abs(fx2 - fx1) < std::abs(fy2 - fy1)) {
        draw_along(true, fy1, fx1, fy2, fx2);
    } else if (fx1 != fx2) {
        draw_along(false, fx1, fy1, fx2, fy2);
    }
}

// One pixel per step along the major axis (down for a steep line, else
// across), from `major1` to `major2` in 64ths of a pixel, the minor
// coordinate following in 16.16 fixed point.
void CosmeticLines::draw_along(bool steep, int major1, int minor1, int major2, int minor2) {
    int direction = steep ? kTopToBottom : kLeftToRight;
    bool swapped = false;
    if (major1 > major2) {
        swapped = true;
        std::swap(major1, major2);
        std::swap(minor1, minor2);
        direction = steep ? kBottomToTop : kRightToLeft;
    }
    const int increment = fixed_divide(minor2 - minor1, major2 - major1);
    int minor = minor1 * (1 << 10);
    int caps = 0;
    if ((last_direction_ ^ (steep ? kVerticalMask : kHorizontalMask)) == direction)
        caps |= swapped ? kCapEnd : kCapBegin;
    adjust_for_caps(caps, major1, major2, minor, increment);
    int major = (major1 + 32) >> 6;
    const int stop = (major2 + 32) >> 6;
    if (major == stop) return;
    const int round = increment > 0 ? 32 : 0;
    minor += ((major * (1 << 6)) + round - major1) * increment >> 6;
    last_direction_ = direction;
    if (pattern_.empty()) {
        if (steep) {
            solid_steep(minor, major, stop, increment);
        } else {
            solid_flat(major, minor, stop, increment);
        }
        return;
    }
    Dasher dasher(*this, swapped, major * (1 << 6), stop * (1 << 6));
    do {
        if (dasher.on()) {
            if (steep) {
                put(minor >> 16, major);
            } else {
                put(major, minor >> 16);
            }
        }
        dasher.next_pixel();
        minor += increment;
    } while (++major < stop);
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
