#include "dxf/group_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace zov {

namespace {

// A group that fits goes to the sink in one piece.
constexpr std::size_t kGroupBytes = 512;
// "%f" of the largest double: a sign, 309 digits, the point and six decimals.
constexpr std::size_t kLongestNumber = 320;
// Widths past this are taken as this.
constexpr int kWidestField = 16;

// Bytes gathered in a fixed array; a piece that does not fit is refused
// whole.
template <std::size_t Size>
class Bytes {
public:
    bool append(std::string_view piece) {
        if (piece.size() > Size - size_) return false;
        std::memcpy(data_ + size_, piece.data(), piece.size());
        size_ += piece.size();
        return true;
    }
    std::string_view view() const { return {data_, size_}; }

private:
    char data_[Size];
    std::size_t size_ = 0;
};

// The number right-aligned in `width` columns, in `out`; returns its text.
std::string_view right_aligned(char (&out)[kWidestField + 24], long number, int width) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    const auto length = static_cast<std::size_t>(result.ptr - digits);
    const std::size_t columns = std::clamp(width, 0, kWidestField);
    const std::size_t blanks = columns > length ? columns - length : 0;
    std::memset(out, ' ', blanks);
    std::memcpy(out + blanks, digits, length);
    return {out, blanks + length};
}

}  // namespace

void DxfGroupWriter::put(std::string_view bytes) {
    if (!sink_.write(bytes)) failed_ = true;
}

void DxfGroupWriter::text(DxfCode code, std::string_view value) {
    char code_text[kWidestField + 24];
    Bytes<kGroupBytes> group;
    if (group.append(right_aligned(code_text, code.number, code.width)) &&
        group.append(line_end_) && group.append(value) && group.append(line_end_)) {
        put(group.view());
        return;
    }
    put(right_aligned(code_text, code.number, code.width));
    put(line_end_);
    put(value);
    put(line_end_);
}

void DxfGroupWriter::texts(std::initializer_list<DxfTextGroup> groups) {
    for (const DxfTextGroup& group : groups) text(group.code, group.value);
}

void DxfGroupWriter::integer(DxfCode code, long value, int width) {
    char number[kWidestField + 24];
    text(code, right_aligned(number, value, width));
}

void DxfGroupWriter::handle(DxfCode code, unsigned long value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
    text(code, std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

// std::to_chars with a precision writes what printf's "%.Nf" writes in the
// C locale, whatever locale the program runs in. A DXF number is always
// finite: what overflowed is written as the largest number of its sign, and
// what is not a number at all as 0.
void DxfGroupWriter::fixed(DxfCode code, double value, int decimals) {
    if (std::isnan(value)) value = 0.0;
    value =
        std::clamp(value, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
    char number[kLongestNumber];
    const auto result =
        std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, decimals);
    text(code, std::string_view(number, static_cast<std::size_t>(result.ptr - number)));
}

void DxfGroupWriter::coordinate(DxfCode code, double value) { fixed(code, value, 3); }
void DxfGroupWriter::real(DxfCode code, double value) { fixed(code, value, 6); }
void DxfGroupWriter::whole(DxfCode code, double value) { fixed(code, value, 0); }

void DxfGroupWriter::verbatim(std::string_view bytes) { put(bytes); }

}  // namespace zov
