#pragma once
// The strings of a JW_CAD for Windows file: a length prefix in one of three
// sizes, then single-byte (Shift-JIS) characters, or after the Unicode mark
// UTF-16LE code units. Both forms reach the program as CP932.
#include <string>
#include <string_view>

#include "jw/jww_byte_source.h"

namespace zov {

// Strings longer than this keep only their first bytes (never half a
// character); the rest is passed over.
constexpr std::size_t kJwwStringKeep = std::size_t{1} << 20;

// Reads one string into `text` as CP932. False when the prefix cannot be a
// string prefix (a second Unicode mark, a 64-bit length); a string longer
// than the input marks the source as cut short.
bool read_jww_string(JwwByteSource& source, std::string& text);

// UTF-16LE code units as UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16le_to_utf8(std::string_view units);

}  // namespace zov
