#include <gtest/gtest.h>

#include "common/encoding.h"
#include "common/utf8_messages.h"

namespace zov {
namespace {

TEST(Utf8Messages, BoxesReceiveCp932Text) {
    RecordingMessages messages;
    messages.answers = {false};
    show_error_utf8(messages, "%s をオープンできない(dxf_fp)", "/p/DxfTest.DXF");
    show_information_utf8(messages, "コピー終了");
    show_information_utf8(messages, "%s", "");
    EXPECT_FALSE(ask_utf8(messages, "%sを見つけられませんでした。", "ADINIT.DAT"));
    ASSERT_EQ(messages.entries.size(), 4u);
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages.entries[0].text, utf8_to_cp932("/p/DxfTest.DXF をオープンできない(dxf_fp)"));
    EXPECT_EQ(messages.entries[1].text, utf8_to_cp932("コピー終了"));
    EXPECT_EQ(messages.entries[2].text, "Eroor in MessageBox");  // the empty-text rule still holds
    EXPECT_TRUE(messages.entries[3].question);
    EXPECT_EQ(messages.entries[3].text, utf8_to_cp932("ADINIT.DATを見つけられませんでした。"));
}

}  // namespace
}  // namespace zov
