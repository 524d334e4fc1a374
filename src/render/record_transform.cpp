#include "render/record_transform.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace zov {

namespace {

void rotate(double& x, double& y, double cos_r, double sin_r) {
    const double rx = x * cos_r - y * sin_r;
    const double ry = x * sin_r + y * cos_r;
    x = rx;
    y = ry;
}

// The text's height, width factor and angle under the insert's scales: the
// height follows the y scale and the width the x scale, so the text's own
// width factor grows by their ratio.
void transform_text(EntityRecord& text, double sx, double sy, double rotation) {
    const double f = std::abs(sy) / std::abs(sx);
    text.p64 *= std::abs(sy);
    text.p56 = (text.p56 == 0.0 ? 1.0 : text.p56) / f;
    double angle = text.p80 * f + rotation;
    if (sx > 0.0 && sy < 0.0) {
        angle = 180.0 - angle;
    } else if (sx < 0.0 && sy > 0.0) {
        angle = 360.0 - angle;
    } else if (sx < 0.0 && sy < 0.0) {
        angle += 180.0;
    }
    text.p80 = angle;
}

// The arc's rotation, radius, axis ratio and angles under the insert's
// scales. The radius takes the sign of the x scale; with the start and end
// angles exchanged for a mirror this keeps the arc counter-clockwise. An
// elliptic arc keeps its own axis ratio, multiplied by the ratio of the
// scales, so that it stays an ellipse under equal scales.
void transform_arc(EntityRecord& arc, double sx, double sy, double rotation) {
    arc.p80 = wrap_degrees(arc.p80 + rotation);
    arc.p88 = wrap_degrees(arc.p88);
    arc.p96 = wrap_degrees(arc.p96);
    arc.p72 *= sx;
    arc.p56 *= std::abs(sy) / std::abs(sx);
    if ((sx < 0.0) != (sy < 0.0)) {
        const double start = 360.0 - arc.p96;
        const double end = 360.0 - arc.p88;
        arc.p88 = start;
        arc.p96 = end;
    }
    if (arc.p56 == 1.0) {
        arc.p88 += arc.p80;
        arc.p96 += arc.p80;
    }
}

}  // namespace

double wrap_degrees(double degrees) {
    if (degrees >= 0.0 && degrees <= 360.0) return degrees;
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped < 0.0) wrapped += 360.0;
    return wrapped;
}

void transform_record(EntityRecord& record, const InsertTransform& transform) {
    const double sx = transform.x_scale == 0.0 ? 1.0 : transform.x_scale;
    const double sy = transform.y_scale == 0.0 ? 1.0 : transform.y_scale;
    // Lines and leaders have a second point; solids four corners.
    const bool two_points = record.kind == kEntityLine || record.kind == kEntityLeader;
    const bool solid = record.kind == kEntitySolid;

    record.x1 -= transform.base_x;
    record.y1 -= transform.base_y;
    if (two_points || solid) {
        record.p56 -= transform.base_x;
        record.p64 -= transform.base_y;
    }
    if (solid) {
        record.p72 -= transform.base_x;
        record.p80 -= transform.base_x;
        record.p88 -= transform.base_y;
        record.p96 -= transform.base_y;
    }

    record.x1 *= sx;
    record.y1 *= sy;
    if (two_points || solid) {
        record.p56 *= sx;
        record.p64 *= sy;
    }
    if (solid) {
        record.p72 *= sx;
        record.p80 *= sx;
        record.p88 *= sy;
        record.p96 *= sy;
    }

    if (transform.rotation != 0.0) {
        if (transform.rotation != transform.cached_rotation) {
            const double r = transform.rotation * std::numbers::pi / 180.0;
            transform.cos_rotation = std::cos(r);
            transform.sin_rotation = std::sin(r);
            transform.cached_rotation = transform.rotation;
        }
        const double c = transform.cos_rotation, s = transform.sin_rotation;
        rotate(record.x1, record.y1, c, s);
        if (two_points || solid) rotate(record.p56, record.p64, c, s);
        if (solid) {
            rotate(record.p72, record.p88, c, s);
            rotate(record.p80, record.p96, c, s);
        }
    }

    record.x1 += transform.x;
    record.y1 += transform.y;
    if (two_points || solid) {
        record.p56 += transform.x;
        record.p64 += transform.y;
    }
    if (solid) {
        record.p72 += transform.x;
        record.p80 += transform.x;
        record.p88 += transform.y;
        record.p96 += transform.y;
    }

    if (record.kind == kEntityText) transform_text(record, sx, sy, transform.rotation);
    if (record.kind == kEntityArc) transform_arc(record, sx, sy, transform.rotation);
}

}  // namespace zov
