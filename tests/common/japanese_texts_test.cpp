#include <gtest/gtest.h>

#include <string>

#include "common/encoding.h"
#include "common/japanese_texts.h"

namespace zov {
namespace {

// Every text of the list must exist in CP932 exactly and read back as
// written, so that the bytes the programs write are the text the source shows
// (a character CP932 lacks would otherwise become "?" silently).
TEST(JapaneseTexts, EveryTextConvertsToCp932AndBack) {
    ASSERT_FALSE(japanese_texts().empty());
    for (const JaTextEntry& entry : japanese_texts()) {
        SCOPED_TRACE(std::string(entry.name));
        const std::optional<std::string> exact = utf8_to_cp932_exact(entry.utf8);
        ASSERT_TRUE(exact.has_value()) << "a character of this text is missing from CP932";
        EXPECT_EQ(cp932_text(entry.text), *exact);
        EXPECT_EQ(cp932_to_utf8_exact(*exact), std::string(entry.utf8));
    }
    // The check above does catch a missing character.
    EXPECT_FALSE(utf8_to_cp932_exact("한글").has_value());
}

TEST(JapaneseTexts, ConvertedOnceAndKept) {
    const char* first = cp932_text(JaText::Untitled);
    EXPECT_EQ(cp932_text(JaText::Untitled), first);
    EXPECT_STREQ(first, "\x96\xb3\x91\xe8");
    // Half-width katakana are single bytes in CP932.
    EXPECT_STREQ(cp932_text(JaText::HalfWidthDot), "\xa5");
    EXPECT_STREQ(cp932_text(JaText::DegreeSign), "\xdf");
}

}  // namespace
}  // namespace zov
