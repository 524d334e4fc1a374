#pragma once
// The built-in item-name table: every DXF header variable and item type the
// analyser names in Japanese, header variables first.
#include <cstddef>

#include "analyser/context.h"

namespace zov {

struct ItemNameRow {
    const char* name;
    const char* comment;  // UTF-8 as written in the sources; at most 16 bytes in CP932
};

// The rows of the built-in table in their order.
const ItemNameRow* builtin_item_rows(std::size_t& count);

// Writes the built-in table to _ZOV_.CSV in the start folder (CR LF lines,
// "NAME,comment"); false after a message when it cannot be written.
bool write_default_item_table(AnalyserContext& context);

}  // namespace zov
