#include <gtest/gtest.h>

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
    EXPECT_EQ(messages.entries[0].text,
              "/p/DxfTest.DXF \x82\xf0\x83I\x81[\x83v\x83\x93\x82\xc5\x82\xab\x82\xc8\x82\xa2"
              "(dxf_fp)");
    EXPECT_EQ(messages.entries[1].text, "\x83R\x83s\x81[\x8f\x49\x97\xb9");
    EXPECT_EQ(messages.entries[2].text, "Eroor in MessageBox");  // the empty-text rule still holds
    EXPECT_TRUE(messages.entries[3].question);
    EXPECT_EQ(messages.entries[3].text,
              "ADINIT.DAT\x82\xf0\x8c\xa9\x82\xc2\x82\xaf\x82\xe7\x82\xea\x82\xdc\x82\xb9\x82\xf1"
              "\x82\xc5\x82\xb5\x82\xbd\x81\x42");
}

}  // namespace
}  // namespace zov
