#include <gtest/gtest.h>

#include <string>

#include "common/encoding.h"
#include "dxf_import/dxf_text.h"

namespace zov {
namespace {

std::string cleaned(std::string text, int* asked = nullptr) {
    const int result = decode_dxf_text(text);
    if (asked != nullptr) *asked = result;
    return text;
}

TEST(DxfText, SpecialCharacterCodesBecomeCp932Characters) {
    EXPECT_EQ(cleaned("%%c50"), utf8_to_cp932("φ50"));
    EXPECT_EQ(cleaned("%%C50"), utf8_to_cp932("φ50"));
    EXPECT_EQ(cleaned("\\U+2205"
                      "50"),
              utf8_to_cp932("φ50"));
    EXPECT_EQ(cleaned("30%%d"), utf8_to_cp932("30ﾟ"));
    EXPECT_EQ(cleaned("\\U+00B0C"), utf8_to_cp932("ﾟC"));
    EXPECT_EQ(cleaned("\\U+818B"), utf8_to_cp932("ﾟ"));
    EXPECT_EQ(cleaned("%%p0.5"), utf8_to_cp932("±0.5"));
    EXPECT_EQ(cleaned("\\U+00B1"
                      "1"),
              utf8_to_cp932("±1"));
    EXPECT_EQ(cleaned("100%%%"), "100%");
    EXPECT_EQ(cleaned("%%uUnder%%u %%oOver"), "Under Over");
    EXPECT_EQ(cleaned("a%%zb"), "ab");  // unknown code: all three dropped
    EXPECT_EQ(cleaned("end%%"), "end");
    // Every other Unicode escape is its CP932 character, or "?" where CP932
    // has none (the euro sign); what is not an escape stays.
    EXPECT_EQ(cleaned("\\U+3042"), utf8_to_cp932("あ"));
    EXPECT_EQ(cleaned("x\\u+0416y"), "x\\u+0416y");
    EXPECT_EQ(cleaned("\\U+0416"
                      "1"),
              utf8_to_cp932("Ж1"));
    EXPECT_EQ(cleaned("\\U+20AC"), "?");
    EXPECT_EQ(cleaned("\\U+0000"), "?");
    EXPECT_EQ(cleaned("\\U+12G4"), "\\U+12G4");
    EXPECT_EQ(cleaned("\\U+30"), "\\U+30");
}

TEST(DxfText, MtextFormatCodesAndBracesAreDroppedLineBreaksKept) {
    EXPECT_EQ(cleaned("{\\fArial|b1|i0;Bold} plain"), "Bold plain");
    EXPECT_EQ(cleaned("\\H2.5x;big\\Pnext"), "big\\Pnext");
    EXPECT_EQ(cleaned("\\C1;red\\W0.8;narrow"), "rednarrow");
    EXPECT_EQ(cleaned("\\Ltext\\l \\Oover\\o"), "text over");
    EXPECT_EQ(cleaned("a\\\\b"), "a\\b");
    EXPECT_EQ(cleaned("non\\~break"), "non break");
    EXPECT_EQ(cleaned("\\{kept\\}"), "\\{kept\\}");
    EXPECT_EQ(cleaned("\\Sunterminated"), "unterminated");
    EXPECT_EQ(cleaned("trailing\\"), "trailing\\");
}

TEST(DxfText, FormatCodesCanAskForAnAttachment) {
    int asked = -1;
    EXPECT_EQ(cleaned("\\pxqc;text", &asked), "text");  // a paragraph code
    EXPECT_EQ(asked, 0);
    cleaned("\\H1A1;x", &asked);
    EXPECT_EQ(asked, 1);
    cleaned("\\T1A2;x", &asked);
    EXPECT_EQ(asked, 2);
}

TEST(DxfText, StackedTextsColumnBreaksAndLineColours) {
    EXPECT_EQ(cleaned("1\\S1^2;\""), "11/2\"");
    EXPECT_EQ(cleaned("\\S3#4;+\\S5/8;"), "3/4+5/8");
    EXPECT_EQ(cleaned("m\\S2^;"), "m2");  // a superscript alone
    EXPECT_EQ(cleaned("x\\S^ 2;"), "x2");
    EXPECT_EQ(cleaned("A\\NB"), "A\\PB");
    EXPECT_EQ(cleaned("\\c16711680;true"), "true");

    const CleanedText text =
        clean_dxf_text("{\\C1;red}\\Pplain\\P\\C3;green {\\C5;blue}\\Pstill green");
    EXPECT_EQ(text.text, "red\\Pplain\\Pgreen blue\\Pstill green");
    EXPECT_EQ(text.runs, (std::vector<TextRun>{{0, 1}, {5, 0}, {12, 3}, {18, 5}, {24, 3}}));
}

// Colours and underlines inside a line are runs of their own; a code that
// does not end as its kind must stays in the text, and nothing after it is lost.
TEST(DxfText, InlineStylesAndMalformedCodes) {
    const struct {
        std::string_view in, out;
        std::vector<TextRun> runs;
    } cases[] = {
        {"A{\\C1;RED}B", "AREDB", {{0, 0}, {1, 1}, {4, 0}}},
        {"%%uU%%u x", "U x", {{0, 0, true}, {1, 0}}},
        {"a\\Lb\\lc", "abc", {{0, 0}, {1, 0, true}, {2, 0}}},
        {"{\\LU}x", "Ux", {{0, 0, true}, {1, 0}}},
        {"\\H2xBROKEN\\PNEXT; END", "\\H2xBROKEN\\PNEXT; END", {{0, 0}}},
        {"\\C1 red\\Pmore;x", "\\C1 red\\Pmore;x", {{0, 0}}},
        {"\\fArial|b1\\Pnext;", "\\fArial|b1\\Pnext;", {{0, 0}}},
        {"\\S1\\P2;", "1\\P2;", {{0, 0}}},
        {"\\H2.5x;ok\\W1;", "ok", {{0, 0}}},
    };
    for (const auto& c : cases) {
        const CleanedText text = clean_dxf_text(c.in);
        EXPECT_EQ(text.text, c.out) << c.in;
        EXPECT_EQ(text.runs, c.runs) << c.in;
    }
    EXPECT_EQ(clean_dxf_text("A\\PB\\NC").column_breaks, (std::vector<std::size_t>{4}));
}

TEST(DxfText, MtextLinesFlowWithinTheirWidth) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(wrap_mtext_line("short", 10), (Lines{"short"}));
    EXPECT_EQ(wrap_mtext_line("one two three four", 9), (Lines{"one two", "three", "four"}));
    EXPECT_EQ(wrap_mtext_line("abcdefghij", 4), (Lines{"abcdefghij"}));  // one word
    EXPECT_EQ(wrap_mtext_line("abcdefghij k", 4), (Lines{"abcdefghij", "k"}));
    // 日本語です: double-byte characters may part anywhere, never in two.
    EXPECT_EQ(wrap_mtext_line(utf8_to_cp932("日本語です"), 5),
              (Lines{utf8_to_cp932("日本"), utf8_to_cp932("語で"), utf8_to_cp932("す")}));
    EXPECT_EQ(wrap_mtext_line(utf8_to_cp932("ab日"), 3), (Lines{"ab", utf8_to_cp932("日")}));
}

TEST(DxfText, DoubleByteCharactersAreNeverReadAsCodes) {
    const std::string hyou = "\x95\x5C";  // 表 as bytes: its trail byte is a backslash
    EXPECT_EQ(cleaned(hyou + "P"), hyou + "P");
    EXPECT_EQ(cleaned(hyou + "{x}"), hyou + "x");
    EXPECT_EQ(cleaned(utf8_to_cp932("ア%%d")), utf8_to_cp932("アﾟ"));
    const std::string mtext = hyou + "P\\Pnext";  // the lines are views into it
    const auto lines = split_mtext_lines(mtext, 100);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], hyou + "P");
    EXPECT_EQ(lines[1], "next");
}

TEST(DxfText, MtextSplitsAtLineBreaksUpToItsLimit) {
    EXPECT_EQ(split_mtext_lines("A\\PB\\PC", 100).size(), 3u);
    EXPECT_EQ(split_mtext_lines("", 100).size(), 1u);
    EXPECT_EQ(split_mtext_lines("A\\P", 100).size(), 2u);
    std::string many;
    for (int i = 0; i < 150; ++i) many += "x\\P";
    EXPECT_EQ(split_mtext_lines(many, 100).size(), 100u);
}

}  // namespace
}  // namespace zov
