#include <gtest/gtest.h>

#include "analyser/disk.h"
#include "analyser/management.h"
#include "analyser/settings_file.h"
#include "analyser_test_support.h"
#include "common/clock.h"
#include "common/files.h"

namespace zov {
namespace {

TEST(Settings, DefaultsAndTheManagementLineTheyGive) {
    TestAnalyser analyser;
    AnalyserSettings& s = analyser.context.settings;
    EXPECT_EQ(s.FTX, analyser.folder.path());
    EXPECT_EQ(s.FHS, "_");
    EXPECT_EQ(s.FSM, 2);
    EXPECT_EQ(s.KM1, ":");
    EXPECT_EQ(s.KDE, 24);
    EXPECT_EQ(s.KTM, 1);
    EXPECT_EQ(s.KK[0], sj("$ACADVER  (AutoCADのﾊﾞｰｼﾞｮﾝ)"));
    EXPECT_EQ(s.KK[6], sj("TEXT  (文字)"));
    EXPECT_EQ(s.KK[7], "");
    EXPECT_EQ(s.KED, analyser.folder.path() + "ZovEdit.EXE");

    s.KTM = kFormOwn;
    EXPECT_EQ(format_management_line(management_for(s, 0)),
              sj("Zov=100:_047072508$-^00880240(管理データ書き換え禁止)"));
    s.KTS = 0;
    ManagementRecord r = management_for(s, 0);
    EXPECT_EQ(r.header_lines, 9);
    EXPECT_EQ(r.checksum, 1 + 9 + 7 + 25 + 8);
    s.KTS = 1;
    s.KHO = 0;
    s.KCU = 1;
    s.KKS = 1;
    s.KTM = kFormC;
    r = management_for(s, 3);
    EXPECT_EQ(r.header_lines, 43 + 2 + 3 + 2 + 2);
    EXPECT_EQ(r.code_column, 8);
    EXPECT_EQ(r.end_code, 32);
    EXPECT_EQ(format_management_line(r).substr(0, 29), "Zov=011:_052070808$-^00770322");
}

TEST(Settings, UnusableMarksAndEndCodesFallBackToTheirDefaults) {
    AnalyserSettings s;
    s.KTM = kFormOwn;
    s.KDE = 300;
    s.KM1 = "";
    EXPECT_EQ(management_for(s, 0).end_code, 24);
    EXPECT_EQ(management_for(s, 0).code_mark, ':');
    s.KDE = 10;  // a line end would split the item lines
    EXPECT_EQ(management_for(s, 0).end_code, 24);
    s.KDE = 1;
    EXPECT_EQ(management_for(s, 0).end_code, 1);
}

TEST(SettingsFile, WrittenLineByLine) {
    TestAnalyser analyser;
    std::vector<std::string> lines =
        split_lines(read_file(analyser.file("ZovEdit.CFG")), "\r\n");
    ASSERT_EQ(lines.size(), 54u);
    const std::string dots(80, '\xA5');
    EXPECT_EQ(lines[0], dots);
    EXPECT_EQ(lines[1], sj("･･････････････････････････     ZovEdit設定ファイル     "
                           "･････････････････････････"));
    std::string path = analyser.folder.path() + "ZovEdit.CFG";
    std::string side(static_cast<std::size_t>(std::max(0, 35 - static_cast<int>(path.size() / 2))),
                     '\xA5');
    EXPECT_EQ(lines[2], side + "     " + path + "     " + side);
    EXPECT_EQ(lines[3], dots);
    EXPECT_EQ(lines[4], std::string(51, ' ') +
                            format_local_time(sj("作成：%Y年%m月%d日 %H時%M分").c_str(), 1700000000));
    EXPECT_EQ(lines[19], "FTX=\"" + analyser.folder.path() + "\"" + sj(" ZovEdit.txtが収納されているフォルダ"));
    EXPECT_EQ(lines[23], sj("FSM=2           ＤＸＦファイル生成する場合の新しいファイル名のつけ方"));
    EXPECT_EQ(lines[27], "KM1=\":\"" + sj("(len=2-1) 解析時、グループコード直後の文字"));
    EXPECT_EQ(lines[32], sj("                 　　解析ファイルを読みやすく  する=1  しない=0"));
    EXPECT_EQ(lines[38], "KK0=\"" + sj("$ACADVER  (AutoCADのﾊﾞｰｼﾞｮﾝ)") + "\"");
    EXPECT_EQ(lines[47], "KK9=\"\"");
    EXPECT_EQ(lines[49], sj("KKS=0            解析時、項目を選択して解析 する=1  しない=0"));
    EXPECT_EQ(lines[53], sj("TMM=1 (MS-DOS=1  MAC=2  UNIX=3)テキストファイルの出力スタイル"));
}

TEST(SettingsFile, LongPathLineHasNoDots) {
    RecordingMessages messages;
    FixedClock clock(0);
    AcceptingDialogs dialogs;
    TempFolder folder;
    std::string deep = folder.path() + std::string(60, 'd') + "/";
    ASSERT_TRUE(make_folders(deep));
    AnalyserContext context(deep, messages, clock, dialogs);
    ASSERT_EQ(save_settings(context), 0);
    EXPECT_EQ(split_lines(read_file(deep + "ZovEdit.CFG"))[2], "     " + deep + "ZovEdit.CFG     ");
}

TEST(SettingsFile, WrittenAndReadBack) {
    TestAnalyser analyser;
    AnalyserSettings& s = analyser.context.settings;
    s.FHS = "ABCDEFGHIJK";  // 11 letters: more than a prefix may hold
    s.FSM = 1;
    s.FCO = 0;
    s.KM1 = "#";
    s.KDE = 7;
    s.KHO = 0;
    s.KCU = 1;
    s.KKS = 1;
    s.KTM = 2;
    s.TMM = 3;
    s.KK[9] = sj("HATCH  (ハッチング)");
    ASSERT_EQ(save_settings(analyser.context), 0);
    AnalyserSettings written = s;
    s = AnalyserSettings();
    load_settings(analyser.context);
    EXPECT_EQ(s.FHS, "ABCDEFGH");
    EXPECT_EQ(s.FTX, written.FTX);
    EXPECT_EQ(s.FCD, written.FCD);
    EXPECT_EQ(s.KM1, "#");
    EXPECT_EQ(s.KM2, "_");
    EXPECT_EQ(s.FSM, 1);
    EXPECT_EQ(s.FCO, 0);
    EXPECT_EQ(s.KDE, 7);  // unquoted: the number up to the first blank
    EXPECT_EQ(s.KHO, 0);
    EXPECT_EQ(s.KCU, 1);
    EXPECT_EQ(s.KKS, 1);
    EXPECT_EQ(s.KTM, 2);
    EXPECT_EQ(s.TMM, 3);
    EXPECT_EQ(s.KK, written.KK);
    EXPECT_TRUE(analyser.messages.entries.empty());
}

TEST(SettingsFile, HandEditedValues) {
    TestAnalyser analyser;
    write_file(analyser.file("ZovEdit.CFG"),
               sj("FHS=\"亜亜亜亜亜\"\r\n") +  // ten bytes of 亜
               "KDE=abc\r\n"
               "KHO=0\r\n"
               "KHO=1 later line wins\r\n"
               "KK3=\"" + std::string(40, 'Q') + "\r\n"  // no closing quote
               "XYZ=5\r\n"
               "KCU 1 not a setting\r\n");
    load_settings(analyser.context);
    const AnalyserSettings& s = analyser.context.settings;
    EXPECT_EQ(s.FHS, sj("亜亜亜亜"));
    EXPECT_EQ(s.KDE, 0);
    EXPECT_EQ(s.KHO, 1);
    EXPECT_EQ(s.KK[3], std::string(36, 'Q'));
}

TEST(SettingsFile, MissingOrUnreadableFileGivesDefaults) {
    TestAnalyser analyser;
    AnalyserSettings& s = analyser.context.settings;
    delete_file(analyser.file("ZovEdit.CFG"));
    delete_file(analyser.file("_ZOV_.CSV"));
    s.KHO = 0;
    load_settings(analyser.context);
    EXPECT_EQ(s.KHO, 1);
    EXPECT_TRUE(file_exists(analyser.file("ZovEdit.CFG")));
    EXPECT_TRUE(file_exists(analyser.file("_ZOV_.CSV")));

    // A settings file without any line end cannot be read line by line.
    write_file(analyser.file("ZovEdit.CFG"), "KHO=0");
    s.KHO = 0;
    load_settings(analyser.context);
    EXPECT_EQ(s.KHO, 1);
}

TEST(SettingsFile, UncreatableFileIsReportedAndSettingsStay) {
    RecordingMessages messages;
    FixedClock clock(0);
    AcceptingDialogs dialogs;
    AnalyserContext context("/nonexistent-folder/", messages, clock, dialogs);
    context.settings.KHO = 0;
    EXPECT_EQ(save_settings(context), -1);
    EXPECT_EQ(messages.last(), sj("/nonexistent-folder/ZovEdit.CFGを作成できませんでした"));
    EXPECT_EQ(messages.entries.back().icon, MessageIcon::Stop);
    EXPECT_EQ(context.settings.KHO, 0);
}

}  // namespace
}  // namespace zov
