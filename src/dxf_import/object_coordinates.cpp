#include "dxf_import/object_coordinates.h"

#include <cmath>

#include "dxf/group_reader.h"
#include "store/record_move.h"
#include "store/text_metrics.h"

namespace zov {

namespace {

struct Vector3 {
    double x, y, z;
};

Vector3 cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 unit(Vector3 v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

double dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }
double angle_of(Point2 v) { return degrees(std::atan2(v.y, v.x)); }

// Axis ratios this close to 1 are circles: the projection of a plane seen
// square keeps its circles round.
constexpr double kRoundness = 1e-9;

}  // namespace

bool Extrusion::take(int code, double value) {
    switch (code) {
        case 210: x = value; return true;
        case 220: y = value; return true;
        case 230: z = value; return true;
        case 30:
        case 38: elevation = value; return true;
        default: return false;
    }
}

bool Extrusion::take(const DxfGroupReader& reader) {
    switch (reader.code()) {
        case 210:
        case 220:
        case 230:
        case 30:
        case 38: return take(reader.code(), reader.real());
        default: return false;
    }
}

std::optional<PlaneProjection> PlaneProjection::of(const Extrusion& extrusion) {
    if (extrusion.along_z()) return std::nullopt;
    const double length = std::sqrt(extrusion.x * extrusion.x + extrusion.y * extrusion.y +
                                    extrusion.z * extrusion.z);
    if (!std::isfinite(length) || !(length > 0.0)) return std::nullopt;
    const Vector3 normal = unit({extrusion.x, extrusion.y, extrusion.z});
    // The arbitrary-axis algorithm: a normal near the world's z axis takes
    // its x axis across the world's y axis, any other across the z axis.
    constexpr double kNearZ = 1.0 / 64.0;
    const Vector3 x_axis = std::abs(normal.x) < kNearZ && std::abs(normal.y) < kNearZ
                               ? unit(cross({0.0, 1.0, 0.0}, normal))
                               : unit(cross({0.0, 0.0, 1.0}, normal));
    const Vector3 y_axis = unit(cross(normal, x_axis));
    PlaneProjection projection;
    projection.xx_ = x_axis.x, projection.xy_ = x_axis.y;
    projection.yx_ = y_axis.x, projection.yy_ = y_axis.y;
    projection.dx_ = normal.x * extrusion.elevation;
    projection.dy_ = normal.y * extrusion.elevation;
    return projection;
}

Point2 PlaneProjection::map(Point2 p) const {
    const Point2 linear = apply(p.x, p.y);
    return {linear.x + dx_, linear.y + dy_};
}

void set_elliptic_arc(EntityRecord& record, Point2 centre, Point2 p, Point2 q, double start,
                      double end) {
    // Counter-clockwise: a plane seen from below runs the parameter back.
    if (p.x * q.y - p.y * q.x < 0.0) {
        q = {-q.x, -q.y};
        const double back_start = -end;
        end = -start;
        start = back_start;
    }
    // The parameter of the major axis, where |P cos t + Q sin t| is largest.
    const double major_at = 0.5 * std::atan2(2.0 * dot(p, q), dot(p, p) - dot(q, q));
    const double c = std::cos(major_at), s = std::sin(major_at);
    const Point2 major{p.x * c + q.x * s, p.y * c + q.y * s};
    const Point2 minor{q.x * c - p.x * s, q.y * c - p.y * s};
    const double major_length = std::hypot(major.x, major.y);
    const double ratio = major_length > 0.0 ? std::hypot(minor.x, minor.y) / major_length : 1.0;
    const double shift = degrees(major_at);
    record.kind = kEntityArc;
    record.x1 = centre.x;
    record.y1 = centre.y;
    record.arc.radius = major_length;
    record.arc.unused_one = 1.0;
    if (std::abs(ratio - 1.0) < kRoundness) {
        // A circle: its angles from the x axis, without a tilt.
        const double turn = angle_of(p);
        record.arc.axis_ratio = 1.0;
        record.arc.tilt = 0.0;
        record.arc.start_angle = start + turn;
        record.arc.end_angle = end + turn;
        return;
    }
    record.arc.axis_ratio = ratio;
    record.arc.tilt = angle_of(major);
    record.arc.start_angle = start - shift;
    record.arc.end_angle = end - shift;
}

void PlaneProjection::map_arc(EntityRecord& record) const {
    // The store keeps a circle's or arc's angles from the x axis.
    const double r = std::abs(record.arc.radius);
    set_elliptic_arc(record, map({record.x1, record.y1}), apply(r, 0.0), apply(0.0, r),
                     record.arc.start_angle, record.arc.end_angle);
}

void PlaneProjection::map_text(EntityRecord& record, std::string_view text) const {
    const double a = radians(record.text.angle);
    const Point2 along = apply(std::cos(a), std::sin(a));
    const double along_length = std::hypot(along.x, along.y);
    const double det = determinant();
    if (!(along_length > 0.0) || det == 0.0) {
        // Seen edge on: the text shows no height, only its place.
        const Point2 at = map({record.x1, record.y1});
        record.x1 = at.x;
        record.y1 = at.y;
        record.text.height = 0.0;
        return;
    }
    // The height is measured square to the projected base line; the width
    // factor takes the rest of the stretch along it.
    const double height_scale = std::abs(det) / along_length;
    Point2 base{record.x1, record.y1};
    Point2 direction = along;
    if (det < 0.0) {
        // Seen mirrored: the text reads forwards from the projected end of
        // its base line, over the same box.
        const double width = text_advance_width(kSourceDxf, record, text);
        base = {base.x + width * std::cos(a), base.y + width * std::sin(a)};
        direction = {-along.x, -along.y};
    }
    const Point2 at = map(base);
    record.x1 = at.x;
    record.y1 = at.y;
    record.text.angle = angle_of(direction);
    const double factor = record.text.width_factor > 0.0 ? record.text.width_factor : 1.0;
    record.text.width_factor = factor * along_length / height_scale;
    record.text.height *= height_scale;
}

void PlaneProjection::map_insert(EntityRecord& record) const {
    // The insert's own axes, scaled and turned, then projected: the x axis
    // gives the turn and x scale, the area the y scale (a projection that
    // would shear the block keeps only its scales).
    const double r = radians(record.insert.rotation);
    const double sx = record.insert.scale_x == 0.0 ? 1.0 : record.insert.scale_x;
    const double sy = record.insert.scale_y == 0.0 ? 1.0 : record.insert.scale_y;
    const Point2 x_axis = apply(sx * std::cos(r), sx * std::sin(r));
    const double x_length = std::hypot(x_axis.x, x_axis.y);
    const Point2 at = map({record.x1, record.y1});
    record.x1 = at.x;
    record.y1 = at.y;
    // Seen edge on along its x axis, the insert keeps its own scales.
    if (!(x_length > 0.0)) return;
    record.insert.rotation = angle_of(x_axis);
    record.insert.scale_x = x_length;
    record.insert.scale_y = sx * sy * determinant() / x_length;
}

void PlaneProjection::map_record(EntityRecord& record, std::string_view text) const {
    switch (record.kind) {
        case kEntityArc: map_arc(record); return;
        case kEntityText: map_text(record, text); return;
        case kEntityInsert: map_insert(record); return;
        default:
            for_each_point(record, [&](double& x, double& y) {
                const Point2 at = map({x, y});
                x = at.x;
                y = at.y;
            });
            return;
    }
}

}  // namespace zov
