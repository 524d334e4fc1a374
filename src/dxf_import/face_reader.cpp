// 3DFACE: a face of three or four corners, drawn as its outline seen from
// above; the edges that its flags (group 70) mark invisible are left out.
#include <array>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/entity_groups.h"

namespace zov {

int read_3dface(DxfContext& context) {
    EntityRecord base;
    std::array<Point2, 4> corners;
    int invisible_edges = 0;
    read_entity_groups(context, base, {}, kAllCommonGroups, [&](const DxfGroupReader& reader) {
        const int code = reader.code();
        if (code >= 10 && code <= 13)
            corners[static_cast<std::size_t>(code - 10)].x = reader.real();
        if (code >= 20 && code <= 23)
            corners[static_cast<std::size_t>(code - 20)].y = reader.real();
        if (code == 70) invisible_edges = reader.integer();
    });
    int written = 0;
    for (std::size_t edge = 0; edge < corners.size(); ++edge) {
        const Point2 from = corners[edge];
        const Point2 to = corners[(edge + 1) % corners.size()];
        // A triangle repeats its third corner as the fourth: no edge there.
        if ((invisible_edges & (1 << edge)) != 0 || (from.x == to.x && from.y == to.y)) continue;
        written += write_two_point_record(context, base, kEntityLine, from, to, true);
    }
    return written;
}

}  // namespace zov
