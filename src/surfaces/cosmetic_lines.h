#pragma once
// One-pixel lines written straight into the pixels of an RGB32 image, pixel
// for pixel as Qt's raster engine draws them with a one-pixel cosmetic pen
// with flat caps and without antialiasing. A painter pays for every pen
// change; drawings whose entities change colour at almost every entity spend
// most of a pass on it, so the image surface draws these lines itself.
#include <cstdint>
#include <span>
#include <vector>

#include <QLine>

namespace zov {

// The pixels of an RGB32 image: `stride` pixels from one row to the next.
struct ImagePixels {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// Dashes as a pen gives them: lengths in pixels, on and off in turn; empty
// for a solid line.
class CosmeticLines {
public:
    explicit CosmeticLines(const ImagePixels& image) : image_(image) {}

    // The pen of the lines drawn next: `argb` as stored in the image, and its
    // dash lengths (at most a handful, each at least one pixel), which must
    // stay in place while they are the pen's.
    void set_pen(std::uint32_t argb, std::span<const int> dashes);

    // Draws the lines in order, as one call of the painter would: a line
    // that turns back against the one before it starts half a pixel
    // earlier, as in the raster engine.
    void draw(std::span<const QLine> lines);
    // The same a line at a time: begin_call() starts what one call of the
    // painter would draw, draw_next() draws its next line.
    void begin_call() { last_direction_ = 0; }
    void draw_next(const QLine& line);
    // Sets one pixel in the pen's colour (none outside the image).
    void set_pixel(int x, int y) { put(x, y); }

private:
    struct Point {
        int x;
        int y;
    };
    bool clip(double& x1, double& y1, double& x2, double& y2) const;
    static bool clip_axis(double& a1, double& b1, double& a2, double& b2, double low, double high);
    void draw_line(double x1, double y1, double x2, double y2);
    void draw_along(bool steep, int major1, int minor1, int major2, int minor2);
    void solid_steep(int x, int y, int y_stop, int xinc);
    void solid_flat(int x, int y, int x_stop, int yinc);
    void put(int x, int y) {
        if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
        image_.bits[y * image_.stride + x] = colour_;
    }

    // Walks the dash pattern one pixel at a time along a line.
    class Dasher;

    ImagePixels image_;
    std::uint32_t colour_ = 0xff000000u;
    std::span<const int> dashes_;       // those of the pen, as given
    std::vector<int> pattern_;          // cumulative ends of the dashes, 64ths of a pixel
    std::vector<int> reverse_pattern_;  // the same, the dashes taken backwards
    int pattern_length_ = 0;
    int last_direction_ = 0;
};

}  // namespace zov
