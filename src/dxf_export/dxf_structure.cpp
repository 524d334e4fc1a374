// The groups that open tables, table records and blocks.
#include "dxf_export/dxf_sections.h"

namespace zov {

void put_table_head(DxfGroupWriter& out, std::string_view name, unsigned long handle, long count) {
    out.texts({{0, "TABLE"}, {2, name}});
    out.handle(5, handle);
    out.text(100, kSymbolTableMarker);
    out.integer(70, count);
}

void put_record_head(DxfGroupWriter& out, std::string_view type, unsigned long handle,
                     std::string_view subclass, int handle_code) {
    out.text(0, type);
    out.handle(handle_code, handle);
    out.texts({{100, kSymbolTableRecordMarker}, {100, subclass}});
}

namespace {

void put_block_mark(DxfGroupWriter& out, std::string_view type, unsigned long handle,
                    bool paper_space, std::string_view subclass) {
    out.text(0, type);
    out.handle(5, handle);
    out.text(100, kEntityMarker);
    if (paper_space) out.text(67, "1");
    out.texts({{8, kLayerZero}, {100, subclass}});
}

}  // namespace

void put_block_begin(DxfGroupWriter& out, unsigned long handle, bool paper_space) {
    put_block_mark(out, "BLOCK", handle, paper_space, "AcDbBlockBegin");
}

void put_block_end(DxfGroupWriter& out, unsigned long handle, bool paper_space) {
    put_block_mark(out, "ENDBLK", handle, paper_space, "AcDbBlockEnd");
}

}  // namespace zov
