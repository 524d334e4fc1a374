#include "symconv/dxf_entities.h"

namespace zov {

void put_entity_head(DxfGroupWriter& out, std::string_view type, std::string_view layer,
                     const DxfPen& pen) {
    out.texts({{0, type}, {8, layer}, {6, pen.line_type}});
    out.colour(62, pen.colour);
}

void put_xy(DxfGroupWriter& out, int code, double x, double y) {
    out.coordinate(code, x);
    out.coordinate(code + 10, y);
}

void put_line(DxfGroupWriter& out, std::string_view layer, const DxfPen& pen, double x1, double y1,
              double x2, double y2) {
    put_entity_head(out, "LINE", layer, pen);
    put_xy(out, 10, x1, y1);
    put_xy(out, 11, x2, y2);
}

}  // namespace zov
