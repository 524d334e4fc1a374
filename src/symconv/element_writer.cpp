#include "symconv/element_writer.h"

#include <cmath>
#include <string>

#include "jw/jw_tables.h"
#include "symconv/block_names.h"
#include "symconv/converter_settings.h"
#include "symconv/dxf_line_writer.h"
#include "symconv/element_geometry.h"

namespace zov {

namespace {

constexpr char kLayer[] = "Zukei";

}  // namespace

double ElementWriter::round(double value) const { return round_value(value, settings_.JKE); }

int ElementWriter::pen_colour(int pen) const { return settings_.JCO[checked_pen(pen) - 1]; }

void ElementWriter::line(int line_type, int pen, double x1, double y1, double x2, double y2) {
    out_.write_dxf_line(
        "0\r\nLINE\r\n8\r\nZukei\r\n6\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n11\r\n"
        "%0.3f\r\n21\r\n%0.3f",
        line_type_name(line_type), pen_colour(pen), round(x1), round(y1), round(x2), round(y2));
}

void ElementWriter::circle(int line_type, int pen, double cx, double cy, double r, int flatness,
                           std::int32_t start, std::int32_t end, std::int32_t tilt) {
    CircleForm form = circle_form(flatness, start, end, tilt);
    if (form.kind == CircleForm::Ellipse) {
        std::vector<ChainPoint> chain =
            ellipse_chain(cx, cy, r, flatness / 10000.0, start / 65536.0, end / 65536.0,
                          tilt / 65536.0);
        for (std::size_t i = 1; i < chain.size(); ++i) {
            line(line_type, pen, chain[i - 1].x, chain[i - 1].y, chain[i].x, chain[i].y);
        }
    } else if (form.kind == CircleForm::Circle) {
        out_.write_dxf_line(
            "0\r\nCIRCLE\r\n8\r\nZukei\r\n6\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n40"
            "\r\n%0.3f",
            line_type_name(line_type), pen_colour(pen), round(cx), round(cy), round(r));
    } else {
        out_.write_dxf_line(
            "0\r\nARC\r\n8\r\nZukei\r\n6\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n40\r\n"
            "%0.3f\r\n50\r\n%f\r\n51\r\n%f",
            line_type_name(line_type), pen_colour(pen), round(cx), round(cy), round(r), form.a,
            form.b);
    }
}

void ElementWriter::point(int pen, double x, double y) {
    const int colour = pen_colour(pen);
    const double d = settings_.JPS * S_ / 100;
    x = round(x);
    y = round(y);
    if (settings_.JPO == 0) {
        out_.write_dxf_line(
            "0\r\nPOINT\r\n8\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f", kLayer, colour, x,
            y);
    } else if (settings_.JPO == 1) {
        out_.write_dxf_line(
            "0\r\nCIRCLE\r\n8\r\n%s\r\n6\r\nCONTINUOUS\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f"
            "\r\n40\r\n%0.3f",
            kLayer, colour, x, y, d / 2);
    } else {
        // Ten times the point's size on paper (JPS / 100 mm) in drawing units:
        // 4 at 1/1 with JPS 40, and growing with the scale like every other size.
        const double width = settings_.JPS / 100.0 * S_ * 10;
        out_.write_dxf_line("0\r\nPOLYLINE");
        out_.write_dxf_line(
            "8\r\n%s\r\n6\r\nCONTINUOUS\r\n62\r\n%d\r\n66\r\n1\r\n10\r\n0\r\n20\r\n0\r\n70\r\n1\r\n"
            "40\r\n%0.3f\r\n41\r\n%0.3f",
            kLayer, colour, width, width);
        for (double vertex_x : {x - d / 2, x + d / 2}) {
            out_.write_dxf_line("0\r\nVERTEX");
            out_.write_dxf_line(
                "8\r\n%s\r\n6\r\nCONTINUOUS\r\n62\r\n%d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n42\r\n"
                "%0.3f",
                kLayer, colour, vertex_x, y, 1.0);
        }
        out_.write_dxf_line("0\r\nSEQEND");
        out_.write_dxf_line("8\r\n%s", kLayer);
    }
}

void ElementWriter::text(int kind, bool vertical, double x1, double y1, double x2, double y2,
                         std::string_view text) {
    kind = jw_text_kind(static_cast<std::uint8_t>(kind), JwProgram::Converter);
    const double h = text_height(settings_, kind, S_);
    const int colour = settings_.text_colours[kind - 1];
    const int a = text_angle(x2 - x1, y2 - y1, vertical);
    double x = round(x1);
    double y = round(y1);
    if (vertical || a != 0) {
        x += std::cos(a * kRadiansPerDegree) * h / 2;
        y += std::sin(a * kRadiansPerDegree) * h / 2;
    }
    out_.write_dxf_line(
        "0\r\nTEXT\r\n8\r\n%s\r\n62\r\n%d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n40\r\n%0.3f\r\n41\r\n"
        "%0.3f\r\n50\r\n%0.3f\r\n1\r\n%s",
        kLayer, colour, x, y, h, 1.0, static_cast<double>(a), dxf_value_text(text).c_str());
    if (vertical) out_.write_dxf_line("  7\r\nTATEGAKI");
}

}  // namespace zov
