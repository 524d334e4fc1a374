#include "dxf/structure_writer.h"

namespace zov {

void put_section_start(DxfGroupWriter& out, std::string_view name) {
    out.texts({{0, "SECTION"}, {2, name}});
}

void put_section_end(DxfGroupWriter& out) { out.text(0, "ENDSEC"); }

void put_table_end(DxfGroupWriter& out) { out.text(0, "ENDTAB"); }

void put_text_style_body(DxfGroupWriter& out, std::string_view name, std::string_view flags,
                         std::string_view font, std::string_view big_font) {
    out.texts({{2, name},
               {70, flags},
               {40, "0.0"},
               {41, "1.0"},
               {50, "0.0"},
               {71, "0"},
               {42, "0.0"},
               {3, font},
               {4, big_font}});
}

}  // namespace zov
