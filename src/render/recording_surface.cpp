#include "render/recording_surface.h"

#include "common/encoding.h"
#include "common/messages.h"

namespace zov {

namespace {

const char* style_name(PenStyle style) {
    switch (style) {
        case PenStyle::Solid: return "solid";
        case PenStyle::Dot: return "dot";
        case PenStyle::Dash: return "dash";
        case PenStyle::DashDot: return "dashdot";
        case PenStyle::DashDotDot: return "dashdotdot";
    }
    return "?";
}

std::string colour_text(Rgb c) { return format_text("%d,%d,%d", c.r, c.g, c.b); }

}  // namespace

void RecordingSurface::fill_rect(int left, int top, int right, int bottom, Rgb colour) {
    calls.push_back(format_text("fill %d,%d,%d,%d ", left, top, right, bottom) +
                    colour_text(colour));
}

void RecordingSurface::fill_polygon(std::span<const PixelPoint> points, Rgb colour) {
    std::string call = "polygon ";
    for (const PixelPoint& p : points) call += format_text("%d,%d ", p.x, p.y);
    calls.push_back(call + colour_text(colour));
}

void RecordingSurface::set_background_opaque(bool opaque) {
    calls.push_back(opaque ? "background opaque" : "background transparent");
}

void RecordingSurface::select_pen(PenStyle style, int width, Rgb colour) {
    calls.push_back(format_text("pen %s %d ", style_name(style), width) + colour_text(colour));
}

void RecordingSurface::move_to(int x, int y) { calls.push_back(format_text("move %d,%d", x, y)); }

void RecordingSurface::line_to(int x, int y) { calls.push_back(format_text("line %d,%d", x, y)); }

void RecordingSurface::arc(int left, int top, int right, int bottom, int start_x, int start_y,
                           int end_x, int end_y) {
    calls.push_back(format_text("arc %d,%d,%d,%d %d,%d %d,%d", left, top, right, bottom, start_x,
                                start_y, end_x, end_y));
}

bool RecordingSurface::select_font(const FontSpec& font) {
    calls.push_back("font " + cp932_to_utf8(font.face) +
                    format_text(" %d %d %d", font.height, font.escapement, font.weight) +
                    (font.stretch != 100 ? format_text(" stretch %d", font.stretch) : "") +
                    (font.mirrored ? " mirrored" : ""));
    return true;
}

void RecordingSurface::set_text_colour(Rgb colour) {
    calls.push_back("textcolour " + colour_text(colour));
}

void RecordingSurface::text_out(int x, int y, std::string_view text) {
    calls.push_back(format_text("text %d,%d ", x, y) + cp932_to_utf8(text));
}

void RecordingSurface::set_xor_drawing(bool on) { calls.push_back(on ? "xor on" : "xor off"); }

std::vector<std::string> RecordingSurface::calls_starting(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
    }
    return found;
}

}  // namespace zov
