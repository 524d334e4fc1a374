#pragma once
// A surface that passes every operation on to another one with the colours
// turned for white paper: the black background becomes white, white pens
// and texts become black, and light colours are darkened until they read on white.
// The drawing pass itself stays as it is on the screen.
#include "render/surface.h"

namespace zov {

// The colour a screen pen or text colour gets on white paper.
Rgb on_white_paper(Rgb screen);
// The colour of a filled area on white paper: the black background is white.
Rgb white_paper_fill(Rgb screen);

class WhitePaperSurface : public Surface {
public:
    explicit WhitePaperSurface(Surface& paper) : paper_(paper) {}

    int width() const override { return paper_.width(); }
    int height() const override { return paper_.height(); }
    void fill_rect(int left, int top, int right, int bottom, Rgb colour) override {
        paper_.fill_rect(left, top, right, bottom, white_paper_fill(colour));
    }
    // Solids and arrow heads are drawn things, coloured as pens are.
    void fill_polygon(std::span<const PixelPoint> points, Rgb colour) override {
        paper_.fill_polygon(points, on_white_paper(colour));
    }
    void fill_background_polygon(std::span<const PixelPoint> points) override {
        paper_.fill_polygon(points, white_paper_fill(Rgb{}));
    }
    void set_background_opaque(bool opaque) override { paper_.set_background_opaque(opaque); }
    double dots_per_millimetre() const override { return paper_.dots_per_millimetre(); }
    void select_pen(PenStyle style, int width, Rgb colour) override {
        paper_.select_pen(style, width, on_white_paper(colour));
    }
    void move_to(int x, int y) override { paper_.move_to(x, y); }
    void line_to(int x, int y) override { paper_.line_to(x, y); }
    void arc(int left, int top, int right, int bottom, int start_x, int start_y, int end_x,
             int end_y) override {
        paper_.arc(left, top, right, bottom, start_x, start_y, end_x, end_y);
    }
    bool select_font(const FontSpec& font) override { return paper_.select_font(font); }
    void set_text_colour(Rgb colour) override { paper_.set_text_colour(on_white_paper(colour)); }
    void text_out(int x, int y, std::string_view text) override { paper_.text_out(x, y, text); }
    void set_xor_drawing(bool on) override { paper_.set_xor_drawing(on); }

private:
    Surface& paper_;
};

}  // namespace zov
