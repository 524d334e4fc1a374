// Every Japanese text in the programs' source is written readably in UTF-8:
// a text written as CP932 byte escapes cannot be read or checked (src/ and
// apps/). The libraries below src/ work in CP932, so each of their texts must
// exist in CP932, or it would reach the user as "?"; this holds wherever the
// text is written (the list of common/japanese_texts.def, a message written
// at its call). The windows in apps/ may show UTF-8 texts as they are.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
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
};

bool is_hex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// The string literals of C++ source, outside comments and character literals.
std::vector<Literal> string_literals(const std::string& source, const std::string& file) {
    std::vector<Literal> found;
    int line = 1;
    std::size_t i = 0;
    auto advance = [&](std::size_t n) {
        for (; n > 0 && i < source.size(); --n, ++i)
            if (source[i] == '\n') ++line;
    };
    while (i < source.size()) {
        if (source.compare(i, 2, "//") == 0) {
            while (i < source.size() && source[i] != '\n') advance(1);
        } else if (source.compare(i, 2, "/*") == 0) {
            const std::size_t end = source.find("*/", i + 2);
            advance(end == std::string::npos ? source.size() - i : end + 2 - i);
        } else if (source[i] == '"' || source[i] == '\'') {
            const char quote = source[i];
            Literal literal{file + ":" + std::to_string(line), {}, false};
            advance(1);
            while (i < source.size() && source[i] != quote && source[i] != '\n') {
                if (source[i] != '\\') {
                    literal.text += source[i];
                    advance(1);
                } else if (i + 1 < source.size() && source[i + 1] == 'x') {
                    std::size_t end = i + 2;
                    while (end < source.size() && is_hex(source[end])) ++end;
                    if (std::stoul(source.substr(i + 2, end - i - 2), nullptr, 16) >= 0x80)
                        literal.escaped_high_byte = true;
                    advance(end - i);
                } else {
                    advance(2);
                }
            }
            advance(1);
            if (quote == '"') found.push_back(literal);
        } else {
            advance(1);
        }
    }
    return found;
}

std::vector<Literal> source_literals() {
    std::vector<Literal> all;
    const std::filesystem::path root(ZOV_SOURCE_DIR);
    for (const char* folder : {"src", "apps"}) {
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
    const std::vector<Literal> literals = source_literals();
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

TEST(SourceTexts, TheReaderFindsLiteralsOutsideComments) {
    const std::vector<Literal> found = string_literals(
        "// \"not\" this\nf(\"読み込み\", 'x', \"\\x82\\xA0\");\n/* \"nor\n this\" */ g(\"a\\\"b\");",
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
