#include "render/record_transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "store/record_move.h"

namespace zov {

namespace {

// The cosine and sine of the transform's rotation, kept in it for the next
// record of the same insert (a block has many).
void take_turn(const InsertTransform& transform) {
    if (transform.rotation == transform.cached_rotation) return;
    const double r = transform.rotation * std::numbers::pi / 180.0;
    transform.cos_rotation = std::cos(r);
    transform.sin_rotation = std::sin(r);
    transform.cached_rotation = transform.rotation;
}

void rotate(double& x, double& y, double cos_r, double sin_r) {
    const double rx = x * cos_r - y * sin_r;
    const double ry = x * sin_r + y * cos_r;
    x = rx;
    y = ry;
}

// The text's height, width factor and angle under the insert's scales: the
// height follows the y scale and the width the x scale, so the text's own
// width factor grows by their ratio. A mirroring insert mirrors the text's
// box, in which the text still reads forwards: from the mirrored end of its
// base line, which the record's point then is (kTextEndsAtBase, toggled, so
// that a second mirror turns it back).
void transform_text(EntityRecord& record, double sx, double sy, double rotation) {
    TextReals& text = record.text;
    const double f = std::abs(sy) / std::abs(sx);
    text.height *= std::abs(sy);
    text.width_factor = (text.width_factor == 0.0 ? 1.0 : text.width_factor) / f;
    double angle = text.angle * f + rotation;
    if (sx > 0.0 && sy < 0.0) {
        angle = 180.0 - (text.angle * f - rotation);
    } else if (sx < 0.0 && sy > 0.0) {
        angle = 360.0 - (text.angle * f - rotation);
    } else if (sx < 0.0 && sy < 0.0) {
        angle += 180.0;
    }
    if ((sx < 0.0) != (sy < 0.0)) record.flags ^= kTextEndsAtBase;
    text.angle = angle;
}

// The arc's rotation, radius, axis ratio and angles under the insert's
// scales. The radius takes the sign of the x scale; with the start and end
// angles exchanged for a mirror this keeps the arc counter-clockwise. An
// elliptic arc keeps its own axis ratio, multiplied by the ratio of the
// scales, so that it stays an ellipse under equal scales.
void transform_arc(ArcReals& arc, double sx, double sy, double rotation) {
    arc.tilt = wrap_degrees(arc.tilt + rotation);
    arc.start_angle = wrap_degrees(arc.start_angle);
    arc.end_angle = wrap_degrees(arc.end_angle);
    arc.radius *= sx;
    arc.axis_ratio *= std::abs(sy) / std::abs(sx);
    if ((sx < 0.0) != (sy < 0.0)) {
        const double start = 360.0 - arc.end_angle;
        const double end = 360.0 - arc.start_angle;
        arc.start_angle = start;
        arc.end_angle = end;
    }
    if (arc.axis_ratio == 1.0) {
        arc.start_angle += arc.tilt;
        arc.end_angle += arc.tilt;
    }
}

}  // namespace

DrawingExtents area_in_block(const DrawingExtents& area, const InsertTransform& transform) {
    const double sx = transform.x_scale == 0.0 ? 1.0 : transform.x_scale;
    const double sy = transform.y_scale == 0.0 ? 1.0 : transform.y_scale;
    take_turn(transform);
    const double c = transform.cos_rotation, s = transform.sin_rotation;
    DrawingExtents box{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const double x : {area.min_x, area.max_x}) {
        for (const double y : {area.min_y, area.max_y}) {
            // The placing undone: moved back, turned back, scaled back.
            double u = x - transform.x, v = y - transform.y;
            rotate(u, v, c, -s);
            u = u / sx + transform.base_x;
            v = v / sy + transform.base_y;
            // A point that cannot be taken back (absurd numbers) leaves
            // nothing out.
            if (std::isnan(u) || std::isnan(v)) return kWholePlane;
            box = {std::min(box.min_x, u), std::min(box.min_y, v), std::max(box.max_x, u),
                   std::max(box.max_y, v)};
        }
    }
    return box;
}

TextStart text_start(const EntityRecord& record, double width) {
    if ((record.flags & kTextEndsAtBase) == 0) return {record.x1, record.y1};
    const double a = record.text.angle * std::numbers::pi / 180.0;
    return {record.x1 - width * std::cos(a), record.y1 - width * std::sin(a)};
}

double wrap_degrees(double degrees) {
    if (degrees >= 0.0 && degrees <= 360.0) return degrees;
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped < 0.0) wrapped += 360.0;
    return wrapped;
}

void transform_record(EntityRecord& record, const InsertTransform& transform) {
    const double sx = transform.x_scale == 0.0 ? 1.0 : transform.x_scale;
    const double sy = transform.y_scale == 0.0 ? 1.0 : transform.y_scale;
    const bool turned = transform.rotation != 0.0;
    if (turned) take_turn(transform);
    const double c = transform.cos_rotation, s = transform.sin_rotation;
    for_each_point(record, [&](double& x, double& y) {
        x = (x - transform.base_x) * sx;
        y = (y - transform.base_y) * sy;
        if (turned) rotate(x, y, c, s);
        x += transform.x;
        y += transform.y;
    });

    if (record.kind == kEntityText) transform_text(record, sx, sy, transform.rotation);
    if (record.kind == kEntityArc) transform_arc(record.arc, sx, sy, transform.rotation);
}

}  // namespace zov
