#pragma once
// Numbers in the analyser's text files, read the standard way: leading white
// space skipped, an optional sign, digits up to the first other character;
// no digits give 0. Values beyond the range saturate instead of wrapping.
#include <string_view>

namespace zov {

long read_decimal(std::string_view text);

// read_decimal limited to the range of int.
int read_int(std::string_view text);

}  // namespace zov
