#include "dxf/numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace zov {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view skip_blanks(std::string_view text) {
    if (text.empty() || !is_blank(text.front())) return text;
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    return text.substr(i);
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kMostPlainDigits = 15;

// The usual DXF real, an optional minus and at most 15 digits around a
// point, without the general conversion: the digits as an integer and the
// power of ten are both exact doubles, so the one division rounds exactly as
// the full conversion rounds the decimal. False (nothing taken) for anything
// else: more digits, an exponent, no digit at all.
bool parse_plain_decimal(std::string_view text, double& value) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    std::uint64_t digits = 0;
    int count = 0, decimals = 0;
    auto take_digits = [&](int& counted) {
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (++count > kMostPlainDigits) return false;
            digits = digits * 10 + static_cast<unsigned>(text[i] - '0');
            ++counted;
        }
        return true;
    };
    int whole = 0;
    if (!take_digits(whole)) return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!take_digits(decimals)) return false;
    }
    if (count == 0 || (i < text.size() && (text[i] == 'e' || text[i] == 'E'))) return false;
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

int parse_dxf_int(std::string_view text) {
    text = skip_blanks(text);
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

double parse_dxf_real(std::string_view text) {
    text = skip_blanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0.0;
    if (parse_plain_decimal(text, value)) return value;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0.0;
    return value;
}

bool is_finite_dxf_real(std::string_view text) {
    text = skip_blanks(text);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && result.ec == std::errc() && result.ptr == text.data() + text.size() &&
           std::isfinite(value);
}

}  // namespace zov
