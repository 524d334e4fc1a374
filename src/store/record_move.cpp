#include "store/record_move.h"

namespace zov {

void move_record(EntityRecord& record, double dx, double dy) {
    record.x1 += dx;
    record.y1 += dy;
    if (record.kind == kEntityLine || record.kind == kEntityLeader || record.kind == kEntitySolid) {
        record.p56 += dx;
        record.p64 += dy;
    }
    if (record.kind == kEntitySolid) {
        record.p72 += dx;
        record.p80 += dx;
        record.p88 += dy;
        record.p96 += dy;
    }
}

}  // namespace zov
