#include "dxf/structure_writer.h"

namespace zov {

void put_section_start(DxfGroupWriter& out, std::string_view name) {
    out.texts({{0, "SECTION"}, {2, name}});
}

void put_section_end(DxfGroupWriter& out) { out.text(0, "ENDSEC"); }

void put_table_end(DxfGroupWriter& out) { out.text(0, "ENDTAB"); }

}  // namespace zov
