// Every Japanese text in the programs' source is written readably in UTF-8:
// a text written as CP932 byte escapes cannot be read or checked (src/ and
// apps/). The libraries below src/ work in CP932, so each of their texts must
// exist in CP932, or it would reach the user as "?"; this holds wherever the
// text is written (the list of common/japanese_texts.def, a message written
// at its call). The windows in apps/ may show UTF-8 texts as they are.
// Tests write their Japanese texts readably too (utf8_to_cp932("壁")); a test
// whose point is the bytes themselves says so in a comment on the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/encoding.h"

namespace zov {
namespace {

struct Literal {
    std::string place;  // file:line
    std::string text;   // the literal's source characters, escapes left out
    bool escaped_high_byte = false;
    // An escape begins a whole CP932 double-byte character or UTF-8 sequence.
    bool escaped_character = false;
    int line = 0;
    std::string comment;  // the comments of its line and of the line above
};

bool is_hex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

bool in(unsigned char c, unsigned low, unsigned high) { return c >= low && c <= high; }

// Whether `bytes` at `i` begins a CP932 double-byte character or a UTF-8
// sequence of two to four bytes.
bool starts_character(const std::string& bytes, std::size_t i) {
    auto at = [&](std::size_t k) {
        return k < bytes.size() ? static_cast<unsigned char>(bytes[k]) : 0;
    };
    const unsigned char lead = at(i);
    const unsigned char trail = at(i + 1);
    if ((in(lead, 0x81, 0x9F) || in(lead, 0xE0, 0xFC)) &&
        (in(trail, 0x40, 0x7E) || in(trail, 0x80, 0xFC)))
        return true;
    const std::size_t length = in(lead, 0xC2, 0xDF)   ? 2
                               : in(lead, 0xE0, 0xEF) ? 3
                               : in(lead, 0xF0, 0xF4) ? 4
                                                      : 0;
    for (std::size_t k = 1; k < length; ++k)
        if (!in(at(i + k), 0x80, 0xBF)) return false;
    return length > 0;
}

// The string literals of C++ source, outside comments and character literals.
std::vector<Literal> string_literals(const std::string& source, const std::string& file) {
    std::vector<Literal> found;
    std::map<int, std::string> comments;
    int line = 1;
    std::size_t i = 0;
    auto advance = [&](std::size_t n) {
        for (; n > 0 && i < source.size(); --n, ++i)
            if (source[i] == '\n') ++line;
    };
    while (i < source.size()) {
        if (source.compare(i, 2, "//") == 0) {
            const std::size_t end = std::min(source.find('\n', i), source.size());
            comments[line] += source.substr(i, end - i);
            advance(end - i);
        } else if (source.compare(i, 2, "/*") == 0) {
            const std::size_t end = source.find("*/", i + 2);
            advance(end == std::string::npos ? source.size() - i : end + 2 - i);
        } else if (source[i] == '"' || source[i] == '\'') {
            const char quote = source[i];
            Literal literal;
            literal.place = file + ":" + std::to_string(line);
            literal.line = line;
            std::string bytes;                 // the literal's bytes, escapes decoded
            std::vector<std::size_t> escaped;  // where escapes of high bytes put theirs
            advance(1);
            while (i < source.size() && source[i] != quote && source[i] != '\n') {
                if (source[i] != '\\') {
                    literal.text += source[i];
                    bytes += source[i];
                    advance(1);
                } else if (i + 1 < source.size() && source[i + 1] == 'x') {
                    std::size_t end = i + 2;
                    while (end < source.size() && is_hex(source[end])) ++end;
                    const unsigned long value =
                        std::stoul(source.substr(i + 2, end - i - 2), nullptr, 16);
                    if (value >= 0x80) {
                        literal.escaped_high_byte = true;
                        escaped.push_back(bytes.size());
                    }
                    bytes += static_cast<char>(value);
                    advance(end - i);
                } else {
                    if (i + 1 < source.size()) bytes += source[i + 1];
                    advance(2);
                }
            }
            advance(1);
            for (std::size_t at : escaped) literal.escaped_character |= starts_character(bytes, at);
            if (quote == '"') found.push_back(literal);
        } else {
            advance(1);
        }
    }
    for (Literal& literal : found)
        literal.comment = comments[literal.line - 1] + comments[literal.line];
    return found;
}

std::vector<Literal> source_literals(std::initializer_list<const char*> folders) {
    std::vector<Literal> all;
    const std::filesystem::path root(ZOV_SOURCE_DIR);
    for (const char* folder : folders) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".cpp" && extension != ".h" && extension != ".def") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const std::string file = std::filesystem::relative(entry.path(), root).string();
            for (Literal& literal : string_literals(bytes.str(), file)) all.push_back(literal);
        }
    }
    return all;
}

bool has_non_ascii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return true;
    return false;
}

TEST(SourceTexts, JapaneseTextsAreReadableUtf8ThatCp932Holds) {
    const std::vector<Literal> literals = source_literals({"src", "apps"});
    ASSERT_GT(literals.size(), 1000u);
    int japanese = 0;
    for (const Literal& literal : literals) {
        if (has_non_ascii(literal.text) && literal.place.rfind("src/", 0) == 0) {
            ++japanese;
            EXPECT_TRUE(utf8_to_cp932_exact(literal.text).has_value())
                << literal.place << ": \"" << literal.text << "\" has a character CP932 lacks";
        }
        // The converter's own replacement character is UTF-8 bytes, not a text.
        if (literal.escaped_high_byte && literal.place.rfind("src/common/encoding.cpp:", 0) != 0)
            ADD_FAILURE() << literal.place << ": text written as byte escapes";
    }
    EXPECT_GT(japanese, 100);
}

// The tests of the converters themselves compare with known codes.
bool checks_known_codes(const std::string& place) {
    for (const char* file :
         {"tests/common/cp932_test.cpp:", "tests/common/japanese_texts_test.cpp:",
          "tests/common/source_texts_test.cpp:"})
        if (place.rfind(file, 0) == 0) return true;
    return false;
}

TEST(SourceTexts, TestsWriteJapaneseReadablyUnlessTheBytesAreThePoint) {
    const std::vector<Literal> literals = source_literals({"tests"});
    ASSERT_GT(literals.size(), 1000u);
    for (const Literal& literal : literals) {
        if (!literal.escaped_character || checks_known_codes(literal.place)) continue;
        if (literal.comment.find("byte") == std::string::npos)
            ADD_FAILURE() << literal.place << ": text written as byte escapes; write it readably, "
                          << "or say in a comment on the line why the bytes themselves matter";
    }
}

TEST(SourceTexts, EscapedCharactersAreFoundWithTheCommentsBesideThem) {
    const std::vector<Literal> found = string_literals(
        "a(\"\\x95\\xC7\", \"\\xE5\\xA3\\x81\");\n"
        "b(\"\\xFF\\xFE\\x80\", \"a\\x81\", \"\\x95\\xC7\"\"\");  // raw bytes\n",
        "t.cpp");
    ASSERT_EQ(found.size(), 6u);
    EXPECT_TRUE(found[0].escaped_character);   // CP932 壁
    EXPECT_TRUE(found[1].escaped_character);   // UTF-8 壁
    EXPECT_FALSE(found[2].escaped_character);  // no character begins
    EXPECT_FALSE(found[3].escaped_character);  // half a character
    EXPECT_TRUE(found[4].escaped_character);
    EXPECT_EQ(found[0].comment, "");
    EXPECT_EQ(found[4].comment, "// raw bytes");
}

TEST(SourceTexts, TheReaderFindsLiteralsOutsideComments) {
    const std::vector<Literal> found = string_literals(
        "// \"not\" this\nf(\"読み込み\", 'x', \"\\x82\\xA0\");\n/* \"nor\n this\" */ "
        "g(\"a\\\"b\");",
        "f.cpp");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].place, "f.cpp:2");
    EXPECT_EQ(found[0].text, "読み込み");
    EXPECT_TRUE(found[1].escaped_high_byte);
    EXPECT_EQ(found[2].place, "f.cpp:4");
    EXPECT_EQ(found[2].text, "ab");
}

}  // namespace
}  // namespace zov
