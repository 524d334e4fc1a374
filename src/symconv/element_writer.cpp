#include "symconv/element_writer.h"

#include <cmath>
#include <string>

#include "jw/jw_tables.h"
#include "store/records.h"
#include "symconv/block_names.h"
#include "symconv/converter_settings.h"
#include "symconv/dxf_line_writer.h"
#include "symconv/element_geometry.h"

namespace zov {

namespace {

constexpr char kLayer[] = "Zukei";

}  // namespace

double ElementWriter::round(double value) const {
    return round_value(value, settings_.decimals);
}

DxfPen ElementWriter::jwk_pen(int line_type, int pen) const {
    return {line_type_name(line_type), settings_.pen_colours[checked_pen(pen) - 1]};
}

void ElementWriter::line(int line_type, int pen, double x1, double y1, double x2, double y2) {
    line(jwk_pen(line_type, pen), x1, y1, x2, y2);
}

void ElementWriter::line(const DxfPen& pen, double x1, double y1, double x2, double y2) {
    out_.write_dxf_line(
        "0\r\nLINE\r\n8\r\nZukei\r\n6\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n11\r\n"
        "%0.3f\r\n21\r\n%0.3f",
        pen.line_type, pen.colour, round(x1), round(y1), round(x2), round(y2));
}

void ElementWriter::full_circle(const DxfPen& pen, double cx, double cy, double r) {
    out_.write_dxf_line(
        "0\r\nCIRCLE\r\n8\r\nZukei\r\n6\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n40"
        "\r\n%0.3f",
        pen.line_type, pen.colour, round(cx), round(cy), round(r));
}

void ElementWriter::arc(const DxfPen& pen, double cx, double cy, double r, double a, double b) {
    out_.write_dxf_line(
        "0\r\nARC\r\n8\r\nZukei\r\n6\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n40\r\n"
        "%0.3f\r\n50\r\n%f\r\n51\r\n%f",
        pen.line_type, pen.colour, round(cx), round(cy), round(r), a, b);
}

void ElementWriter::chain(const DxfPen& pen, const std::vector<ChainPoint>& points) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        line(pen, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
}

void ElementWriter::circle(int line_type, int pen, double cx, double cy, double r, int flatness,
                           std::int32_t start, std::int32_t end, std::int32_t tilt) {
    const DxfPen dxf_pen = jwk_pen(line_type, pen);
    CircleForm form = circle_form(flatness, start, end, tilt);
    if (form.kind == CircleForm::Ellipse) {
        chain(dxf_pen, ellipse_chain(cx, cy, r, flatness / 10000.0, start / 65536.0,
                                     end / 65536.0, tilt / 65536.0));
    } else if (form.kind == CircleForm::Circle) {
        full_circle(dxf_pen, cx, cy, r);
    } else {
        arc(dxf_pen, cx, cy, r, form.a, form.b);
    }
}

void ElementWriter::curve(const DxfPen& pen, const EllipseArc& shape) {
    CurveShape form = curve_shape(shape);
    if (form.kind == CurveShape::Ellipse) {
        chain(pen, ellipse_chain(shape));
    } else if (form.kind == CurveShape::Circle) {
        full_circle(pen, shape.axes.cx, shape.axes.cy, form.radius);
    } else {
        arc(pen, shape.axes.cx, shape.axes.cy, form.radius, form.a, form.b);
    }
}

void ElementWriter::point(int pen, double x, double y) { point(jwk_pen(1, pen), x, y); }

void ElementWriter::point(const DxfPen& pen, double x, double y) {
    const int colour = pen.colour;
    const double d = settings_.point_size * S_ / 100;
    x = round(x);
    y = round(y);
    if (settings_.point_form == 0) {
        out_.write_dxf_line(
            "0\r\nPOINT\r\n8\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f", kLayer, colour, x,
            y);
    } else if (settings_.point_form == 1) {
        out_.write_dxf_line(
            "0\r\nCIRCLE\r\n8\r\n%s\r\n6\r\nCONTINUOUS\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f"
            "\r\n40\r\n%0.3f",
            kLayer, colour, x, y, d / 2);
    } else {
        // Ten times the point's size on paper (point_size / 100 mm) in drawing units:
        // 4 at 1/1 with a point size of 40, and growing with the scale like every other size.
        const double width = settings_.point_size / 100.0 * S_ * 10;
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
    TextRun run;
    run.height = text_height(settings_, kind, S_);
    run.colour = settings_.text_colours[kind - 1];
    run.vertical = vertical;
    const int a = text_angle(x2 - x1, y2 - y1, vertical);
    run.angle = a;
    // The start point is rounded first; a turned or vertical text then
    // moves half its height along its direction.
    run.x = round(x1);
    run.y = round(y1);
    if (vertical || a != 0) {
        run.x += std::cos(a * kRadiansPerDegreeToElevenDecimals) * run.height / 2;
        run.y += std::sin(a * kRadiansPerDegreeToElevenDecimals) * run.height / 2;
    }
    write_text(run, text);
}

void ElementWriter::text(const TextRun& run, std::string_view text) {
    TextRun rounded = run;
    rounded.x = round(run.x);
    rounded.y = round(run.y);
    write_text(rounded, text);
}

void ElementWriter::write_text(const TextRun& run, std::string_view text) {
    out_.write_dxf_line(
        "0\r\nTEXT\r\n8\r\n%s\r\n62\r\n%d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n40\r\n%0.3f\r\n41\r\n"
        "%0.3f\r\n50\r\n%0.3f\r\n1\r\n%s",
        kLayer, run.colour, run.x, run.y, run.height, run.width_factor, run.angle,
        dxf_value_text(text).c_str());
    if (run.vertical) out_.write_dxf_line("  7\r\nTATEGAKI");
}

void ElementWriter::solid(int colour, const std::array<ChainPoint, 4>& c) {
    // DXF draws a SOLID 1-2-4-3: the corner written third closes on the first.
    out_.write_dxf_line(
        "0\r\nSOLID\r\n8\r\nZukei\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n11\r\n%0.3f\r\n21"
        "\r\n%0.3f\r\n12\r\n%0.3f\r\n22\r\n%0.3f\r\n13\r\n%0.3f\r\n23\r\n%0.3f",
        colour, round(c[0].x), round(c[0].y), round(c[1].x), round(c[1].y), round(c[3].x),
        round(c[3].y), round(c[2].x), round(c[2].y));
}

}  // namespace zov
