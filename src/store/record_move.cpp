#include "store/record_move.h"

namespace zov {

void move_record(EntityRecord& record, double dx, double dy) {
    for_each_point(record, [&](double& x, double& y) {
        x += dx;
        y += dy;
    });
}

void scale_record(EntityRecord& record, double s) {
    for_each_point(record, [&](double& x, double& y) {
        x *= s;
        y *= s;
    });
    if (record.kind == kEntityArc) record.arc.radius *= s;
    if (record.kind == kEntityText) record.text.height *= s;
}

}  // namespace zov
