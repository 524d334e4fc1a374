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
    EXPECT_EQ(s.help_folder, analyser.folder.path());
    EXPECT_EQ(s.analysis_prefix, "_");
    EXPECT_EQ(s.naming_rule, 2);
    EXPECT_EQ(s.code_mark, ":");
    EXPECT_EQ(s.end_code, 24);
    EXPECT_EQ(s.analysis_form, 1);
    EXPECT_EQ(s.selected_items[0], sj("$ACADVER  (AutoCADのﾊﾞｰｼﾞｮﾝ)"));
    EXPECT_EQ(s.selected_items[6], sj("TEXT  (文字)"));
    EXPECT_EQ(s.selected_items[7], "");
    EXPECT_EQ(s.editor_path, analyser.folder.path() + "ZovEdit.EXE");

    s.analysis_form = kFormOwn;
    EXPECT_EQ(format_management_line(management_for(s, 0)),
              sj("Zov=100:_047072508$-^00880240(管理データ書き換え禁止)"));
    s.explanation = 0;
    ManagementRecord r = management_for(s, 0);
    EXPECT_EQ(r.header_lines, 9);
    EXPECT_EQ(r.checksum, 1 + 9 + 7 + 25 + 8);
    s.explanation = 1;
    s.item_comments = 0;
    s.cut_handles = 1;
    s.selected_only = 1;
    s.analysis_form = kFormC;
    r = management_for(s, 3);
    EXPECT_EQ(r.header_lines, 43 + 2 + 3 + 2 + 2);
    EXPECT_EQ(r.code_column, 8);
    EXPECT_EQ(r.end_code, 32);
    EXPECT_EQ(format_management_line(r).substr(0, 29), "Zov=011:_052070808$-^00770322");
}

TEST(Settings, UnusableMarksAndEndCodesFallBackToTheirDefaults) {
    AnalyserSettings s;
    s.analysis_form = kFormOwn;
    s.end_code = 300;
    s.code_mark = "";
    EXPECT_EQ(management_for(s, 0).end_code, 24);
    EXPECT_EQ(management_for(s, 0).code_mark, ':');
    s.end_code = 10;  // a line end would split the item lines
    EXPECT_EQ(management_for(s, 0).end_code, 24);
    s.end_code = 1;
    EXPECT_EQ(management_for(s, 0).end_code, 1);
}

TEST(SettingsFile, WrittenLineByLine) {
    TestAnalyser analyser;
    std::vector<std::string> lines = split_lines(read_file(analyser.file("ZovEdit.CFG")), "\r\n");
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
    EXPECT_EQ(lines[4],
              std::string(51, ' ') +
                  format_local_time(sj("作成：%Y年%m月%d日 %H時%M分").c_str(), 1700000000));
    EXPECT_EQ(lines[19], "FTX=\"" + analyser.folder.path() + "\"" +
                             sj(" ZovEdit.txtが収納されているフォルダ"));
    EXPECT_EQ(lines[23],
              sj("FSM=2           ＤＸＦファイル生成する場合の新しいファイル名のつけ方"));
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
    ASSERT_TRUE(save_settings(context));
    EXPECT_EQ(split_lines(read_file(deep + "ZovEdit.CFG"))[2], "     " + deep + "ZovEdit.CFG     ");
}

TEST(SettingsFile, WrittenAndReadBack) {
    TestAnalyser analyser;
    AnalyserSettings& s = analyser.context.settings;
    s.analysis_prefix = "ABCDEFGHIJK";  // 11 letters: more than a prefix may hold
    s.naming_rule = 1;
    s.comment_groups = 0;
    s.code_mark = "#";
    s.end_code = 7;
    s.item_comments = 0;
    s.cut_handles = 1;
    s.selected_only = 1;
    s.analysis_form = 2;
    s.line_ends = 3;
    s.selected_items[9] = sj("HATCH  (ハッチング)");
    ASSERT_TRUE(save_settings(analyser.context));
    AnalyserSettings written = s;
    s = AnalyserSettings();
    load_settings(analyser.context);
    EXPECT_EQ(s.analysis_prefix, "ABCDEFGH");
    EXPECT_EQ(s.help_folder, written.help_folder);
    EXPECT_EQ(s.dxf_folder, written.dxf_folder);
    EXPECT_EQ(s.code_mark, "#");
    EXPECT_EQ(s.data_mark, "_");
    EXPECT_EQ(s.naming_rule, 1);
    EXPECT_EQ(s.comment_groups, 0);
    EXPECT_EQ(s.end_code, 7);  // unquoted: the number up to the first blank
    EXPECT_EQ(s.item_comments, 0);
    EXPECT_EQ(s.cut_handles, 1);
    EXPECT_EQ(s.selected_only, 1);
    EXPECT_EQ(s.analysis_form, 2);
    EXPECT_EQ(s.line_ends, 3);
    EXPECT_EQ(s.selected_items, written.selected_items);
    EXPECT_TRUE(analyser.messages.entries.empty());
}

TEST(SettingsFile, HandEditedValues) {
    TestAnalyser analyser;
    write_file(analyser.file("ZovEdit.CFG"),
               sj("FHS=\"亜亜亜亜亜\"\r\n") +  // ten bytes of 亜
                   "KDE=abc\r\n"
                   "KHO=0\r\n"
                   "KHO=1 later line wins\r\n"
                   "KK3=\"" +
                   std::string(40, 'Q') +
                   "\r\n"  // no closing quote
                   "XYZ=5\r\n"
                   "KCU 1 not a setting\r\n");
    load_settings(analyser.context);
    const AnalyserSettings& s = analyser.context.settings;
    EXPECT_EQ(s.analysis_prefix, sj("亜亜亜亜"));
    EXPECT_EQ(s.end_code, 0);
    EXPECT_EQ(s.item_comments, 1);
    EXPECT_EQ(s.selected_items[3], std::string(36, 'Q'));
}

TEST(SettingsFile, MissingOrUnreadableFileGivesDefaults) {
    TestAnalyser analyser;
    AnalyserSettings& s = analyser.context.settings;
    delete_file(analyser.file("ZovEdit.CFG"));
    delete_file(analyser.file("_ZOV_.CSV"));
    s.item_comments = 0;
    load_settings(analyser.context);
    EXPECT_EQ(s.item_comments, 1);
    EXPECT_TRUE(file_exists(analyser.file("ZovEdit.CFG")));
    EXPECT_TRUE(file_exists(analyser.file("_ZOV_.CSV")));

    // A settings file without any line end cannot be read line by line.
    write_file(analyser.file("ZovEdit.CFG"), "KHO=0");
    s.item_comments = 0;
    load_settings(analyser.context);
    EXPECT_EQ(s.item_comments, 1);
}

// The user saves ZovEdit.CFG (one line replaced) while the session runs,
// which meanwhile changes settings of its own; the next save keeps both.
TEST(SettingsFile, SaveKeepsWhatTheUserSavedMeanwhile) {
    struct Case {
        const char* user_line_from;
        const char* user_line_to;
        void (*session_change)(AnalyserSettings&);
        std::vector<std::string> written;  // lines the file holds afterwards
        std::string prefix;                // the session's FHS afterwards
    };
    auto nothing = [](AnalyserSettings&) {};
    auto own_prefix = [](AnalyserSettings& s) { s.analysis_prefix = "s"; };
    const Case cases[] = {
        {"FHS=\"_\"", "FHS=\"u\"", nothing, {"FHS=\"u\""}, "u"},
        {"KTM=1 ", "KTM=2 ", own_prefix, {"FHS=\"s\"", "KTM=2 "}, "s"},
        {"FHS=\"_\"", "FHS=\"u\"", own_prefix, {"FHS=\"s\""}, "s"},  // the session's change
        {"KK7=\"\"", "KK7=\"ARC\"", nothing, {"KK7=\"ARC\"", "FHS=\"_\""}, "_"},
    };
    for (const Case& c : cases) {
        TestAnalyser analyser;
        std::string file = read_file(analyser.file("ZovEdit.CFG"));
        const std::size_t at = file.find(c.user_line_from);
        ASSERT_NE(at, std::string::npos) << c.user_line_from;
        file.replace(at, std::string(c.user_line_from).size(), c.user_line_to);
        write_file(analyser.file("ZovEdit.CFG"), file);
        c.session_change(analyser.context.settings);
        ASSERT_TRUE(save_settings(analyser.context));
        const std::string written = read_file(analyser.file("ZovEdit.CFG"));
        for (const std::string& line : c.written)
            EXPECT_NE(written.find("\r\n" + line), std::string::npos)
                << c.user_line_to << ": " << line;
        EXPECT_EQ(analyser.context.settings.analysis_prefix, c.prefix) << c.user_line_to;
    }

    // Saved files the session has taken in are not read again: a later
    // change of the session's own is written as it is.
    TestAnalyser analyser;
    write_file(analyser.file("ZovEdit.CFG"), "FHS=\"u\"\r\n");
    refresh_settings(analyser.context);
    EXPECT_EQ(analyser.context.settings.analysis_prefix, "u");
    ASSERT_TRUE(save_settings(analyser.context));
    analyser.context.settings.analysis_prefix = "_";
    ASSERT_TRUE(save_settings(analyser.context));
    EXPECT_NE(read_file(analyser.file("ZovEdit.CFG")).find("FHS=\"_\""), std::string::npos);
}

TEST(SettingsFile, UncreatableFileIsReportedAndSettingsStay) {
    RecordingMessages messages;
    FixedClock clock(0);
    AcceptingDialogs dialogs;
    AnalyserContext context("/nonexistent-folder/", messages, clock, dialogs);
    context.settings.item_comments = 0;
    EXPECT_FALSE(save_settings(context));
    EXPECT_EQ(messages.last(), sj("/nonexistent-folder/ZovEdit.CFGを作成できませんでした"));
    EXPECT_EQ(messages.entries.back().icon, MessageIcon::Stop);
    EXPECT_EQ(context.settings.item_comments, 0);
}

}  // namespace
}  // namespace zov
