#include "jw/jww_strings.h"

#include <algorithm>
#include <cstdint>

#include "common/cp932.h"
#include "common/encoding.h"

namespace zov {

namespace {

constexpr std::uint8_t kLongerLength = 0xFF;
constexpr std::uint16_t kUnicodeMark = 0xFFFE;
constexpr std::uint16_t kDwordLength = 0xFFFF;
constexpr std::uint32_t kQwordLength = 0xFFFFFFFF;

enum class Prefix { Length, UnicodeMark, Unreadable };

// One length prefix: a byte, FF + WORD, or FF FFFF + DWORD.
Prefix read_length(JwwByteSource& source, std::int64_t& length) {
    const std::uint8_t byte = source.u8();
    if (byte != kLongerLength) {
        length = byte;
        return Prefix::Length;
    }
    const std::uint16_t word = source.u16();
    if (word == kUnicodeMark) return Prefix::UnicodeMark;
    if (word != kDwordLength) {
        length = word;
        return Prefix::Length;
    }
    const std::uint32_t dword = source.u32();
    if (dword == kQwordLength) return Prefix::Unreadable;
    length = dword;
    return Prefix::Length;
}

void append_utf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

bool is_high_surrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string utf16le_to_utf8(std::string_view units) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    std::string out;
    out.reserve(units.size() * 3 / 2);
    auto unit_at = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(units[i])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(units[i + 1])) << 8;
    };
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const std::uint32_t unit = unit_at(i);
        if (is_high_surrogate(unit) && i + 3 < units.size() && is_low_surrogate(unit_at(i + 2))) {
            append_utf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unit_at(i + 2) - 0xDC00));
            i += 2;
        } else {
            append_utf8(out,
                        is_high_surrogate(unit) || is_low_surrogate(unit) ? kReplacement : unit);
        }
    }
    return out;
}

bool read_jww_string(JwwByteSource& source, std::string& text) {
    text.clear();
    std::int64_t length = 0;
    Prefix prefix = read_length(source, length);
    const bool unicode = prefix == Prefix::UnicodeMark;
    if (unicode) prefix = read_length(source, length);
    if (prefix != Prefix::Length) return false;

    const std::int64_t bytes = unicode ? 2 * length : length;
    const auto kept = std::min<std::int64_t>(bytes, kJwwStringKeep);
    if (!unicode) {
        // A string cut to what is kept also takes the byte after the cut, so
        // that a double-byte character across the cut is seen whole and left out.
        const std::int64_t taken = kept < bytes ? kept + 1 : kept;
        source.append(text, taken);
        source.skip(bytes - taken);
        if (kept < bytes) text.resize(safe_prefix_length(text, static_cast<std::size_t>(kept)));
        return true;
    }
    std::string units;
    source.append(units, kept);
    source.skip(bytes - kept);
    text = utf8_to_cp932(utf16le_to_utf8(units));
    return true;
}

}  // namespace zov
