#include "jw/jw_rounding.h"

#include <charconv>
#include <cmath>

namespace zov {

namespace {

constexpr double kDecimalScales[kJwUnroundedDecimals] = {1, 10, 100};
// Beyond this the scaled value's whole part no longer leaves room for the
// margin below; such values take the printed way.
constexpr double kDirectLimit = 1e15;
// How far (relative to the value) the scaled value must lie from a half for
// its nearest whole number to be the one the print rounds to: a few units
// in the last place, more than the product's own rounding can move it.
constexpr double kHalfMargin = 1e-15;

// Printed with `decimals` decimals and read back.
double printed_and_read(double value, int decimals) {
    // Room for the 309 integer digits of the largest double.
    char text[400];
    auto printed =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    if (printed.ec != std::errc()) return value;
    double result = value;
    std::from_chars(text, printed.ptr, result);
    return result;
}

}  // namespace

double round_coordinate(double value, int decimals) {
    if (decimals >= kJwUnroundedDecimals || decimals < 0) return value;
    // The print rounds the exact value to a whole number of hundredths
    // (tenths, units); unless the scaled value lies within its own rounding
    // error of a half, its nearest whole number is that number, and dividing
    // it by the scale gives the double nearest the printed decimal, which is
    // what reading the print back gives. Both steps are exact IEEE operations.
    const double scale = kDecimalScales[decimals];
    const double scaled = value * scale;
    if (std::fabs(scaled) < kDirectLimit) {
        const double whole = std::nearbyint(scaled);
        const double from_half = std::fabs(std::fabs(scaled - whole) - 0.5);
        if (from_half > kHalfMargin * std::fabs(scaled)) return whole / scale;
    }
    return printed_and_read(value, decimals);
}

}  // namespace zov
