#include <filesystem>

#include "shell_fixture.h"
#include "viewer/history_file.h"
#include "viewer/load_drawing.h"
#include "viewer/open_commands.h"
#include "viewer/settings_file.h"

namespace zov {
namespace {

std::string cfg_text(const std::vector<std::string>& utf8_lines) {
    std::string text;
    for (const std::string& line : utf8_lines) text += utf8_to_cp932(line) + "\r\n";
    return text;
}

std::string label(const std::string& name, const std::string& folder) {
    std::string padded = name;
    if (padded.size() < 16) padded.append(16 - padded.size(), ' ');
    return padded + " (" + folder + ")";
}

class SettingsAndHistory : public ShellTest {
protected:
    std::string settings() const { return read_file_bytes(home.file(kViewerSettingsFileName)); }
    std::string history_bytes() const { return read_file_bytes(home.file(kHistoryFileName)); }
};

TEST_F(SettingsAndHistory, FirstStartWritesDefaultsAndAnEmptyHistory) {
    ASSERT_EQ(load_settings(shell), 0);
    const std::string h = home.path();
    EXPECT_EQ(settings(), cfg_text({"0", "0", "????年??月??日", h, h, h, h, h}));
    EXPECT_EQ(history_bytes(), std::string(50 * 284, '\0'));
    EXPECT_EQ(shell.state.history_count, 0);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(SettingsAndHistory, LoadsAreListedNewestFirst) {
    ASSERT_EQ(load_settings(shell), 0);
    write_small_dxf(files.file("PLAN.DXF"));
    load_drawing(shell, SettingsFile::Rewrite, files.file("PLAN.DXF"));
    clock.set(kMay12 + 65);
    // Missing: refused by the importer.
    load_drawing(shell, SettingsFile::Rewrite, files.file("plan.dxf"));
    clock.set(kMay12 + 3600);
    // The same file again: a second entry.
    load_drawing(shell, SettingsFile::Rewrite, files.file("PLAN.DXF"));

    const std::string h = home.path();
    const std::string f = files.path();
    EXPECT_EQ(
        settings(),
        cfg_text({"3", "0", "2000年05月12日", h, h, f, h, h, "05/12 15:30 " + label("PLAN.DXF", f),
                  "05/12 14:31 " + label("plan.dxf", f), "05/12 14:30 " + label("PLAN.DXF", f)}));
    EXPECT_EQ(message(0), " " + f + "plan.dxf をオープンできない-1");
    EXPECT_EQ(shell.state.current_file_label, f + "PLAN.DXF");
    const std::vector<std::string> list = history_dialog_entries(shell);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(cp932_to_utf8(list[1]), "05/12 14:31 " + label("plan.dxf", f));
}

TEST_F(SettingsAndHistory, TheFiftyFirstLoadDropsTheOldest) {
    ASSERT_EQ(load_settings(shell), 0);
    for (int i = 0; i <= 50; ++i) {
        clock.set(kMay12 + i * 60);
        load_drawing(shell, SettingsFile::Rewrite, files.file(format_text("F%02d.dxf", i)));
    }
    EXPECT_EQ(shell.state.history_count, 50);
    const std::string f = files.path();
    std::vector<std::string> expected = {"50",        "0", "2000年05月12日", home.path(),
                                         home.path(), f,   home.path(),      home.path()};
    for (int i = 50; i >= 1; --i)
        expected.push_back(format_text("05/12 %02d:%02d ", 14 + (30 + i) / 60, (30 + i) % 60) +
                           label(format_text("F%02d.dxf", i), f));
    EXPECT_EQ(settings(), cfg_text(expected));

    // A restart reads them back, oldest in record 0.
    ViewerShell again(home.path(), messages, clock, dialog);
    ASSERT_EQ(load_settings(again), 0);
    EXPECT_EQ(again.state.history_count, 50);
    HistoryFile history;
    ASSERT_TRUE(history.open(home.file(kHistoryFileName)));
    EXPECT_EQ(cp932_to_utf8(history.read(0)), expected.back());
    EXPECT_EQ(cp932_to_utf8(history.read(49)), expected[8]);
    EXPECT_EQ(save_settings(again), 0);
    EXPECT_EQ(settings(), cfg_text(expected));
}

TEST_F(SettingsAndHistory, NameWithBlankAndParenthesisIsCutWhenRebuilt) {
    ASSERT_EQ(load_settings(shell), 0);
    write_small_dxf(files.file("PLAN (1).dxf"));
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("PLAN (1).dxf")), 0);
    const std::string f = files.path();
    EXPECT_NE(settings().find(utf8_to_cp932("05/12 14:30 PLAN (1).dxf     (" + f + ")\r\n")),
              std::string::npos);
    // The entry is cut at the first " (": name "PLAN", folder "1).dxf     (<folder>".
    EXPECT_EQ(shell.state.current_file_label, "1).dxf     (" + f + "PLAN");
    const std::vector<std::string> list = history_dialog_entries(shell);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_FALSE(open_history_entry(shell, list, 0));
    EXPECT_EQ(last_message(), "ファイルを開けません(1).dxf     (" + f + "PLAN)");
}

TEST_F(SettingsAndHistory, HistoryDialogOpensAnEntryWhoseFileExists) {
    ASSERT_EQ(load_settings(shell), 0);
    write_small_dxf(files.file("A.dxf"));
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("A.dxf")), 0);
    const std::vector<std::string> list = history_dialog_entries(shell);
    EXPECT_FALSE(open_history_entry(shell, list, -1));  // nothing selected: nothing happens
    EXPECT_EQ(shell.state.history_count, 1);
    clock.set(kMay12 + 60);
    EXPECT_TRUE(open_history_entry(shell, list, 0));
    EXPECT_EQ(shell.state.history_count, 2);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(SettingsAndHistory, LongFolderNamesSurviveARestart) {
    std::string folder = files.path();
    while (folder.size() < 200) folder += "long-folder-name/";
    std::filesystem::create_directories(folder);
    write_small_dxf(folder + "A.dxf");
    ASSERT_EQ(load_settings(shell), 0);
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, folder + "A.dxf"), 0);

    ViewerShell again(home.path(), messages, clock, dialog);
    ASSERT_EQ(load_settings(again), 0);
    const std::vector<std::string> list = history_dialog_entries(again);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(open_history_entry(again, list, 0));
    EXPECT_EQ(again.state.current_file_label, folder + "A.dxf");
}

TEST_F(SettingsAndHistory, MissingSettingsFileIsWrittenWithoutEntries) {
    ASSERT_EQ(load_settings(shell), 0);
    load_drawing(shell, SettingsFile::Rewrite, files.file("A.dxf"));
    std::filesystem::remove(home.file(kViewerSettingsFileName));
    shell.state.settings_second_number = 9;
    ASSERT_EQ(save_settings(shell), 0);
    const std::string h = home.path();
    EXPECT_EQ(settings(), cfg_text({"0", "0", "2000年05月12日", h, h, files.path(), h, h}));
}

TEST_F(SettingsAndHistory, ShortSettingsFileGivesEofForTheMissingLines) {
    ASSERT_TRUE(write_file_bytes(home.file(kViewerSettingsFileName), "2\r\n7\r\n"));
    ASSERT_EQ(load_settings(shell), 0);
    EXPECT_EQ(shell.state.history_count, 2);
    EXPECT_EQ(shell.state.settings_second_number, 7);
    EXPECT_EQ(shell.state.load_date, "EOF");
    // "EOF" is no folder: the converter folder keeps its default.
    EXPECT_EQ(shell.state.converter_folder, home.path());
    HistoryFile history;
    ASSERT_TRUE(history.open(home.file(kHistoryFileName)));
    EXPECT_EQ(history.read(0), "EOF");
    EXPECT_EQ(history.read(1), "EOF");
    EXPECT_EQ(history.read(2), "");
}

TEST_F(SettingsAndHistory, StoredProgramFolderDoesNotMoveTheProgramsFiles) {
    ASSERT_TRUE(write_file_bytes(
        home.file(kViewerSettingsFileName),
        cfg_text({"0", "5", "2000年05月11日", "/nowhere/", "/j/", "/d/", "/g/", files.path()})));
    ASSERT_EQ(load_settings(shell), 0);
    EXPECT_EQ(shell.state.jwc_folder, "/j/");
    EXPECT_EQ(shell.state.converter_folder, files.path());
    ASSERT_EQ(save_settings(shell), 0);
    EXPECT_EQ(settings(), cfg_text({"0", "5", "2000年05月11日", home.path(), "/j/", "/d/", "/g/",
                                    files.path()}));
}

TEST_F(SettingsAndHistory, DamagedSettingsFilesAreReadWithinBounds) {
    // An absurd count is held to the 50 places of the history.
    std::string text = "1000000000\r\n0\r\nx\r\n/\r\n/\r\n/\r\n/\r\n/\r\n";
    for (int i = 0; i < 60; ++i) text += std::string(400, 'e') + "\r\n";
    ASSERT_TRUE(write_file_bytes(home.file(kViewerSettingsFileName), text));
    ASSERT_EQ(load_settings(shell), 0);
    EXPECT_EQ(shell.state.history_count, 50);
    EXPECT_EQ(history_dialog_entries(shell).size(), 50u);
    EXPECT_EQ(save_settings(shell), 0);

    // Binary garbage and a negative count.
    ASSERT_TRUE(
        write_file_bytes(home.file(kViewerSettingsFileName), std::string("-5\r\n\0\xff\r", 7)));
    ViewerShell again(home.path(), messages, clock, dialog);
    ASSERT_EQ(load_settings(again), 0);
    EXPECT_EQ(again.state.history_count, 0);
    EXPECT_TRUE(history_dialog_entries(again).empty());
}

TEST(HistoryEntries, LabelsPadNamesToSixteenBytes) {
    EXPECT_EQ(history_label("/data/PLAN.DXF"), "PLAN.DXF         (/data/)");
    EXPECT_EQ(history_label("/d/ABCDEFGHIJKL.DXF"), "ABCDEFGHIJKL.DXF (/d/)");  // exactly 16
    EXPECT_EQ(history_label("/d/ABCDEFGHIJKLMNOP.DXF"), "ABCDEFGHIJKLMNOP.DXF (/d/)");  // not cut
    // Japanese names count their CP932 bytes.
    EXPECT_EQ(history_label("/d/平面図.jwc"),
              utf8_to_cp932("平面図.jwc") + std::string(6, ' ') + " (/d/)");
}

TEST(HistoryEntries, PathsAreRebuiltFromEntries) {
    ShellState state;
    path_from_history_entry(state, "05/12 14:30 PLAN.DXF         (/data/)");
    EXPECT_EQ(state.current_file_label, "/data/PLAN.DXF");
    path_from_history_entry(state, "05/12 14:30 PLAN.DXF");
    EXPECT_EQ(state.current_file_label, "");
    path_from_history_entry(state, "05/12 14:30 A (");
    EXPECT_EQ(state.current_file_label, "A");
    path_from_history_entry(state, "short");
    EXPECT_EQ(state.current_file_label, "");
    path_from_history_entry(state, utf8_to_cp932("05/12 14:30 図面.jwc (/ドキュメント/)"));
    EXPECT_EQ(state.current_file_label, "/ドキュメント/図面.jwc");
}

}  // namespace
}  // namespace zov
