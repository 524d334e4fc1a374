#pragma once
// Block names made from symbol file names.
#include <string>
#include <string_view>
#include <vector>

namespace zov {

// Longest block name written.
inline constexpr std::size_t kLongestBlockName = 1000;

// Cleans a symbol's name (CP932, without folder and extension) into its block
// name. With `ascii_names` only single-byte letters and digits are kept; a
// name that lost characters gets `name_counter` + 1 appended ("JWK%d" when
// nothing is left) and the counter moves on. Without it every single-byte
// character from 123 to 223 ({ | } ~ and the half-width katakana) becomes its
// full-width form. Control characters, which would break the DXF line
// structure, become blanks. At most 1000 bytes, never half a character.
std::string clean_block_name(std::string_view name, bool ascii_names, int& name_counter);

// The block names of a library's symbols (names without folder and
// extension, CP932, in list order): each cleaned by clean_block_name, with
// one running counter from 0. DXF block names must differ, in any letter
// case: a name an earlier block already has (a.jwk and A.JWK, or A.JWK and
// A.JWS) gets the counter's next number appended, until it is free.
std::vector<std::string> library_block_names(const std::vector<std::string>& symbol_names,
                                             bool ascii_names);

// A text for a DXF value line: control characters (a line end inside a name
// or a text would split the DXF line) become blanks.
std::string dxf_value_text(std::string_view text);

}  // namespace zov
