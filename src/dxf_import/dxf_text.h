#pragma once
// Cleaning of DXF text values (TEXT, ATTRIB, MTEXT) into the plain CP932 text
// the store keeps: MTEXT format codes and braces are dropped, the special
// character codes (%%c, %%d, %%p, \U+00B0, ...) become their CP932
// characters, "\P" line breaks stay. A double-byte character is always
// copied whole and never read as a code.
#include <string>
#include <string_view>
#include <vector>

namespace zov {

// Cleans `text` in place. Returns 1 or 2 when a dropped format code has 'A'
// as the third character after its backslash and '1' or '2' as the fourth
// (the text asks for that attachment), else 0. MTEXT codes: "\P" and "\N"
// become "\P" line breaks, a stacked text "\Sa^b;" becomes "a/b", other
// format codes are dropped. `line_colours`, when given, receives per line
// the index colour of its first character's "\C" code (0 for none).
int decode_dxf_text(std::string& text, std::vector<int>* line_colours = nullptr);

// The pieces of a cleaned MTEXT text between its "\P" line breaks, at most
// `max_lines` of them (the rest is dropped).
std::vector<std::string_view> split_mtext_lines(std::string_view text, std::size_t max_lines);

// `line` cut into lines of at most `max_bytes` bytes, as an MTEXT of a
// fixed width flows its text: after a blank (dropped at the cut) or beside
// a double-byte character; a word longer than a line is never cut.
std::vector<std::string_view> wrap_mtext_line(std::string_view line, std::size_t max_bytes);

}  // namespace zov
