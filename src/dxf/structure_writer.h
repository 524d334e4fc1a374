#pragma once
// The groups alike in every writer: those that open and close sections and
// tables, and the body of a text style record.
#include <string_view>

#include "dxf/group_writer.h"

namespace zov {

// The layer every DXF file has.
inline constexpr char kLayerZero[] = "0";

// "0 SECTION 2 name" and "0 ENDSEC".
void put_section_start(DxfGroupWriter& out, std::string_view name);
void put_section_end(DxfGroupWriter& out);
// "0 ENDTAB".
void put_table_end(DxfGroupWriter& out);

// A STYLE record's groups after its head: the name, the flags, no fixed
// height, width 1, upright, and the font and big font files.
void put_text_style_body(DxfGroupWriter& out, std::string_view name, std::string_view flags,
                         std::string_view font, std::string_view big_font);

}  // namespace zov
