#pragma once
// The drawing surface: exactly the window-system operations the renderer
// needs. The renderer never knows whether it paints a window, an image or a
// test recording. All coordinates are integer pixels, y growing downward;
// texts are CP932 bytes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/japanese_texts.h"

namespace zov {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
};

enum class PenStyle { Solid, Dot, Dash, DashDot, DashDotDot };

// Font faces as the drawings name them (CP932). A face beginning with "@" is
// the vertical-writing form of the face after it.
inline const char* const kGothicFace = cp932_text(JaText::GothicFace);
inline const char* const kVerticalGothicFace = cp932_text(JaText::VerticalGothicFace);
inline const char* const kMinchoFace = cp932_text(JaText::MinchoFace);

struct FontSpec {
    std::string face;    // CP932 face name
    int height = 0;      // character height in pixels
    int escapement = 0;  // direction of the text, tenths of a degree counter-clockwise
    int weight = 400;
    int stretch = 100;  // character width in percent of the face's own
    // Characters mirrored along the text's direction: the text runs back
    // from the point given to text_out, which is then its top-right corner.
    bool mirrored = false;
    bool operator==(const FontSpec&) const = default;
};

inline constexpr double kScreenDotsPerMillimetre = 96.0 / 25.4;

class Surface {
public:
    virtual ~Surface() = default;

    // Size of the client area in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills the rectangle [left, right) x [top, bottom) with a solid colour.
    virtual void fill_rect(int left, int top, int right, int bottom, Rgb colour) = 0;
    // Fills the polygon through `points` (closed back to the first) with a
    // solid colour, its outline not drawn: filled solids and arrow heads.
    virtual void fill_polygon(std::span<const PixelPoint> points, Rgb colour) = 0;
    // Fills the polygon with the background, black on the screen: a mask
    // that hides what was drawn under it.
    virtual void fill_background_polygon(std::span<const PixelPoint> points) {
        fill_polygon(points, Rgb{});
    }
    // Transparent: text leaves the background as it is; opaque: text cells are
    // filled with white first.
    virtual void set_background_opaque(bool opaque) = 0;

    // Pixels per millimetre of the device: on paper the pixels' real size,
    // on screens and pictures that of a 96-dot-per-inch screen.
    virtual double dots_per_millimetre() const { return kScreenDotsPerMillimetre; }

    // A pen `width` pixels wide; lines wider than one pixel end round.
    virtual void select_pen(PenStyle style, int width, Rgb colour) = 0;
    virtual void move_to(int x, int y) = 0;
    // Draws from the current position to (x, y), without the end pixel, and
    // makes (x, y) the current position.
    virtual void line_to(int x, int y) = 0;
    // Arc of the ellipse inscribed in the box, from the radial line through
    // the start point counter-clockwise (on the screen) to the radial line
    // through the end point; the full ellipse when both give the same line.
    virtual void arc(int left, int top, int right, int bottom, int start_x, int start_y, int end_x,
                     int end_y) = 0;

    // False when the font cannot be made; the caller then skips its text.
    virtual bool select_font(const FontSpec& font) = 0;
    virtual void set_text_colour(Rgb colour) = 0;
    // Draws text with its top-left corner at (x, y) (top-right for a
    // mirrored font), turned by the font's escapement about that corner.
    virtual void text_out(int x, int y, std::string_view text) = 0;

    // While on, pens draw by inverting with their colour (XOR), so drawing
    // the same lines twice restores the picture: the rubber band.
    virtual void set_xor_drawing(bool on) = 0;
};

}  // namespace zov
