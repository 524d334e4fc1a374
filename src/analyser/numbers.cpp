#include "analyser/numbers.h"

#include <climits>

namespace zov {

long read_decimal(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r')))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        int digit = text[pos] - '0';
        if (value > (LONG_MAX - digit) / 10) {
            value = LONG_MAX;
            while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
            break;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int read_int(std::string_view text) {
    long value = read_decimal(text);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace zov
