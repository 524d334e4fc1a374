// Lines, arcs, points, texts, solids, inserts and dimensions of a JW_CAD for
// Windows file as store records: paper millimetres times the drawing's
// scale, angles in degrees.
#include "jw/jww_records.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>

#include "common/cp932.h"
#include "jw/jw_rounding.h"
#include "jw/jw_text_style.h"
#include "jw/jww_image_text.h"
#include "jw/jww_pens.h"

namespace zov {

namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;
// Numbers beyond a kilometre of paper are damage, not drawing.
constexpr double kFarBeyondPaper = 1e6;
// Texts keep their first 255 bytes, as those of the DOS files.
constexpr std::size_t kMaxTextBytes = 255;
// Round solids: at most this many degrees per filled piece.
constexpr double kRoundSolidStep = 5;
constexpr int kMaxRoundSolidPieces = 72;
constexpr std::uint8_t kFirstRoundSolidStyle = 101;

bool in_range(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(),
                       [](double v) { return std::isfinite(v) && std::abs(v) <= kFarBeyondPaper; });
}

// Counts an entity that is left out for its numbers; false then.
bool usable(JwwRecordContext& c, std::initializer_list<double> values) {
    if (in_range(values)) return true;
    ++c.out_of_range;
    return false;
}

double at(const JwwRecordContext& c, double paper_mm) {
    return round_coordinate(paper_mm * c.scale, c.decimals);
}

EntityRecord record_of(const JwwRecordContext& c, const JwwEntityBase& base, std::int32_t kind) {
    EntityRecord e;
    e.kind = kind;
    e.line_type = jww_store_line_type(base.pen_style, *c.header);
    e.colour = jww_store_colour(base.pen_colour, *c.header);
    e.layer = c.layers[static_cast<std::size_t>(jww_layer_slot(base))];
    return e;
}

void put_line(const JwwRecordContext& c, EntityRecord e, double x1, double y1, double x2, double y2,
              JwwRecordSink& sink) {
    e.kind = kEntityLine;
    e.x1 = at(c, x1);
    e.y1 = at(c, y1);
    e.line.end_x = at(c, x2);
    e.line.end_y = at(c, y2);
    sink.put(e, {});
}

// A run of characters at its start point: height and width factor from the
// character cell (a full-width character is `width` wide and followed by
// `spacing`), the vertical style for vertical writing.
void put_text(const JwwRecordContext& c, EntityRecord e, const JwwText& t, std::string text,
              JwwRecordSink& sink) {
    text.resize(safe_prefix_length(text, kMaxTextBytes));
    has_double_byte(text);
    const bool vertical = (t.base.flags & kJwwTextVertical) != 0;
    e.kind = kEntityText;
    e.text_style = text_style_code(text) + (vertical ? kJwStyleVertical : 0);
    e.x1 = at(c, t.start_x);
    e.y1 = at(c, t.start_y);
    e.text.width_factor =
        t.height > 0 && t.width + t.spacing > 0 ? (t.width + t.spacing) / t.height : 1.0;
    e.text.height = t.height * c.scale;
    e.text.angle = t.angle;
    sink.put(e, text);
}

// The frame an image covers and the image's name inside it.
void put_image_frame(const JwwRecordContext& c, const JwwText& t, const JwwImageText& image,
                     JwwRecordSink& sink) {
    const double a = t.angle / kDegreesPerRadian;
    const double ux = std::cos(a), uy = std::sin(a);
    const double x[4] = {t.start_x, t.start_x + image.width * ux,
                         t.start_x + image.width * ux - image.height * uy,
                         t.start_x - image.height * uy};
    const double y[4] = {t.start_y, t.start_y + image.width * uy,
                         t.start_y + image.width * uy + image.height * ux,
                         t.start_y + image.height * ux};
    EntityRecord frame = record_of(c, t.base, kEntityLine);
    frame.line_type = kLineContinuous;
    for (int i = 0; i < 4; ++i)
        put_line(c, frame, x[i], y[i], x[(i + 1) % 4], y[(i + 1) % 4], sink);
    JwwText name = t;
    name.base.flags &= static_cast<std::uint16_t>(~kJwwTextVertical);
    put_text(c, record_of(c, t.base, kEntityText), name, image.name, sink);
}

// One filled piece: a triangle is a quadrilateral whose last two corners meet.
void put_solid(const JwwRecordContext& c, EntityRecord e, const double (&x)[4],
               const double (&y)[4], JwwRecordSink& sink) {
    // The store's corners 1, 2, 4, 3 run round the outline; the file's run
    // start, end, point 2, point 3.
    e.kind = kEntitySolid;
    e.solid.first_x = at(c, x[0]);
    e.solid.first_y = at(c, y[0]);
    e.x1 = at(c, x[1]);
    e.y1 = at(c, y[1]);
    e.solid.fourth_x = at(c, x[2]);
    e.solid.fourth_y = at(c, y[2]);
    e.solid.third_x = at(c, x[3]);
    e.solid.third_y = at(c, y[3]);
    sink.put(e, {});
}

// Round solids reuse the eight numbers: centre; radius and flattening;
// tilt and start angle; sweep and a variant. Discs, sectors and segments
// (style 101) and rings (105, 106: the variant is the inner radius) are
// filled piece by piece; the other forms are drawn as their outline.
void put_round_solid(JwwRecordContext& c, const JwwSolid& s, EntityRecord e, JwwRecordSink& sink) {
    const double cx = s.x[0], cy = s.y[0], radius = s.x[1], flat = s.y[1];
    const double tilt = s.x[2], start = s.y[2], variant = s.y[3];
    const bool full = variant == 100 || std::abs(s.x[3]) >= 2 * std::numbers::pi;
    const double sweep = full ? 2 * std::numbers::pi : s.x[3];
    if (!usable(c, {cx, cy, radius, flat, tilt, start, sweep, variant})) return;
    const int style = s.base.pen_style;
    const bool disc = style == 101 && (full || variant == 0 || variant == 5);
    const bool ring = style == 105 || style == 106;
    if (!disc && !ring) {
        e.kind = kEntityArc;
        e.x1 = at(c, cx);
        e.y1 = at(c, cy);
        e.arc.axis_ratio = flat;
        e.arc.unused_one = 1;
        e.arc.radius = at(c, radius);
        e.arc.tilt = tilt * kDegreesPerRadian;
        e.arc.start_angle = full ? 0 : (start + std::min(sweep, 0.0)) * kDegreesPerRadian;
        e.arc.end_angle = full ? 360 : e.arc.start_angle + std::abs(sweep) * kDegreesPerRadian;
        sink.put(e, {});
        return;
    }
    const double step_degrees = std::abs(sweep) * kDegreesPerRadian;
    const int pieces = std::clamp(static_cast<int>(std::ceil(step_degrees / kRoundSolidStep)), 1,
                                  kMaxRoundSolidPieces);
    const double ct = std::cos(tilt), st = std::sin(tilt);
    auto point = [&](double r, int i, double& x, double& y) {
        const double t = start + sweep * i / pieces;
        const double u = r * std::cos(t), v = r * flat * std::sin(t);
        x = cx + u * ct - v * st;
        y = cy + u * st + v * ct;
    };
    const bool segment = !full && variant == 5;
    for (int i = 0; i < pieces; ++i) {
        double x[4], y[4];
        point(radius, i, x[1], y[1]);
        point(radius, i + 1, x[2], y[2]);
        if (ring) {
            point(variant, i + 1, x[3], y[3]);
            point(variant, i, x[0], y[0]);
        } else {
            if (segment) {
                point(radius, 0, x[0], y[0]);
            } else {
                x[0] = cx;
                y[0] = cy;
            }
            x[3] = x[2];
            y[3] = y[2];
        }
        put_solid(c, e, x, y, sink);
    }
}

}  // namespace

int jww_layer_slot(const JwwEntityBase& base) {
    const int group = std::min<int>(base.group, kJwwGroups - 1);
    const int layer = std::min<int>(base.layer, kJwwLayersPerGroup - 1);
    return group * kJwwLayersPerGroup + layer;
}

void make_jww_line(JwwRecordContext& c, const JwwLine& l, JwwRecordSink& sink) {
    if (!usable(c, {l.start_x, l.start_y, l.end_x, l.end_y})) return;
    put_line(c, record_of(c, l.base, kEntityLine), l.start_x, l.start_y, l.end_x, l.end_y, sink);
}

// Circular arcs take their angles from the +x axis; elliptic arcs keep the
// parameters of their own (tilted) frame, as the store's ellipses do. A
// negative sweep runs clockwise from the start: the same arc counter-clockwise
// from start + sweep.
void make_jww_arc(JwwRecordContext& c, const JwwArc& a, JwwRecordSink& sink) {
    if (!usable(c, {a.centre_x, a.centre_y, a.radius, a.start, a.sweep, a.tilt, a.flattening}))
        return;
    EntityRecord e = record_of(c, a.base, kEntityArc);
    e.x1 = at(c, a.centre_x);
    e.y1 = at(c, a.centre_y);
    e.arc.radius = at(c, a.radius);
    e.arc.unused_one = 1;
    const bool full = a.full || std::abs(a.sweep) >= 2 * std::numbers::pi;
    const double from = (a.start + std::min(a.sweep, 0.0)) * kDegreesPerRadian;
    const double span = std::abs(a.sweep) * kDegreesPerRadian;
    if (a.flattening == 1) {
        e.arc.axis_ratio = 1;
        if (!full) {
            e.arc.start_angle = from + a.tilt * kDegreesPerRadian;
            e.arc.end_angle = e.arc.start_angle + span;
        }
    } else {
        e.arc.axis_ratio = a.flattening;
        e.arc.tilt = a.tilt * kDegreesPerRadian;
        e.arc.start_angle = full ? 0 : from;
        e.arc.end_angle = full ? 360 : from + span;
    }
    sink.put(e, {});
}

void make_jww_point(JwwRecordContext& c, const JwwPoint& p, JwwRecordSink& sink) {
    if (!usable(c, {p.x, p.y})) return;
    EntityRecord e = record_of(c, p.base, kEntityPoint);
    e.line_type = kLineByLayer;
    e.x1 = at(c, p.x);
    e.y1 = at(c, p.y);
    sink.put(e, {});
}

void make_jww_text(JwwRecordContext& c, const JwwText& t, JwwRecordSink& sink) {
    if (!usable(c, {t.start_x, t.start_y, t.width, t.height, t.spacing, t.angle})) return;
    if (const std::optional<JwwImageText> image = parse_jww_image_text(t.text);
        image && in_range({image->width, image->height})) {
        put_image_frame(c, t, *image, sink);
        return;
    }
    put_text(c, record_of(c, t.base, kEntityText), t, t.text, sink);
}

void make_jww_solid(JwwRecordContext& c, const JwwSolid& s, JwwRecordSink& sink) {
    EntityRecord e = record_of(c, s.base, kEntitySolid);
    e.line_type = kLineContinuous;
    if (s.base.pen_colour == kJwwSolidOwnColour) e.colour = jww_rgb_store_colour(s.rgb);
    if (s.base.pen_style >= kFirstRoundSolidStyle) {
        put_round_solid(c, s, e, sink);
        return;
    }
    if (!usable(c, {s.x[0], s.y[0], s.x[1], s.y[1], s.x[2], s.y[2], s.x[3], s.y[3]})) return;
    double x[4], y[4];
    std::copy(s.x.begin(), s.x.end(), x);
    std::copy(s.y.begin(), s.y.end(), y);
    put_solid(c, e, x, y, sink);
}

void make_jww_insert(JwwRecordContext& c, const JwwInsert& i, JwwRecordSink& sink) {
    if (!usable(c, {i.x, i.y, i.scale_x, i.scale_y, i.angle})) return;
    EntityRecord e = record_of(c, i.base, kEntityInsert);
    e.x1 = at(c, i.x);
    e.y1 = at(c, i.y);
    e.insert.scale_x = i.scale_x;
    e.insert.scale_y = i.scale_y;
    e.insert.rotation = i.angle * kDegreesPerRadian;
    if (c.blocks != nullptr) {
        if (const auto found = c.blocks->find(i.block_number); found != c.blocks->end()) {
            e.block = found->second;
            if (e.block == 0) ++c.inserts_beyond_blocks;
        }
    }
    sink.put(e, {});
}

void make_jww_dimension(JwwRecordContext& c, const JwwDimension& d, JwwRecordSink& sink) {
    make_jww_line(c, d.line, sink);
    make_jww_text(c, d.text, sink);
    if (!d.has_sxf_parts) return;
    for (const JwwLine& line : d.extension_lines) make_jww_line(c, line, sink);
    for (const JwwPoint& point : d.points) make_jww_point(c, point, sink);
}

}  // namespace zov
