// What an analysis in the program's own form cannot carry back to the DXF is
// found when the analysis is made, never after a rebuild that changed the
// drawing without a word.
#include <gtest/gtest.h>

#include "analyser/conversion.h"
#include "analyser/rebuild.h"
#include "analyser_test_support.h"
#include "common/encoding.h"

namespace zov {
namespace {

class RoundTripLimits : public ::testing::Test {
protected:
    // Analyses a DXF holding one TEXT with `value` in the program's own form.
    int analyse(const std::string& value) {
        analyser.context.settings.analysis_form = 0;
        write_file(analyser.file("in.dxf"), "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n1\r\n" +
                                                value + "\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
        analyser.messages.entries.clear();
        return convert_dxf_to_analysis(analyser.context, analyser.file("in.dxf"),
                                       analyser.file("in.TXT"));
    }
    TestAnalyser analyser;
};

TEST_F(RoundTripLimits, AnOrdinaryDrawingHasNone) {
    ASSERT_EQ(analyse("plain text"), 1);
    EXPECT_EQ(analyser.context.round_trip_losses, 0);
    EXPECT_TRUE(analyser.messages.entries.empty());
}

TEST_F(RoundTripLimits, ALineTooLongIsFoundAndSaid) {
    ASSERT_EQ(analyse(std::string(5000, 'x')), 1);
    EXPECT_GE(analyser.context.round_trip_losses, 1);
    ASSERT_EQ(analyser.messages.entries.size(), 1u);
    EXPECT_EQ(analyser.messages.entries[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(cp932_to_utf8(analyser.messages.last()).find("元どおりに再作成できない行が"),
              std::string::npos);
}

TEST_F(RoundTripLimits, AValueHoldingTheDataMarkAndTheEndCodeIsFound) {
    ASSERT_EQ(analyse("before_\x18"
                      "after"),
              1);
    EXPECT_EQ(analyser.context.round_trip_losses, 1);
    EXPECT_EQ(analyser.messages.entries.size(), 1u);
}

TEST_F(RoundTripLimits, AJoiningMarkThatCannotRoundTripIsRefused) {
    for (const char* mark : {"1", "-", " "}) {
        analyser.context.settings.code_mark = mark;
        EXPECT_EQ(analyse("text"), 0) << mark;
        EXPECT_NE(
            cp932_to_utf8(analyser.messages.last()).find("再作成できる解析ファイルを作れません"),
            std::string::npos);
    }
    analyser.context.settings.code_mark = "#";
    EXPECT_EQ(analyse("text"), 1);
}

}  // namespace
}  // namespace zov
