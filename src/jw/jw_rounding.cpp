#include "jw/jw_rounding.h"

#include <charconv>

namespace zov {

double round_coordinate(double value, int decimals) {
    if (decimals >= kJwUnroundedDecimals || decimals < 0) return value;
    // Room for the 309 integer digits of the largest double.
    char text[400];
    auto printed = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (printed.ec != std::errc()) return value;
    double result = value;
    std::from_chars(text, printed.ptr, result);
    return result;
}

}  // namespace zov
