#pragma once
// The two passes over the symbol files of the list.
#include "dxf/group_writer.h"
#include "symconv/converter_context.h"

namespace zov {

// Pass 1: extents and scale of the symbols, the sheet layout (normal mode) or
// the thumbnail records of JWK_BRO.TMP (thumbnail mode), then the console
// summary and notices. 0, or -1 after a reported failure.
int survey_pass(ConverterContext& context);

// Pass 2: one BLOCK per symbol with its elements. 0, or -1 after a reported
// failure (the blocks written so far stay).
int block_pass(ConverterContext& context, DxfGroupWriter& out);

}  // namespace zov
