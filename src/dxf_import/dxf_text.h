#pragma once
// Cleaning of DXF text values (TEXT, ATTRIB, MTEXT) into the plain CP932 text
// the store keeps: MTEXT format codes and braces are dropped, the special
// character codes (%%c, %%d, %%p, \U+00B0, ...) become their CP932
// characters, "\P" line breaks stay. A double-byte character is always
// copied whole and never read as a code. A format code that does not end
// as its kind must (a number, a font name, ... and its ";") is no code and
// stays in the text as written.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zov {

// How the characters of a cleaned text from `start` on are drawn.
struct TextRun {
    std::size_t start = 0;    // offset in the cleaned text
    int colour = 0;           // index colour of its "\C" code; 0: the entity's own
    bool underlined = false;  // between "\L" and "\l", or between two "%%u"
    bool operator==(const TextRun&) const = default;
};

struct CleanedText {
    std::string text;
    // 1 or 2 when a dropped format code has 'A' as the third character after
    // its backslash and '1' or '2' as the fourth (the text asks for that
    // attachment), else 0.
    int attachment = 0;
    std::vector<TextRun> runs;  // ascending starts, the first at 0
    // The offsets of the "\P" breaks that end a column ("\N").
    std::vector<std::size_t> column_breaks;
};

// The clean form of `text`. MTEXT codes: "\P" and "\N" become "\P" line
// breaks, a stacked text "\Sa^b;" becomes "a/b", other format codes are
// dropped; "\C" colours and underlines go into the runs.
CleanedText clean_dxf_text(std::string_view text);

// Cleans `text` in place; returns the attachment the text asks for.
int decode_dxf_text(std::string& text);

// The pieces of a cleaned MTEXT text between its "\P" line breaks, at most
// `max_lines` of them (the rest is dropped).
std::vector<std::string_view> split_mtext_lines(std::string_view text, std::size_t max_lines);

// `line` cut into lines of at most `max_bytes` bytes, as an MTEXT of a
// fixed width flows its text: after a blank (dropped at the cut) or beside
// a double-byte character; a word longer than a line is never cut.
std::vector<std::string_view> wrap_mtext_line(std::string_view line, std::size_t max_bytes);

}  // namespace zov
