// Records of two points (lines, leader legs, pattern dots) that the readers
// of the kinds made of many segments write one after the other.
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_readers.h"

namespace zov {

int write_two_point_record(DxfContext& context, const EntityRecord& base, std::int32_t kind,
                           Point2 from, Point2 to, bool reported) {
    EntityRecord record = base;
    record.kind = kind;
    record.x1 = from.x;
    record.y1 = from.y;
    record.line.end_x = to.x;
    record.line.end_y = to.y;
    if (reported) {
        context.report_point(from.x, from.y);
        context.report_point(to.x, to.y);
    }
    return context.write_entity(record);
}

}  // namespace zov
