#pragma once
// Numbers in DXF value lines, read the way the standard decimal conversions
// read them: leading blanks skipped, reading stops at the first character that
// does not belong to the number, no number gives 0. Unlike those conversions
// they never overflow: integers saturate and a real that is not finite
// (overflow, "inf", "nan") gives 0, so absurd input cannot poison later
// arithmetic.
#include <string_view>

namespace zov {

int parse_dxf_int(std::string_view text);
double parse_dxf_real(std::string_view text);

// True when the whole of `text`, but for blanks around it and a plus sign,
// is a finite number as the standard conversion reads it: what a real group
// of a written DXF file must hold for every reader to take it.
bool is_finite_dxf_real(std::string_view text);

}  // namespace zov
