// Lines, circles, arcs, ellipses and points of a JW_CAD file as store entities.
#include <cmath>

#include "jw/jw_conversion.h"
#include "store/import_state.h"

namespace zov {

namespace {

constexpr int kPenColours[7] = {0, 1, 2, 3, 4, 5, 6};  // pens 1-6
constexpr int kDefaultPen = 2;
constexpr double kFullCircleSpan = 359.88;  // degrees
constexpr std::int16_t kCircleFlatness = 10000;
constexpr double kAngleUnit = 65536.0;

// Makes the arc an ellipse or elliptic arc in the store's ellipse form: the
// semi-axis `radius` turned by the tilt, the other semi-axis `flatness` /
// 10000 of it, and the parameter angles of its own frame. The end angle is raised by whole
// turns until it lies beyond the start; a span of more than one turn would
// only draw the same curve again and is cut to one turn. A negative flatness
// turns the other semi-axis round: the same curve as its positive one over
// mirrored parameters.
void set_ellipse(const JwCircleRecord& r, EntityRecord& e) {
    double k = r.flatness / static_cast<double>(kCircleFlatness);
    double s = r.start_angle / kAngleUnit;
    double end = r.end_angle / kAngleUnit;
    while (end <= s) end += 360;
    if (end - s > 360) end = s + 360;
    if (k < 0) {
        k = -k;
        const double mirrored_start = -end;
        end = -s;
        s = mirrored_start;
    }
    e.arc.axis_ratio = k;
    e.arc.tilt = r.tilt / kAngleUnit;
    e.arc.start_angle = s;
    e.arc.end_angle = end;
}

void write_circle(JwConversion& c, const JwCircleRecord& r) {
    EntityRecord e;
    e.kind = kEntityArc;
    e.line_type = jw_line_type_code(r.line_type);
    e.colour = jw_pen_colour(r.pen);
    e.layer = static_cast<std::int16_t>(store_layer_number(c, r.layer));
    e.x1 = rounded(c, r.centre_x * c.factor);
    e.y1 = rounded(c, r.centre_y * c.factor);
    e.arc.radius = rounded(c, r.radius * c.factor);
    e.arc.unused_one = 1.0;
    if (r.flatness != kCircleFlatness) {
        set_ellipse(r, e);
    } else {
        e.arc.axis_ratio = 1.0;
        double a = r.start_angle / kAngleUnit + r.tilt / kAngleUnit;
        double b = r.end_angle / kAngleUnit + r.tilt / kAngleUnit;
        if (r.start_angle != r.end_angle && std::fabs(b - a) < kFullCircleSpan) {
            e.arc.start_angle = a;
            e.arc.end_angle = b;
        }
    }
    write_jw_entity(c, e);
}

void write_line(JwConversion& c, JwLineRecord& r) {
    if (outside_clip(c, r.start_x * c.factor, r.start_y * c.factor) ||
        outside_clip(c, r.end_x * c.factor, r.end_y * c.factor))
        r.start_x = r.start_y = r.end_x = r.end_y = 0;
    EntityRecord e;
    e.kind = kEntityLine;
    e.line_type = jw_line_type_code(r.line_type);
    e.colour = jw_pen_colour(r.pen);
    e.layer = static_cast<std::int16_t>(store_layer_number(c, r.layer));
    e.x1 = rounded(c, r.start_x * c.factor);
    e.y1 = rounded(c, r.start_y * c.factor);
    e.line.end_x = rounded(c, r.end_x * c.factor);
    e.line.end_y = rounded(c, r.end_y * c.factor);
    write_jw_entity(c, e);
}

void write_point(JwConversion& c, JwPointRecord& r) {
    if (outside_clip(c, r.x * c.factor, r.y * c.factor)) r.x = r.y = 0;
    EntityRecord e;
    e.kind = kEntityPoint;
    e.line_type = kLineByLayer;
    e.colour = jw_pen_colour(r.pen);
    e.layer = static_cast<std::int16_t>(store_layer_number(c, r.layer));
    e.x1 = rounded(c, r.x * c.factor);
    e.y1 = rounded(c, r.y * c.factor);
    write_jw_entity(c, e);
}

}  // namespace

int jw_scratch_layer(const JwConversion& c, std::uint8_t layer) { return c.symbol ? 0 : layer; }

void mark_layer_used(JwConversion& c, std::uint8_t layer) {
    JwLayerScratchRecord record;
    int n = jw_scratch_layer(c, layer);
    if (c.layers.read(n, record) && record.used != 1) {
        record.used = 1;
        c.layers.write(n, record);
    }
}

int store_layer_number(JwConversion& c, std::uint8_t layer) {
    JwLayerScratchRecord record;
    c.layers.read(jw_scratch_layer(c, layer), record);
    return record.store_layer;
}

int jw_pen_colour(int pen) { return kPenColours[pen >= 1 && pen <= 6 ? pen : kDefaultPen]; }

int jw_text_colour(int pen) {
    int colour = pen >= 1 && pen <= 6 ? kPenColours[pen] : pen;
    return colour >= 0 && colour <= 127 ? colour : 7;
}

int jw_line_type_code(int line_type) {
    return line_type >= 1 && line_type <= kLineTypeCount ? line_type : kLineContinuous;
}

double rounded(const JwConversion& c, double value) {
    return round_coordinate(value, c.settings.decimals);
}

bool outside_clip(const JwConversion& c, double x, double y) {
    if (!c.clip) return false;
    return !(-c.clip_x <= x && x <= c.clip_x && -c.clip_y <= y && y <= c.clip_y);
}

void write_jw_entity(JwConversion& c, EntityRecord& e) {
    for (double* value : all_reals(e)) {
        if (!std::isfinite(*value)) *value = 0;
    }
    if (append_entity(c.store, e) == 0) ++c.store.header.ent_num;
}

std::int32_t convert_jw_lines(JwConversion& c, JwPass pass, std::int32_t count) {
    return convert_jw_records<JwLineRecord>(c, pass, count, read_jw_line, write_line);
}

std::int32_t convert_jw_circles(JwConversion& c, JwPass pass, std::int32_t count) {
    return convert_jw_records<JwCircleRecord>(
        c, pass, count, read_jw_circle,
        [](JwConversion& conversion, JwCircleRecord& r) { write_circle(conversion, r); });
}

std::int32_t convert_jw_points(JwConversion& c, JwPass pass, std::int32_t count) {
    return convert_jw_records<JwPointRecord>(c, pass, count, read_jw_point, write_point);
}

}  // namespace zov
