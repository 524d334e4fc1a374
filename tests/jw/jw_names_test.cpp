// Name cleaning, text styles and coordinate rounding on their own.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <vector>

#include "common/encoding.h"
#include "jw/jw_names.h"
#include "jw/jw_rounding.h"
#include "jw/jw_text_style.h"

namespace zov {
namespace {

std::string sjis(const char* utf8) { return utf8_to_cp932(utf8); }

std::string converted(std::string name) {
    convert_layer_name(name);
    return name;
}

std::string limited(std::string name, std::size_t max_bytes) {
    limit_name(name, max_bytes);
    return name;
}

TEST(JwNames, ConvertLayerName) {
    EXPECT_EQ(converted("ab c"), "AB_C");
    EXPECT_EQ(converted("#l"), "JW_25D");
    EXPECT_EQ(converted("#L1"), "_L1");
    EXPECT_EQ(converted("a.b/c$d-e_f"), "A_B_C$D-E_F");
    EXPECT_EQ(converted(sjis("ｷｯﾁﾝ")), sjis("キッチン"));
    EXPECT_EQ(converted(sjis("ﾃﾞｰﾀ")), sjis("テ゛-タ"));
    EXPECT_EQ(converted(sjis("ﾊﾟ")), sjis("ハ")) << "the semi-voiced mark is not kept";
    EXPECT_EQ(converted(sjis("｡･")), "__");
    EXPECT_EQ(converted(sjis("１階　平面°")), sjis("１階平面°"));
    EXPECT_EQ(converted(sjis("あア亜ヶ")), sjis("あア亜ヶ"));
    EXPECT_EQ(converted(sjis("※αБ─")), "");
    // Trail bytes that look like letters or "_" are never changed.
    EXPECT_EQ(converted(sjis("表ソ")), sjis("表ソ"));
    EXPECT_EQ(converted(std::string(300, 'x')).size(), 254u);
    EXPECT_EQ(converted(std::string("a\x81", 2)), "A_") << "a lone lead byte at the end";
}

TEST(JwNames, LimitName) {
    EXPECT_EQ(limited("abcdef", 4), "abcd");
    EXPECT_EQ(limited("abc ", 8), "abc");
    EXPECT_EQ(limited("abc  ", 8), "abc ") << "one trailing blank only";
    EXPECT_EQ(limited("abc\t", 8), "abc");
    EXPECT_EQ(limited(sjis("ｱ"), 8), sjis("ｱ")) << "half-width katakana are graphic";
    std::string forty = std::string(30, 'a') + sjis("壁") + std::string(8, 'b');
    EXPECT_EQ(limited(forty, 31), std::string(30, 'a'));
    EXPECT_EQ(limited(sjis("壁"), 31), sjis("壁"));
    EXPECT_EQ(limited("", 31), "");
}

TEST(JwTextStyle, StyleCodes) {
    EXPECT_EQ(text_style_code("plain"), 0);
    EXPECT_EQ(text_style_code("size ^u"), 10);
    EXPECT_EQ(text_style_code("^1"), 10);
    EXPECT_EQ(text_style_code("^B^"), 10);
    EXPECT_EQ(text_style_code("^a ^"), 0);
    EXPECT_EQ(text_style_code(sjis("見出し・")), 20);
    EXPECT_EQ(text_style_code(sjis("^o・")), 20);
    EXPECT_EQ(text_style_code(sjis("abc･")), 20);
    EXPECT_EQ(text_style_code(sjis("・x")), 0);
    // 0x5E ("^") as the trail byte of a double-byte character is no control sequence.
    EXPECT_EQ(text_style_code(std::string("\x81\x5E"
                                          "1",
                                          3)),
              0);
    // The bytes 0x81 0x45 across two characters are no middle dot.
    EXPECT_EQ(text_style_code(std::string("\x88\x81\x45", 3)), 0);
}

TEST(JwTextStyle, HasDoubleByteCutsChangedTexts) {
    std::string ascii(250, 'a');
    EXPECT_EQ(has_double_byte(ascii), 0);
    EXPECT_EQ(ascii.size(), 250u);
    std::string tab = "a\tb";
    EXPECT_EQ(has_double_byte(tab), 1);
    std::string kanji = std::string(235, 'a') + sjis("壁") + "bbb";
    EXPECT_EQ(has_double_byte(kanji), 1);
    EXPECT_EQ(kanji, std::string(235, 'a')) << "never half a character";
}

TEST(JwRounding, RoundCoordinate) {
    EXPECT_DOUBLE_EQ(round_coordinate(1.23456, 2), 1.23);
    EXPECT_DOUBLE_EQ(round_coordinate(-1.235001, 2), -1.24);
    EXPECT_DOUBLE_EQ(round_coordinate(1.25, 1), 1.2) << "as printf rounds the exact value";
    EXPECT_DOUBLE_EQ(round_coordinate(2.5, 0), 2);
    EXPECT_DOUBLE_EQ(round_coordinate(1.23456, 3), 1.23456);
    EXPECT_DOUBLE_EQ(round_coordinate(1e300, 2), 1e300);
    EXPECT_DOUBLE_EQ(round_coordinate(-1.7e308, 2), -1.7e308);
}

// The quick way agrees with printing and reading back, bit for bit, on
// values of every size, halves and near-halves, negative zeros and values
// beyond the quick way's range.
TEST(JwRounding, AgreesWithPrintingAndReadingBack) {
    auto printed = [](double value, int decimals) {
        char text[400];
        auto end =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
        double result = value;
        std::from_chars(text, end.ptr, result);
        return result;
    };
    std::mt19937_64 random(932);
    std::vector<double> values = {0.0,    -0.0,  0.005, -0.005,     0.015,   2.675, 1.005,
                                  -0.004, 0.125, 0.375, 1e14 + 0.5, 9.99e14, 1e15,  3e15 + 0.25};
    for (int i = 0; i < 300000; ++i) {
        const double magnitude = std::pow(10.0, static_cast<int>(random() % 19) - 4);
        const double value =
            (static_cast<double>(random() >> 11) / 9007199254740992.0 - 0.5) * magnitude;
        values.push_back(value);
        values.push_back(std::round(value * 200) / 200);  // halves of the last decimal
        values.push_back(std::nextafter(std::round(value * 200) / 200, 1e300));
    }
    for (double value : values) {
        for (int decimals = 0; decimals < kJwUnroundedDecimals; ++decimals) {
            const double expected = printed(value, decimals),
                         got = round_coordinate(value, decimals);
            ASSERT_EQ(std::signbit(expected), std::signbit(got)) << value << " " << decimals;
            ASSERT_EQ(expected, got) << std::hexfloat << value << " " << decimals;
        }
    }
}

}  // namespace
}  // namespace zov
