#pragma once
// Moving and scaling an entity record as a whole.
#include "store/records.h"

namespace zov {

// Calls `visit(x, y)` with each point of the record that moves with it: the
// first point (x1, y1), the end point of lines and leader legs, the other
// three corners of solids.
template <class Visit>
void for_each_point(EntityRecord& record, Visit visit) {
    visit(record.x1, record.y1);
    if (record.kind == kEntityLine || record.kind == kEntityLeader) {
        visit(record.line.end_x, record.line.end_y);
    } else if (record.kind == kEntitySolid) {
        visit(record.solid.first_x, record.solid.first_y);
        visit(record.solid.third_x, record.solid.third_y);
        visit(record.solid.fourth_x, record.solid.fourth_y);
    }
}

// Moves every point of the record by (dx, dy).
void move_record(EntityRecord& record, double dx, double dy);

// Scales the record about the origin by `s`: its points, an arc's radius and
// a text's height (a paper-space entity drawn at the paper's scale).
void scale_record(EntityRecord& record, double s);

}  // namespace zov
