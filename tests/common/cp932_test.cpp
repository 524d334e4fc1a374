#include "common/cp932.h"

#include <gtest/gtest.h>

#include "common/encoding.h"

namespace zov {
namespace {

TEST(Cp932, LeadByteRanges) {
    EXPECT_FALSE(is_lead_byte(0x80));
    EXPECT_TRUE(is_lead_byte(0x81));
    EXPECT_TRUE(is_lead_byte(0x9F));
    EXPECT_FALSE(is_lead_byte(0xA0));
    EXPECT_FALSE(is_lead_byte(0xDF));  // half-width katakana
    EXPECT_TRUE(is_lead_byte(0xE0));
    EXPECT_TRUE(is_lead_byte(0xFC));
    EXPECT_FALSE(is_lead_byte(0xFD));
    EXPECT_FALSE(is_lead_byte('A'));
}

TEST(Cp932, FullWidthForms) {
    EXPECT_EQ(to_full_width('A'), "\x82\x60");   // Ａ
    EXPECT_EQ(to_full_width('z'), "\x82\x9A");   // ｚ
    EXPECT_EQ(to_full_width('0'), "\x82\x4F");   // ０
    EXPECT_EQ(to_full_width(' '), "\x81\x40");   // full-width blank
    EXPECT_EQ(to_full_width('\\'), "\x81\x8F");  // ￥
    EXPECT_EQ(to_full_width('~'), "\x81\x50");   // ￣
    EXPECT_EQ(to_full_width(0xB1), "\x83\x41");  // ｱ -> ア
    EXPECT_EQ(to_full_width(0xB6), "\x83\x4A");  // ｶ -> カ (voiced mark stays apart)
    EXPECT_EQ(to_full_width(0xDE), "\x81\x4A");  // ﾞ -> ゛
    EXPECT_EQ(to_full_width(0xA1), "\x81\x42");  // ｡ -> 。
    EXPECT_EQ(to_full_width(0xB0), "\x81\x5B");  // ｰ -> ー
    EXPECT_EQ(to_full_width(0x0A), "\x0A");      // no full-width form
    EXPECT_EQ(to_full_width(0x81), "\x81");
}

TEST(Cp932, FullWidthKatakanaAgreeWithIconv) {
    // Every mapped byte must give the character iconv calls the same name.
    const char* expected_utf8[] = {"\xE3\x82\xA2", "\xE3\x83\xB2", "\xE3\x83\xB3"};  // ア ヲ ン
    unsigned char bytes[] = {0xB1, 0xA6, 0xDD};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(cp932_to_utf8(to_full_width(bytes[i])), expected_utf8[i]);
}

TEST(Cp932, BoundedCopyNeverSplitsADoubleByteCharacter) {
    char buffer[4];
    EXPECT_EQ(copy_bounded(buffer, "ab\x88\x9F"), 2u);  // 亜 would need bytes 2 and 3 plus NUL
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(copy_bounded(buffer, "a\x88\x9F"), 3u);
    EXPECT_STREQ(buffer, "a\x88\x9F");
    EXPECT_EQ(copy_bounded(buffer, "abcdef"), 3u);
    EXPECT_STREQ(buffer, "abc");
    char one[1];
    EXPECT_EQ(copy_bounded(one, "xyz"), 0u);
    EXPECT_EQ(one[0], '\0');
}

TEST(Cp932, SafePrefixWithLoneLeadByteAtEnd) {
    EXPECT_EQ(safe_prefix_length("ab\x88", 10), 3u);
    EXPECT_EQ(safe_prefix_length("\x88\x9F\x88\x9F", 3), 2u);
    EXPECT_EQ(safe_prefix_length("", 5), 0u);
}

TEST(Encoding, RoundTripJapanese) {
    std::string utf8 = "\xE5\xB1\xA4 \xEF\xBD\xB1";  // 層 ｱ
    std::string cp932 = utf8_to_cp932(utf8);
    EXPECT_EQ(cp932, "\x91\x77 \xB1");
    EXPECT_EQ(cp932_to_utf8(cp932), utf8);
}

TEST(Encoding, UnmappableBecomesQuestionMark) {
    EXPECT_EQ(utf8_to_cp932("a\xF0\x9F\x98\x80"
                            "b"),
              "a?b");  // emoji
    EXPECT_EQ(utf8_to_cp932("a\xFF"
                            "b"),
              "a?b");  // invalid UTF-8
    EXPECT_FALSE(utf8_to_cp932_exact("a\xF0\x9F\x98\x80").has_value());
    EXPECT_FALSE(cp932_to_utf8_exact("a\x88").has_value());  // half a character
    EXPECT_EQ(cp932_to_utf8_exact("abc").value(), "abc");
}

}  // namespace
}  // namespace zov
