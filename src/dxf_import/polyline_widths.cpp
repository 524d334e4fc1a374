#include "dxf_import/polyline_widths.h"

#include <cmath>
#include <vector>

#include "dxf_import/dxf_context.h"
#include "dxf_import/hatch_curves.h"

namespace zov {

namespace {

// The quadrilateral of one straight piece: its start edge across `from`, its
// end edge across `to`, both square to the piece.
int write_band(DxfContext& context, const EntityRecord& base, Point2 from, Point2 to,
               double start_width, double end_width) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (length == 0) return 0;
    const Point2 across{-(to.y - from.y) / length, (to.x - from.x) / length};
    const double a = start_width / 2, b = end_width / 2;
    EntityRecord record = base;
    record.kind = kEntitySolid;
    record.solid.first_x = from.x + across.x * a;  // first corner
    record.solid.first_y = from.y + across.y * a;
    record.x1 = from.x - across.x * a;  // second corner
    record.y1 = from.y - across.y * a;
    record.solid.third_x = to.x + across.x * b;  // third corner
    record.solid.third_y = to.y + across.y * b;
    record.solid.fourth_x = to.x - across.x * b;  // fourth corner
    record.solid.fourth_y = to.y - across.y * b;
    return context.write_entity(record);
}

}  // namespace

int write_wide_segment(DxfContext& context, const EntityRecord& base, Point2 p1, Point2 p2,
                       double bulge, SegmentWidths widths) {
    std::vector<Point2> points = {p1};
    append_bulge_segment(points, p1, p2, bulge);
    // The length along the segment at each point, for the width there.
    std::vector<double> along(points.size(), 0.0);
    for (std::size_t k = 1; k < points.size(); ++k)
        along[k] =
            along[k - 1] + std::hypot(points[k].x - points[k - 1].x, points[k].y - points[k - 1].y);
    const double total = along.back();
    auto width_at = [&](std::size_t k) {
        return total > 0 ? widths.start + (widths.end - widths.start) * along[k] / total
                         : widths.start;
    };
    int written = 0;
    for (std::size_t k = 0; k + 1 < points.size(); ++k)
        written +=
            write_band(context, base, points[k], points[k + 1], width_at(k), width_at(k + 1));
    return written;
}

}  // namespace zov
