#pragma once
// The surface on Qt: a QPainter on a window or on an image. Needs a
// QGuiApplication for its fonts. Faces map to the installed IPA fonts.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>

#include "common/whole_file.h"
#include "render/surface.h"
#include "surfaces/cosmetic_lines.h"
#include "surfaces/small_arcs.h"

namespace zov {

class QtSurface : public Surface {
public:
    // Paints with `painter`, whose device has a client area of width x height.
    // With `direct_lines` (the painter's own RGB32 image, without clip or
    // transformation), one-pixel lines are drawn straight into its pixels.
    QtSurface(QPainter& painter, int width, int height, CosmeticLines* direct_lines = nullptr);
    ~QtSurface() override { flush(); }
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    // Lines for the painter are collected and drawn together while the pen
    // stays the same; this draws those still waiting (done before any other
    // operation and at the end). Lines into the image's pixels are drawn at
    // once.
    void flush();

    int width() const override { return width_; }
    int height() const override { return height_; }
    void fill_rect(int left, int top, int right, int bottom, Rgb colour) override;
    void fill_polygon(std::span<const PixelPoint> points, Rgb colour) override;
    void set_background_opaque(bool opaque) override;
    double dots_per_millimetre() const override;
    void select_pen(PenStyle style, int width, Rgb colour) override;
    void move_to(int x, int y) override;
    void line_to(int x, int y) override;
    void arc(int left, int top, int right, int bottom, int start_x, int start_y, int end_x,
             int end_y) override;
    bool select_font(const FontSpec& font) override;
    void set_text_colour(Rgb colour) override;
    void text_out(int x, int y, std::string_view text) override;
    void set_xor_drawing(bool on) override;

    // Only the rows [top, bottom) of the picture are kept (a band of it):
    // texts are filled there alone.
    void keep_rows(int top, int bottom) { kept_rows_ = QRect(0, top, width_, bottom - top); }

private:
    void use_pen_on_painter();
    // The selected pen as the painter takes it.
    const QPen& selected_pen();
    // False when the arc is not one for SmallArcs.
    bool draw_small_arc(int left, int top, int right, int bottom, int start16, int span16);
    void keep_line(const QLine& line);
    void add_line(double x1, double y1, double x2, double y2);
    void draw_arc_as_polyline(double cx, double cy, double rx, double ry, double start,
                              double span);
    void add_arc_lines(double cx, double cy, double rx, double ry, double from, double to);
    void draw_vertical_text(const QFont& font, std::string_view text);

    QPainter& painter_;
    int width_;
    int height_;
    QPoint current_;
    std::vector<QLine> lines_;  // for the painter, waiting for flush(), all with the current pen
    CosmeticLines* direct_lines_;
    std::uint64_t pen_key_ = 0x01000000u;  // selected pen: style, width, colour
    std::uint32_t rgb_of_key() const { return static_cast<std::uint32_t>(pen_key_ & 0xffffffu); }
    int width_of_key() const { return static_cast<int>(pen_key_ >> 24 & 0xff); }
    PenStyle pen_style_ = PenStyle::Solid;
    bool painter_pen_current_ = true;  // the painter holds the selected pen (or its own)
    bool lines_direct_ = false;        // lines of the selected pen go to the pixels
    bool xor_drawing_ = false;
    QRect kept_rows_;  // none: the whole picture
    // Pens made so far, by style, width and colour: a pen change costs no new pen.
    std::unordered_map<std::uint64_t, QPen> pens_;
    SmallArcs small_arcs_;
    QColor text_colour_;
    // Fonts made so far, each with its ascent once a text has asked for it:
    // the texts of a drawing take a few fonts in turn (their sizes and
    // angles), and making a font and its metrics again costs more than
    // drawing a small text.
    struct MadeFont {
        FontSpec wanted;  // as the pass selected it
        QFont font;
        double ascent = -1.0;  // not asked yet
    };
    std::vector<MadeFont> fonts_;
    std::size_t font_ = 0;  // the selected one in fonts_
    bool font_selected_ = false;
    bool vertical_ = false;
};

// The Qt family that stands for a drawing's face name (without the "@" of
// the vertical form): the Japanese faces map to the IPA fonts.
QString font_family_for_face(const std::string& face);

// The pixels of an RGB32 `image` for lines drawn straight into them.
ImagePixels image_pixels(QImage& image);

// A surface on a black image of the given size, saved as PNG at the end.
class ImageSurface {
public:
    ImageSurface(int width, int height);
    ~ImageSurface();
    ImageSurface(const ImageSurface&) = delete;
    ImageSurface& operator=(const ImageSurface&) = delete;

    Surface& surface() { return *surface_; }
    // See QtSurface::keep_rows.
    void keep_rows(int top, int bottom) { surface_->keep_rows(top, bottom); }
    // Ends painting; the picture as it stands then.
    const QImage& finish();
    // Ends painting and writes the picture whole (file-system path); false
    // when it cannot be written, the name then keeping what it held.
    bool save_png(const std::string& path, ExistingTarget existing = ExistingTarget::Replace);

private:
    QImage image_;
    CosmeticLines direct_lines_;
    QPainter painter_;
    std::unique_ptr<QtSurface> surface_;
};

}  // namespace zov
