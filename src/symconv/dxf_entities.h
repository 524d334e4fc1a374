#pragma once
// The layers of the converter's DXF file and the groups its entities share.
#include <string_view>

#include "dxf/group_writer.h"
#include "store/records.h"
#include "symconv/element_sink.h"

namespace zov {

// The symbols' elements and their inserts.
inline constexpr char kSymbolLayer[] = "Zukei";
// The sheet's frame and title, the symbols' names, the guide lines.
inline constexpr char kFrameLayer[] = "Waku";
inline constexpr char kNameLayer[] = "Fname";
inline constexpr char kGuideLayer[] = "AddLine";

inline constexpr const char* kContinuous = line_type_name(kLineContinuous);
// The text style of vertical writing.
inline constexpr char kVerticalTextStyle[] = "TATEGAKI";

// "0 type", the layer, the line type and the colour in three columns.
void put_entity_head(DxfGroupWriter& out, std::string_view type, std::string_view layer,
                     const DxfPen& pen);
// x and y with three decimals under `code` and `code` + 10.
void put_xy(DxfGroupWriter& out, int code, double x, double y);
// A LINE from (x1, y1) to (x2, y2).
void put_line(DxfGroupWriter& out, std::string_view layer, const DxfPen& pen, double x1, double y1,
              double x2, double y2);

}  // namespace zov
