#pragma once
// The groups that open and close sections and tables, alike in every writer.
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

}  // namespace zov
