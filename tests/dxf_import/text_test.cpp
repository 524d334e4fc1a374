#include <gtest/gtest.h>

#include <string>

#include "dxf_import/dxf_text.h"

namespace zov {
namespace {

std::string cleaned(std::string text, int* asked = nullptr) {
    const int result = decode_dxf_text(text);
    if (asked != nullptr) *asked = result;
    return text;
}

TEST(DxfText, SpecialCharacterCodesBecomeCp932Characters) {
    EXPECT_EQ(cleaned("%%c50"), "\x83\xD3" "50");
    EXPECT_EQ(cleaned("%%C50"), "\x83\xD3" "50");
    EXPECT_EQ(cleaned("\\U+2205" "50"), "\x83\xD3" "50");
    EXPECT_EQ(cleaned("30%%d"), "30\xDF");
    EXPECT_EQ(cleaned("\\U+00B0C"), "\xDF" "C");
    EXPECT_EQ(cleaned("\\U+818B"), "\xDF");
    EXPECT_EQ(cleaned("%%p0.5"), "\x81\x7D" "0.5");
    EXPECT_EQ(cleaned("\\U+00B1" "1"), "\x81\x7D" "1");
    EXPECT_EQ(cleaned("100%%%"), "100%");
    EXPECT_EQ(cleaned("%%uUnder%%u %%oOver"), "Under Over");
    EXPECT_EQ(cleaned("a%%zb"), "ab");  // unknown code: all three dropped
    EXPECT_EQ(cleaned("end%%"), "end");
    // Every other Unicode escape is its CP932 character, or "?" where CP932
    // has none (the euro sign); what is not an escape stays.
    EXPECT_EQ(cleaned("\\U+3042"), "\x82\xA0");
    EXPECT_EQ(cleaned("x\\u+0416y"), "x\\u+0416y");
    EXPECT_EQ(cleaned("\\U+0416" "1"), "\x84\x47" "1");
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
    EXPECT_EQ(cleaned("\\Sunterminated"), "");
    EXPECT_EQ(cleaned("trailing\\"), "trailing\\");
}

TEST(DxfText, FormatCodesCanAskForAnAttachment) {
    int asked = -1;
    EXPECT_EQ(cleaned("\\pxqc;text", &asked), "\\pxqc;text");
    EXPECT_EQ(asked, 0);
    cleaned("\\H1A1;x", &asked);
    EXPECT_EQ(asked, 1);
    cleaned("\\T1A2;x", &asked);
    EXPECT_EQ(asked, 2);
}

TEST(DxfText, DoubleByteCharactersAreNeverReadAsCodes) {
    // 表 is 0x95 0x5C: its trail byte is a backslash.
    EXPECT_EQ(cleaned("\x95\x5C" "P"), "\x95\x5C" "P");
    EXPECT_EQ(cleaned("\x95\x5C" "{x}"), "\x95\x5C" "x");
    EXPECT_EQ(cleaned("\x83\x41%%d"), "\x83\x41\xDF");
    const auto lines = split_mtext_lines("\x95\x5C" "P\\Pnext", 100);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\x95\x5C" "P");
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
