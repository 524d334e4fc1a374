#include "jw/jw_header.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace zov {

namespace {

constexpr std::string_view kDataMagic = "jw_cad(c)data";
constexpr std::string_view kSymbolMagic = "jw_cad(c)sym";
constexpr int kRealVariantByte = 22;
constexpr int kMaxDataFields = 31;

// The text of a header block: up to its first NUL, at most the whole block.
std::string_view block_text(const JwBlock& block) {
    const void* nul = std::memchr(block, '\0', kJwBlockSize);
    std::size_t n =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - block) : kJwBlockSize;
    return std::string_view(block, n);
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decimal conversions in the manner of the C library's, but independent of
// the locale: blanks are skipped, a sign is taken, and conversion stops at the
// first character that does not fit. `text` advances past what was used.
// Integers saturate at the 32-bit range.
bool read_integer(std::string_view& text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::size_t digits = i;
    std::int64_t magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), std::int64_t{1} << 32);
        ++i;
    }
    if (i == digits) return false;
    std::int64_t signed_value = negative ? -magnitude : magnitude;
    value = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(signed_value, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
    text.remove_prefix(i);
    return true;
}

// A real that is not finite (inf, nan, or out of range) reads as 0.
bool read_real(std::string_view& text, double& value) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) return false;
    double magnitude = 0;
    auto result = std::from_chars(text.data() + i, text.data() + text.size(), magnitude,
                                  std::chars_format::general);
    if (result.ptr == text.data() + i) return false;
    value = std::isfinite(magnitude) && result.ec == std::errc()
                ? (negative ? -magnitude : magnitude)
                : 0.0;
    text.remove_prefix(static_cast<std::size_t>(result.ptr - text.data()));
    return true;
}

std::int32_t integer_of(std::string_view text) {
    std::int32_t value = 0;
    read_integer(text, value);
    return value;
}

double real_of(std::string_view text) {
    double value = 0;
    read_real(text, value);
    return value;
}

std::int32_t count_of(std::int32_t value) { return std::max<std::int32_t>(value, 0); }

// The comma-separated fields of a block's text, at most `max_fields`.
std::vector<std::string_view> split_fields(std::string_view text, int max_fields) {
    std::vector<std::string_view> fields;
    while (static_cast<int>(fields.size()) < max_fields) {
        std::size_t comma = text.find(',');
        fields.push_back(text.substr(0, comma));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return fields;
}

// The nine fields of a symbol count block, in order: which are integers.
constexpr bool kSymbolFieldIsInteger[9] = {true,  true,  true, true, false,
                                           false, false, true, false};

void store_symbol_field(JwSymbolCounts& counts, int field, std::int32_t integer, double real) {
    switch (field) {
        case 0: counts.lines = count_of(integer); break;
        case 1: counts.circles = count_of(integer); break;
        case 2: counts.points = count_of(integer); break;
        case 3: counts.texts = count_of(integer); break;
        case 4:
        case 5:
        case 6: counts.unused[field - 4] = static_cast<float>(real); break;
        case 7: counts.text_area_length = integer; break;
        case 8: counts.scale = static_cast<float>(real); break;
    }
}

// A float field that overflows single precision reads as 0, like any other
// real that is not finite.
double single_precision(double real) {
    return std::fabs(real) <= std::numeric_limits<float>::max() ? real : 0.0;
}

JwSymbolCounts symbol_counts_by_pattern(std::string_view text) {
    JwSymbolCounts counts;
    for (int field = 0; field < 9; ++field) {
        if (field > 0) {
            if (text.empty() || text.front() != ',') break;
            text.remove_prefix(1);
        }
        std::int32_t integer = 0;
        double real = 0;
        bool ok =
            kSymbolFieldIsInteger[field] ? read_integer(text, integer) : read_real(text, real);
        if (!ok) break;
        store_symbol_field(counts, field, integer, single_precision(real));
        counts.fields_read = field + 1;
    }
    return counts;
}

JwSymbolCounts symbol_counts_by_fields(std::string_view text) {
    JwSymbolCounts counts;
    std::vector<std::string_view> fields = split_fields(text, 9);
    for (int field = 0; field < static_cast<int>(fields.size()); ++field) {
        store_symbol_field(counts, field, integer_of(fields[field]),
                           single_precision(real_of(fields[field])));
    }
    counts.fields_read = static_cast<int>(fields.size());
    return counts;
}

// One hexadecimal number of block 4, read up to its first non-hexadecimal
// character; saturates far above any real file size.
std::int64_t hex_at(const JwBlock& block, std::size_t start) {
    std::int64_t value = 0;
    for (std::size_t i = start; i < kJwBlockSize; ++i) {
        char c = block[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            break;
        value = std::min<std::int64_t>(value * 16 + digit, std::int64_t{1} << 40);
    }
    return value;
}

}  // namespace

JwFileClass classify_jw_file(const JwBlock& block1) {
    JwFileClass result;
    std::string_view start(block1, kJwBlockSize);
    if (start.starts_with(kDataMagic)) {
        result.kind = JwFileKind::Data;
        result.real_variant = block1[kRealVariantByte] == 'f';
    } else if (start.starts_with(kSymbolMagic)) {
        result.kind = JwFileKind::Symbol;
    }
    return result;
}

JwSymbolCounts parse_symbol_counts(const JwBlock& block2, JwProgram program) {
    std::string_view text = block_text(block2);
    return program == JwProgram::Viewer ? symbol_counts_by_pattern(text)
                                        : symbol_counts_by_fields(text);
}

JwDataCounts parse_data_counts(const JwBlock& block2) {
    JwDataCounts counts;
    std::vector<std::string_view> fields = split_fields(block_text(block2), kMaxDataFields);
    counts.fields_read = static_cast<int>(fields.size());
    auto field = [&](int number) { return fields[static_cast<std::size_t>(number - 1)]; };
    auto present = [&](int number) { return number <= counts.fields_read; };
    if (present(1)) counts.lines = count_of(integer_of(field(1)));
    if (present(2)) counts.circles = count_of(integer_of(field(2)));
    if (present(3)) counts.texts = count_of(integer_of(field(3)));
    if (present(4)) counts.points = count_of(integer_of(field(4)));
    if (present(10)) counts.scale = real_of(field(10));
    if (present(12)) counts.paper_code = integer_of(field(12));
    if (present(19)) counts.editing_time = integer_of(field(19));
    if (present(31)) counts.paper_width = integer_of(field(31));
    return counts;
}

std::int64_t text_area_length(const JwBlock& block4) {
    std::int64_t first = hex_at(block4, 0) * 16 + hex_at(block4, 5);
    std::int64_t second = hex_at(block4, 10) * 16 + hex_at(block4, 15);
    return second - first;
}

JwPaperSize jw_paper_size(std::int32_t code) {
    switch (code) {
        case 0: return {1189, 841};
        case 1: return {841, 594};
        case 2: return {594, 420};
        case 3: return {420, 297};
        case 4: return {297, 210};
        case 8: return {1682, 1188};
        case 9: return {2378, 1682};
        case 10: return {3364, 2376};
        case 11: return {4756, 3364};
        case 12: return {10000, static_cast<int>(10000 / 1.4141356)};
        default: return {841, 594};
    }
}

long jw_element_offset(bool real_variant) {
    return kJwElementOffset + (real_variant ? kJwRealVariantShift : 0);
}

}  // namespace zov
