#pragma once
// The sections of the converter's DXF file, written in this order:
// header and tables, the start of BLOCKS, one BLOCK per symbol (block_pass),
// the end of BLOCKS, the sheet's frames and names, the INSERTs, the end.
#include "dxf/group_writer.h"
#include "symconv/converter_context.h"

namespace zov {

void write_header_and_tables(const ConverterContext& context, DxfGroupWriter& out);
void write_blocks_start(DxfGroupWriter& out);
void write_blocks_end(DxfGroupWriter& out);
// The ENTITIES section's start with the frame, title, guide lines and names;
// 0, or -1 when the list file cannot be read.
int write_sheet_entities(const ConverterContext& context, DxfGroupWriter& out);
// One INSERT per symbol at its cell, naming its block as the block pass
// does. 0, or -1 after a reported failure.
int write_inserts(const ConverterContext& context, DxfGroupWriter& out);
void write_end(DxfGroupWriter& out);

}  // namespace zov
