// XLINE and RAY: lines without an end (both ways, or one way from their base
// point), kept as the part of them that lies in a generous box around the
// drawing: the extents known so far, grown by their size on every side, and
// always holding the base point. They do not widen the extents themselves,
// and are marked so that the view's fit leaves them out too. An XLINE keeps
// its base point at the middle of its part, a RAY at its start, so that the
// full export writes them again as what they were.
#include <algorithm>
#include <cmath>
#include <limits>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/entity_groups.h"

namespace zov {

namespace {

// Half the size of the box around a base point when nothing of the drawing
// (or only that point) is known yet.
constexpr double kLoneBoxHalfSize = 1000.0;

struct Box {
    double min_x, min_y, max_x, max_y;
};

Box drawing_box(const DxfContext& context, Point2 base) {
    const StoreHeader& header = context.state.header;
    const Extents& entities = context.state.entity_extents;
    Box box{header.min_x, header.min_y, header.max_x, header.max_y};
    if (context.state.extents_taken < 2 || box.min_x > box.max_x || box.min_y > box.max_y)
        box = {entities.min_x, entities.min_y, entities.max_x, entities.max_y};
    if (box.min_x > box.max_x || box.min_y > box.max_y) box = {base.x, base.y, base.x, base.y};
    box = {std::min(box.min_x, base.x), std::min(box.min_y, base.y), std::max(box.max_x, base.x),
           std::max(box.max_y, base.y)};
    double margin = std::max(box.max_x - box.min_x, box.max_y - box.min_y);
    if (!(margin > 0)) margin = kLoneBoxHalfSize;
    return {box.min_x - margin, box.min_y - margin, box.max_x + margin, box.max_y + margin};
}

// The part [t0, t1] of the line base + t × direction inside the box
// (Liang-Barsky), starting at `t0`; the base point lies inside, so it is
// never empty.
void clip_to_box(const Box& box, Point2 base, Point2 direction, double& t0, double& t1) {
    const double p[4] = {-direction.x, direction.x, -direction.y, direction.y};
    const double q[4] = {base.x - box.min_x, box.max_x - base.x, base.y - box.min_y,
                         box.max_y - base.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) continue;
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
}

int read_infinite_line(DxfContext& context, bool both_ways) {
    EntityRecord record;
    record.kind = kEntityLine;
    record.flags = kEntityConstructionLine;
    record.source_marks = both_ways ? kMarkXline : kMarkRay;
    Point2 base;
    Point2 direction;
    read_entity_groups(context, record, {}, kAllCommonGroups, [&](const DxfGroupReader& reader) {
        switch (reader.code()) {
            case 10: base.x = reader.real(); break;
            case 20: base.y = reader.real(); break;
            case 11: direction.x = reader.real(); break;
            case 21: direction.y = reader.real(); break;
            default: break;
        }
    });
    double t0 = both_ways ? -std::numeric_limits<double>::infinity() : 0.0;
    double t1 = std::numeric_limits<double>::infinity();
    if (direction.x == 0 && direction.y == 0) t0 = t1 = 0.0;  // no direction: its base point
    clip_to_box(drawing_box(context, base), base, direction, t0, t1);
    record.x1 = base.x + t0 * direction.x;
    record.y1 = base.y + t0 * direction.y;
    record.line.end_x = base.x + t1 * direction.x;
    record.line.end_y = base.y + t1 * direction.y;
    return context.write_entity(record);
}

}  // namespace

int read_xline(DxfContext& context) { return read_infinite_line(context, true); }

int read_ray(DxfContext& context) { return read_infinite_line(context, false); }

}  // namespace zov
