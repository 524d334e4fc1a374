#pragma once
// Shift-JIS (code page 932) byte handling. All text inside the programs is
// CP932 bytes; these helpers count and cut bytes without ever splitting a
// double-byte character.
#include <cstddef>
#include <string>
#include <string_view>

namespace zov {

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool is_lead_byte(unsigned char byte);

// The full-width double-byte form of one single-byte character, as the
// platform's single-to-double-byte conversion gives it: printable ASCII to
// full-width ASCII, half-width katakana and punctuation to their full-width
// forms. A byte without such a form is returned unchanged (one byte).
std::string to_full_width(unsigned char byte);

// Length of the longest prefix of `text` that fits in `max_bytes` and does
// not end inside a double-byte character.
std::size_t safe_prefix_length(std::string_view text, std::size_t max_bytes);

// Copies `text` into the fixed buffer `dest` of `dest_size` bytes, always
// NUL-terminated, cut so that no double-byte character is split. Returns the
// number of text bytes copied.
std::size_t copy_bounded(char* dest, std::size_t dest_size, std::string_view text);

template <std::size_t N>
std::size_t copy_bounded(char (&dest)[N], std::string_view text) {
    return copy_bounded(dest, N, text);
}

// A name read from inside a file, which is a name and never a path: the part
// after its last folder mark ("/", or a backslash that is not the second
// byte of a double-byte character, as a name written on Windows holds); ""
// when that is empty, "." or "..".
std::string name_without_folders(std::string_view cp932_text);

// The text of a fixed, NUL-terminated buffer; stops at the buffer's end when
// no NUL is found.
template <std::size_t N>
std::string_view fixed_text(const char (&buffer)[N]) {
    std::size_t n = 0;
    while (n < N && buffer[n] != '\0') ++n;
    return std::string_view(buffer, n);
}

}  // namespace zov
