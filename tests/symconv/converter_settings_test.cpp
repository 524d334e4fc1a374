#include <gtest/gtest.h>

#include "common/encoding.h"
#include "converter_test_support.h"
#include "symconv/converter_settings.h"

namespace zov {
namespace {

using testing::crlf_lines;
using testing::read_bytes;
using testing::write_bytes;

class SettingsTest : public testing::ConverterTest {
protected:
    ConverterSettings load() {
        ConverterSettings settings;
        load_converter_settings(launch, settings, messages);
        return settings;
    }
};

TEST_F(SettingsTest, MissingFilesWriteTheDefaultFileByteForByte) {
    ConverterSettings settings = load();
    EXPECT_EQ(settings.text_size_percent, 78);
    std::string written = read_bytes(launch + "ZR_JWK.CFG");
    std::vector<std::string> lines = crlf_lines(written);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(written.substr(written.size() - 2), "\r\n");
    EXPECT_EQ(lines[0], std::string(57, '/'));
    // JMS=78, two blanks, 文字出力サイズ(％で表記)
    EXPECT_EQ(lines[3], utf8_to_cp932("JMS=78  文字出力サイズ(％で表記)"));
    EXPECT_EQ(lines[12].substr(0, 27), utf8_to_cp932("JCO=\"4,7,3,2,6,5\"  線番号順"));
    EXPECT_EQ(lines[13].substr(0, 38), "JSS=\"20,25,30,40,50,60,70,80,90,100\"  ");
    EXPECT_EQ(lines[14].substr(0, 7), "JFR=1  ");
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(SettingsTest, SiblingFileIsReadInsteadOfOwn) {
    write_bytes(launch + "ZR_DXF.CFG", "JMS=50  comment\r\n");
    write_bytes(launch + "ZR_JWK.CFG", "JMS=90  comment\r\nJPO=1\r\n");
    ConverterSettings settings = load();
    EXPECT_EQ(settings.text_size_percent, 50);
    EXPECT_EQ(settings.point_form, 2);
}

TEST_F(SettingsTest, LineFormQuotedListsAndRepeatedKeys) {
    write_bytes(launch + "ZR_JWK.CFG",
                "////// banner JMS=1\r\n"
                " JMS=10  leading blank: not a setting\r\n"
                "JKE=0  first\r\n"
                "JKE=3  the last one counts\r\n"
                "JCO=\"1,2,3\"  only three pens\r\n"
                "JSS=\"11, 12,x,14\"  stops at x\r\n"
                "JPS=abc\r\n"
                "XYZ=5  unknown\r\n"
                "JMC=1\r\n");
    ConverterSettings s = load();
    EXPECT_EQ(s.text_size_percent, 78);
    EXPECT_EQ(s.decimals, 3);
    EXPECT_EQ(std::vector<int>(s.pen_colours, s.pen_colours + 6),
              (std::vector<int>{1, 2, 3, 2, 6, 5}));
    EXPECT_EQ(std::vector<int>(s.text_heights, s.text_heights + 4),
              (std::vector<int>{11, 12, 30, 40}));
    EXPECT_EQ(s.point_size, 0);  // a malformed integer reads as 0
    for (int kind = 0; kind < 10; ++kind) EXPECT_EQ(s.text_colours[kind], 1);
    EXPECT_EQ(s.text_colours[10], 8);
}

TEST_F(SettingsTest, JmcZeroKeepsPerKindColoursAndBareLineFeedsEndLines) {
    write_bytes(launch + "ZR_JWK.CFG", "JMC=0\nJMS=120\n");
    ConverterSettings s = load();
    EXPECT_EQ(std::vector<int>(s.text_colours, s.text_colours + 11),
              (std::vector<int>{4, 4, 7, 7, 3, 3, 2, 2, 6, 6, 8}));
    EXPECT_EQ(s.text_size_percent, 120);
}

TEST_F(SettingsTest, SettingTextNeverSplitsACharacterAndAbsurdNumbersStayInRange) {
    EXPECT_EQ(setting_text(utf8_to_cp932("JCO=\"ab亜\""), 3), "ab");
    EXPECT_EQ(setting_text("JCO=12 34", 128), "12");
    EXPECT_EQ(setting_int("JMS=99999999999999999999"), 2147483647);
    int values[3] = {7, 7, 7};
    EXPECT_EQ(scan_int_list("5,-6,99999999999999", values, 3), 3);
    EXPECT_EQ(values[1], -6);
    EXPECT_EQ(values[2], 2147483647);
}

TEST_F(SettingsTest, LongLinesAndBinaryGarbageDoNotBreakReading) {
    std::string garbage(5000, 'J');
    garbage += "\r\nJMS=33\r\n";
    for (int i = 0; i < 256; ++i) garbage += static_cast<char>(i);
    write_bytes(launch + "ZR_JWK.CFG", garbage);
    EXPECT_EQ(load().text_size_percent, 33);
}

TEST_F(SettingsTest, AnUnwritableLaunchFolderKeepsTheDefaultsAndReports) {
    ConverterSettings settings;
    load_converter_settings(launch + "missing/", settings, messages);
    EXPECT_EQ(settings.text_size_percent, 78);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Stop);
    EXPECT_NE(messages.last().find("ZR_JWK.CFG"), std::string::npos);
}

}  // namespace
}  // namespace zov
