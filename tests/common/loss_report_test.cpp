#include "common/loss_report.h"

#include <gtest/gtest.h>

namespace zov {
namespace {

TEST(LossReport, CountsByKindInFirstSeenOrderAndWordsEachOnce) {
    LossReport report;
    EXPECT_TRUE(report.empty());
    report.count("TEXT", 3);
    report.count("IMAGE");
    report.count("TEXT");
    report.count("MESH", 0);
    EXPECT_EQ(report.lost("TEXT"), 4u);
    EXPECT_EQ(report.lost("MESH"), 0u);
    EXPECT_EQ(report.total(), 5u);
    EXPECT_EQ(report.lines("use --full to keep them"),
              (std::vector<std::string>{"4 TEXT left out (use --full to keep them)",
                                        "1 IMAGE left out (use --full to keep them)"}));
}

TEST(LossReport, CharactersNameTheFirstOneAndShowAsWarningsUnderQuiet) {
    LossReport report;
    report.count_character(U'\u00F6');
    report.count_character(U'\u00C9');
    EXPECT_FALSE(report.empty());
    EXPECT_EQ(report.lines(),
              (std::vector<std::string>{
                  "2 characters could not be kept and were replaced (first: U+00F6)"}));
    RecordingMessages messages;
    show_losses(messages, report);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace zov
