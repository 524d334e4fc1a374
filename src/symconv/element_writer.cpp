#include "symconv/element_writer.h"

#include <cmath>
#include <string>

#include "jw/jw_tables.h"
#include "store/records.h"
#include "symconv/block_names.h"
#include "symconv/converter_settings.h"
#include "symconv/dxf_entities.h"
#include "symconv/element_geometry.h"

namespace zov {

double ElementWriter::round(double value) const { return round_value(value, settings_.decimals); }

DxfPen ElementWriter::jwk_pen(int line_type, int pen) const {
    return {line_type_name(line_type), settings_.pen_colours[checked_pen(pen) - 1]};
}

void ElementWriter::line(int line_type, int pen, double x1, double y1, double x2, double y2) {
    line(jwk_pen(line_type, pen), x1, y1, x2, y2);
}

void ElementWriter::line(const DxfPen& pen, double x1, double y1, double x2, double y2) {
    put_line(out_, kSymbolLayer, pen, round(x1), round(y1), round(x2), round(y2));
}

void ElementWriter::full_circle(const DxfPen& pen, double cx, double cy, double r) {
    put_entity_head(out_, "CIRCLE", kSymbolLayer, pen);
    put_xy(out_, 10, round(cx), round(cy));
    out_.coordinate(40, round(r));
}

void ElementWriter::arc(const DxfPen& pen, double cx, double cy, double r, double a, double b) {
    put_entity_head(out_, "ARC", kSymbolLayer, pen);
    put_xy(out_, 10, round(cx), round(cy));
    out_.coordinate(40, round(r));
    out_.real(50, a);
    out_.real(51, b);
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
        chain(dxf_pen, ellipse_chain(cx, cy, r, flatness / 10000.0, start / 65536.0, end / 65536.0,
                                     tilt / 65536.0));
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
        out_.texts({{0, "POINT"}, {8, kSymbolLayer}});
        out_.colour(62, colour);
        put_xy(out_, 10, x, y);
    } else if (settings_.point_form == 1) {
        put_entity_head(out_, "CIRCLE", kSymbolLayer, {kContinuous, colour});
        put_xy(out_, 10, x, y);
        out_.coordinate(40, d / 2);
    } else {
        // Ten times the point's size on paper (point_size / 100 mm) in drawing units:
        // 4 at 1/1 with a point size of 40, and growing with the scale like every other size.
        const double width = settings_.point_size / 100.0 * S_ * 10;
        put_point_part("POLYLINE", colour);
        out_.texts({{66, "1"}, {10, "0"}, {20, "0"}, {70, "1"}});
        out_.coordinate(40, width);
        out_.coordinate(41, width);
        for (double vertex_x : {x - d / 2, x + d / 2}) {
            put_point_part("VERTEX", colour);
            put_xy(out_, 10, vertex_x, y);
            out_.coordinate(42, 1.0);
        }
        out_.texts({{0, "SEQEND"}, {8, kSymbolLayer}});
    }
}

// A part of a point drawn as a filled circle, its colour as it stands.
void ElementWriter::put_point_part(std::string_view type, int colour) {
    out_.texts({{0, type}, {8, kSymbolLayer}, {6, kContinuous}});
    out_.integer(62, colour);
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
    out_.texts({{0, "TEXT"}, {8, kSymbolLayer}});
    out_.integer(62, run.colour);
    put_xy(out_, 10, run.x, run.y);
    out_.coordinate(40, run.height);
    out_.coordinate(41, run.width_factor);
    out_.coordinate(50, run.angle);
    out_.text(1, dxf_value_text(text));
    // The style group has always been written with its code in three columns.
    if (run.vertical) out_.text({7, 3}, kVerticalTextStyle);
}

void ElementWriter::solid(int colour, const std::array<ChainPoint, 4>& c) {
    // DXF draws a SOLID 1-2-4-3: the corner written third closes on the first.
    out_.texts({{0, "SOLID"}, {8, kSymbolLayer}});
    out_.colour(62, colour);
    const int corner_order[] = {0, 1, 3, 2};
    for (int i = 0; i < 4; ++i) {
        const ChainPoint& corner = c[corner_order[i]];
        put_xy(out_, 10 + i, round(corner.x), round(corner.y));
    }
}

}  // namespace zov
