#pragma once
// A surface that keeps every call as one line of text with its integer pixel
// arguments, so that tests check the renderer's arithmetic and call order
// exactly. Texts are kept converted to UTF-8 for readable assertions.
#include <string>
#include <vector>

#include "render/surface.h"

namespace zov {

class RecordingSurface : public Surface {
public:
    RecordingSurface(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void fill_rect(int left, int top, int right, int bottom, Rgb colour) override;
    void fill_polygon(std::span<const PixelPoint> points, Rgb colour) override;
    void set_background_opaque(bool opaque) override;
    void select_pen(PenStyle style, int width, Rgb colour) override;
    void move_to(int x, int y) override;
    void line_to(int x, int y) override;
    void arc(int left, int top, int right, int bottom, int start_x, int start_y, int end_x,
             int end_y) override;
    bool select_font(const FontSpec& font) override;
    void set_text_colour(Rgb colour) override;
    void text_out(int x, int y, std::string_view text) override;
    void set_xor_drawing(bool on) override;

    // The calls in order, e.g. "pen dot 1 255,0,0", "move 3,4", "line 5,6",
    // "polygon 0,0 9,0 0,9 255,0,0", "arc 0,0,10,10 10,5 0,5",
    // "font ＭＳ ゴシック 12 900 400" (followed by " stretch 200" for a font
    // drawn wider or narrower), "text 3,4 ABC".
    std::vector<std::string> calls;

    // The calls that begin with `prefix` (such as "pen" or "text").
    std::vector<std::string> calls_starting(const std::string& prefix) const;

private:
    int width_;
    int height_;
};

}  // namespace zov
