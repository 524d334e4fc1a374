#pragma once
// Conversions between the programs' CP932 text and UTF-8, used only at the
// borders: the screen, the console and file names on disk.
#include <optional>
#include <string>
#include <string_view>

namespace zov {

// CP932 to UTF-8; an invalid byte sequence becomes U+FFFD.
std::string cp932_to_utf8(std::string_view text);

// UTF-8 to CP932; a character CP932 cannot hold (or invalid UTF-8) becomes "?".
std::string utf8_to_cp932(std::string_view text);

// Exact conversions for file names: nothing when any character cannot be
// converted, so that a name is never written with half a character.
std::optional<std::string> cp932_to_utf8_exact(std::string_view text);
std::optional<std::string> utf8_to_cp932_exact(std::string_view text);

// File names on Linux are bytes. A name's bytes as CP932 text: the UTF-8
// form converted when the bytes are UTF-8 that CP932 can hold, else the bytes
// as they are (a name written in CP932 already). Never "?" nor U+FFFD.
std::string file_name_to_cp932(std::string_view bytes);

// The way back, for names that came from file_name_to_cp932 or from inside
// files: the UTF-8 form when there is one and a file has that name or none
// has the CP932 bytes as its name; else the bytes as they are.
std::string cp932_to_file_name(std::string_view cp932_text);

}  // namespace zov
