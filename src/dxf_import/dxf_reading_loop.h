#pragma once

namespace zov {

class DxfContext;

// Reads the whole file from the current position, dispatching every item
// the importer knows to its reader; entity records count in ent_num.
void run_reading_loop(DxfContext& context);

}  // namespace zov
