#pragma once
// Placing a block's entity record where an insert puts it.
#include "render/view_window.h"
#include "store/records.h"

namespace zov {

// The accumulated transform of nested inserts, and the insertion point of
// the innermost one.
struct InsertTransform {
    double x = 0.0;  // insertion point
    double y = 0.0;
    double x_scale = 1.0;
    double y_scale = 1.0;
    double rotation = 0.0;  // degrees
    double base_x = 0.0;    // the block's base point, which lands on the insertion point
    double base_y = 0.0;
    // cos and sin of `rotation`, kept by transform_record for the next
    // record of the same insert (a block has many).
    mutable double cached_rotation = 0.0;
    mutable double cos_rotation = 1.0;
    mutable double sin_rotation = 0.0;
};

// EntityRecord::flags bit that transform_record sets on a text whose base
// line a mirroring insert turned round: (x1, y1) is then the far end of its
// base line, and the text, still reading forwards, ends there (see
// text_start). Never stored.
inline constexpr std::uint8_t kTextEndsAtBase = 128;

// Moves the block's base point to the origin, then scales, rotates about the
// origin and moves the points of `record` (a copy
// of a block entity); adjusts the height, width factor and angle of texts and
// the radius, axis ratio and angles of arcs, mirrored inserts included. A
// scale of 0 counts as 1.
void transform_record(EntityRecord& record, const InsertTransform& transform);

// The box, in the block's own coordinates, of every point that `transform`
// places inside `area`; the whole plane when a corner cannot be taken back.
DrawingExtents area_in_block(const DrawingExtents& area, const InsertTransform& transform);

// The start of the base line of a text record `width` long: (x1, y1), or
// for one with kTextEndsAtBase the point `width` back along its angle.
struct TextStart {
    double x;
    double y;
};
TextStart text_start(const EntityRecord& record, double width);

// An angle in degrees brought into [0, 360] by whole turns.
double wrap_degrees(double degrees);

}  // namespace zov
