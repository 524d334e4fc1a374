#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "dxf/numbers.h"

namespace zov {
namespace {

TEST(Numbers, ReadLikeTheStandardConversionsButNeverOverflow) {
    EXPECT_EQ(parse_dxf_int("  62"), 62);
    EXPECT_EQ(parse_dxf_int("-7abc"), -7);
    EXPECT_EQ(parse_dxf_int("+5"), 5);
    EXPECT_EQ(parse_dxf_int("x"), 0);
    EXPECT_EQ(parse_dxf_int("99999999999999999999"), 2147483647);
    EXPECT_EQ(parse_dxf_int("-99999999999999999999"), -2147483647);
    EXPECT_DOUBLE_EQ(parse_dxf_real(" 12.5"), 12.5);
    EXPECT_DOUBLE_EQ(parse_dxf_real("+1e3x"), 1000);
    EXPECT_DOUBLE_EQ(parse_dxf_real("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(parse_dxf_real("abc"), 0);
    EXPECT_DOUBLE_EQ(parse_dxf_real("1e999"), 0);
    EXPECT_DOUBLE_EQ(parse_dxf_real("nan"), 0);
    EXPECT_DOUBLE_EQ(parse_dxf_real("-inf"), 0);
}

// Every real reads to the very double the standard conversion gives, the
// short plain decimals of most files as well as long, exponent and odd ones.
TEST(Numbers, RealsReadExactlyAsTheStandardConversion) {
    std::mt19937_64 random(42);
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "-0.0",
                                      "5.",
                                      ".5",
                                      "-.",
                                      ".",
                                      "-",
                                      "007.250",
                                      "123456789012345",
                                      "1234567890123456",
                                      "0.1",
                                      "0.3",
                                      "999999999999999",
                                      "1.000000000000001",
                                      "2.5e-3",
                                      "12.5E2",
                                      "17.5x",
                                      "1.5.5",
                                      "-12.375  ",
                                      "9007199254740993"};
    char text[64];
    for (int i = 0; i < 20000; ++i) {
        const double value =
            std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 80));
        const int decimals = static_cast<int>(random() % 18);
        std::snprintf(text, sizeof text, "%s%.*f", random() % 2 ? "-" : "", decimals, value);
        texts.emplace_back(text);
        std::snprintf(text, sizeof text, "%.17g", value);
        texts.emplace_back(text);
    }
    for (const std::string& t : texts) {
        const double expected = std::strtod(t.c_str(), nullptr);
        const double got = parse_dxf_real(t);
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << t;
    }
}

}  // namespace
}  // namespace zov
