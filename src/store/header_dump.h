#pragma once
// The readable dump of a store header (ZovJwc.txt) that the JW_CAD import
// writes after the assembly, so that a user can check what was imported.
#include <string>

#include "store/records.h"

namespace zov {

class ImportState;

// The 26 dump lines of `header`, each ended by "\n".
std::string header_dump_text(const StoreHeader& header);

// Writes the dump of the state's header to ZovJwc.txt in the program folder
// (text mode, lines end in CR LF). 0, or -1 after "ZovView.txt をオープンできない".
int write_header_dump(ImportState& state);

}  // namespace zov
