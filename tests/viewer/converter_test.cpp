#include <chrono>
#include <filesystem>
#include <thread>

#include "common/files.h"
#include "shell_fixture.h"
#include "viewer/command_line.h"
#include "viewer/converter.h"
#include "viewer/load_drawing.h"
#include "viewer/open_commands.h"
#include "viewer/settings_file.h"
#include "viewer/store_stamp.h"

namespace zov {
namespace {

class Converter : public ShellTest {
protected:
    void SetUp() override { ASSERT_EQ(load_settings(shell), 0); }

    // A converter folder with the stand-in converter and, when asked, its data file.
    std::string converter_folder(bool with_data = true) {
        return make_converter_folder(files.file("tools dir/"), ZOV_SOURCE_DIR, with_data);
    }
    std::string converter_log() const {
        return read_file_bytes(files.file("tools dir/DCONVERT.LOG"));
    }
    // The log with each converted DWG's own folder (a fresh one per open,
    // "dwg-" and six characters inside the program folder) shown as "<own>/".
    std::string converter_log_in_own_folders() const {
        std::string log = converter_log();
        const std::string own = home.file("dwg-");
        for (std::size_t at; (at = log.find(own)) != std::string::npos;)
            log.replace(at, own.size() + 6, "<own>");
        return log;
    }
};

TEST_F(Converter, CommandLineNamesAStartFileAndAConverterFolder) {
    write_small_dxf(files.file("a.dxf"));
    EXPECT_EQ(parse_command_line(shell, {}), -1);
    EXPECT_EQ(parse_command_line(shell, {""}), -1);
    EXPECT_TRUE(messages.entries.empty());

    EXPECT_EQ(parse_command_line(shell, {files.file("a.dxf")}), 1);
    EXPECT_EQ(shell.state.start_file, files.file("a.dxf"));

    // A path with blanks is one argument and stays whole.
    write_small_dxf(files.file("my plan.dxf"));
    EXPECT_EQ(parse_command_line(shell, {files.file("my plan.dxf")}), 1);
    EXPECT_EQ(shell.state.start_file, files.file("my plan.dxf"));
    EXPECT_EQ(parse_command_line(shell, {files.file("my")}), -1);
    EXPECT_EQ(last_message(), files.file("my") + "を見つけられません");
    EXPECT_EQ(shell.state.start_file, "");

    const std::string tools = converter_folder();  // "tools dir/": a folder with a blank
    EXPECT_EQ(parse_command_line(shell, {files.file("a.dxf"), "/D:" + tools}), 2);
    EXPECT_EQ(shell.state.command_line_converter_folder, tools);
    // The slash is added when missing.
    EXPECT_EQ(
        parse_command_line(shell, {files.file("a.dxf"), "/D:" + tools.substr(0, tools.size() - 1)}),
        2);
    EXPECT_EQ(shell.state.command_line_converter_folder, tools);
    // A folder without the converter: -1, the start file stays.
    EXPECT_EQ(parse_command_line(shell, {files.file("a.dxf"), "/D:" + files.path()}), -1);
    EXPECT_EQ(shell.state.command_line_converter_folder, "");
    EXPECT_EQ(shell.state.start_file, files.file("a.dxf"));
    EXPECT_EQ(parse_command_line(shell, {files.file("a.dxf"), "-x"}), 1);
}

TEST_F(Converter, RelativeStartArgumentsAreResolvedAgainstTheStartFolder) {
    EXPECT_TRUE(start_command_line({}, "/home/u/").empty());
    EXPECT_EQ(start_command_line({"my plan.dxf"}, "/home/u/"),
              (std::vector<std::string>{"/home/u/my plan.dxf"}));
    EXPECT_EQ(start_command_line({"/data/a.jwc", "/D:tools", "extra"}, "/home/u"),
              (std::vector<std::string>{"/data/a.jwc", "/D:/home/u/tools"}));
    EXPECT_EQ(start_command_line({"a.dxf", "/D:/opt/conv/"}, "/w/"),
              (std::vector<std::string>{"/w/a.dxf", "/D:/opt/conv/"}));
    EXPECT_EQ(start_command_line({"a.dxf", "-x"}, "/w/"),
              (std::vector<std::string>{"/w/a.dxf", "-x"}));
}

TEST_F(Converter, CommandTextAndArgumentsPreferTheCommandLineFolder) {
    shell.state.converter_folder = "/opt/conv/";
    EXPECT_EQ(converter_command_text(shell, "/d/a b.dwg"), "/opt/conv/DCONVERT.EXE /d/a b.dwg DXF");
    shell.state.command_line_converter_folder = "/tools/";
    EXPECT_EQ(converter_command_text(shell, "/d/a.dwg"), "/tools/DCONVERT.EXE /d/a.dwg DXF");
    EXPECT_EQ(converter_arguments(shell, "/d/a b.dwg"),
              (std::vector<std::string>{"/tools/DCONVERT.EXE", "/d/a b.dwg", "DXF"}));
}

TEST_F(Converter, RunsOnlyTheConverterWhateverTheFileName) {
    shell.state.converter_folder = converter_folder();
    const std::string dwg = files.file("a b;touch HACKED;$(touch HACKED2)`touch HACKED3`'\".dwg");
    write_file_bytes(dwg, "dwg");
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, dwg), 0);
    EXPECT_EQ(converter_log_in_own_folders(),
              "<own>/a b;touch HACKED;$(touch HACKED2)`touch HACKED3`'\".dwg\nDXF\n");
    for (const char* marker : {"HACKED", "HACKED2", "HACKED3"}) {
        EXPECT_FALSE(std::filesystem::exists(files.file(marker)));
        EXPECT_FALSE(std::filesystem::exists(home.file(marker)));
    }
    // The DXF made from the DWG was read and deleted.
    EXPECT_FALSE(std::filesystem::exists(set_extension_dxf(dwg)));
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_TRUE(shell.state.converter_ran);
    EXPECT_EQ(shell.state.dwg_folder, files.path());
    EXPECT_GT(file_size(home.file("$VV_DAT$.TMP")), 576);
}

TEST_F(Converter, OneOpenRunsTheConverterOnce) {
    shell.state.converter_folder = converter_folder();
    const std::string dwg = files.file("A.DWG");
    write_file_bytes(dwg, "dwg");
    dialog.answers = {dwg};
    open_dwg_command(shell);  // runs it, then load_drawing does not run it again
    EXPECT_EQ(converter_log_in_own_folders(), "<own>/A.DWG\nDXF\n");
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(cp932_to_utf8(dialog.requests[0].title),
              "ＡｕｔｏＣＡＤのデータファイルを指定します");
    EXPECT_EQ(cp932_to_utf8(dialog.requests[0].filter),
              "DWGﾌｧｲﾙ(*.DWG)|*.DWG|全てのﾌｧｲﾙ(*.*)|*.*||");
    EXPECT_FALSE(std::filesystem::exists(files.file("A.DXF")));

    // After the repaint cleared the flag, the next open runs it again.
    shell.state.converter_ran = false;
    dialog.answers = {dwg};
    open_dwg_command(shell);
    EXPECT_EQ(converter_log_in_own_folders(), "<own>/A.DWG\nDXF\n<own>/A.DWG\nDXF\n");
}

TEST_F(Converter, TheUsersOwnDxfIsNeverDeleted) {
    // A converter that writes nothing: the DXF next to the DWG stays, and it
    // is not shown as if it had been converted.
    const std::string tools = converter_folder();
    write_file_bytes(tools + "DCONVERT.EXE", "#!/bin/sh\nexit 3\n");
    shell.state.converter_folder = tools;
    write_file_bytes(files.file("A.dwg"), "dwg");
    write_small_dxf(files.file("A.DXF"));
    EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("A.dwg")), -1);
    EXPECT_EQ(last_message(), " " + files.file("A.DXF") + " をオープンできない-1");
    EXPECT_TRUE(std::filesystem::exists(files.file("A.DXF")));

    // No DXF at all: the DXF importer's message for the expected file.
    shell.state.converter_ran = false;
    write_file_bytes(files.file("B.dwg"), "dwg");
    EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("B.dwg")), -1);
    EXPECT_EQ(last_message(), " " + files.file("B.DXF") + " をオープンできない-1");
}

TEST_F(Converter, AConverterThatCannotStartIsReported) {
    const std::string tools = converter_folder();
    std::filesystem::permissions(tools + "DCONVERT.EXE", std::filesystem::perms::owner_read);
    shell.state.converter_folder = tools;
    write_file_bytes(files.file("A.dwg"), "dwg");
    EXPECT_EQ(run_dwg_converter(shell, files.file("A.dwg")), -1);
    EXPECT_EQ(last_message(),
              tools + "DCONVERT.EXE " + files.file("A.dwg") + " DXF を実行できない");
}

TEST_F(Converter, CheckAsksForTheConverterAndItsDataFile) {
    const std::string tools = converter_folder(false);
    // No converter, answer No.
    messages.answers = {false};
    EXPECT_EQ(check_converter(shell), -1);
    EXPECT_EQ(message(0), "DCONVERT.EXEを見つけられませんでした。ご自分で探しますか？");
    EXPECT_TRUE(messages.entries[0].question);
    EXPECT_EQ(message(1), "DWGファイルを表示するにはDCONVERT.EXEとADINIT.DATが必要です。");

    // Yes, and the user points to it: the folder is taken, the command ends.
    messages.entries.clear();
    dialog.answers = {tools + "DCONVERT.EXE"};
    EXPECT_EQ(check_converter(shell), -1);
    EXPECT_EQ(shell.state.converter_folder, tools);
    EXPECT_EQ(message(1), "DCONVERT.EXEが利用できます。再度DWGファイルを指定してください。");
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(cp932_to_utf8(dialog.requests[0].filter),
              "DCONVERT.EXEﾌｧｲﾙ|DCONVERT.EXE|全てのﾌｧｲﾙ(*.*)|*.*||");
    EXPECT_EQ(cp932_to_utf8(dialog.requests[0].title), "DCONVERT.EXEを指定してください");
    EXPECT_EQ(dialog.requests[0].initial_folder, home.path());

    // Now ADINIT.DAT is missing; the user points to one in a folder without
    // the converter, so the next check asks for the converter again.
    messages.entries.clear();
    write_file_bytes(files.file("ADINIT.DAT"), "");
    dialog.answers = {files.file("ADINIT.DAT")};
    EXPECT_EQ(check_converter(shell), -1);
    EXPECT_EQ(message(0), "ADINIT.DATを見つけられませんでした。ご自分でを探しますか？");
    EXPECT_EQ(message(1), "ADINIT.DATが見つかりました。再度DWGファイルを指定してください。");
    EXPECT_EQ(shell.state.converter_folder, files.path());
    messages.entries.clear();
    messages.answers = {false};
    EXPECT_EQ(check_converter(shell), -1);
    EXPECT_EQ(message(0), "DCONVERT.EXEを見つけられませんでした。ご自分で探しますか？");

    // Both in one folder.
    write_file_bytes(tools + "ADINIT.DAT", "");
    shell.state.converter_folder = tools;
    messages.entries.clear();
    EXPECT_EQ(check_converter(shell), 0);
    EXPECT_TRUE(messages.entries.empty());

    // ADINIT.DAT missing, answer No.
    std::filesystem::remove(tools + "ADINIT.DAT");
    messages.answers = {false};
    EXPECT_EQ(check_converter(shell), -1);
    EXPECT_EQ(message(1), "DWGファイルを表示するにはADINIT.DATとDCONVERT.EXEが必要です。");
}

TEST_F(Converter, DwgCommandEndsWhenTheConverterIsMissing) {
    messages.answers = {false};
    dialog.answers = {files.file("A.dwg")};
    open_dwg_command(shell);
    EXPECT_TRUE(dialog.requests.empty());
    EXPECT_FALSE(shell.state.converter_ran);
}

TEST_F(Converter, TheConverterWorksInAFolderOfItsOwn) {
    shell.state.converter_folder = converter_folder();
    write_file_bytes(files.file("A.dwg"), "dwg");
    write_file_bytes(files.file("A.DXF"), "the user's own drawing");
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("A.dwg")), 0);
    // The converted drawing was shown (two entities), the user's file is
    // untouched, and the converter's folder is gone.
    EXPECT_EQ(read_file_bytes(files.file("A.DXF")), "the user's own drawing");
    EXPECT_EQ(read_file_bytes(files.file("A.dwg")), "dwg");
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home.path()))
        entries += entry.path().filename().string().rfind("dwg-", 0) == 0;
    EXPECT_EQ(entries, 0u);
    EXPECT_TRUE(messages.entries.empty());
}

// Stopped at the time limit with whatever it started: a program of its own
// in its place, or one that waits for a child of its own.
TEST_F(Converter, AConverterThatNeverEndsIsStoppedAtItsTimeLimit) {
    const std::string tools = converter_folder();
    shell.state.converter_folder = tools;
    shell.state.converter_time_limit_seconds = 1;
    write_file_bytes(files.file("A.dwg"), "dwg");
    const struct {
        const char* script;
        bool starts_child;
    } cases[] = {
        {"exec sleep 60\n", false},
        {"here=$(dirname \"$0\")\nsleep 30 &\necho $! > \"$here/child\"\nwait\n", true},
    };
    for (const auto& c : cases) {
        write_converter(tools, c.script);
        std::filesystem::remove(tools + "child");
        shell.state.converter_ran = false;
        messages.entries.clear();
        EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("A.dwg")), -1);
        EXPECT_EQ(message(0), tools + "DCONVERT.EXE " + files.file("A.dwg") +
                                  " DXF が1秒たっても終わらないので止めました");
        EXPECT_EQ(messages.entries.size(), 1u);
        if (c.starts_child) {
            const int child = wait_for_pid_file(tools + "child");
            ASSERT_GT(child, 0);
            EXPECT_FALSE(process_survives(child)) << c.script;
        }
    }
}

TEST_F(Converter, TheBundledConverterStandsInUntilTheUserSetsOne) {
    const std::string bundled = make_converter_folder(files.file("bundled/"), ZOV_SOURCE_DIR, true);
    shell.state.bundled_converter_folder = bundled;
    write_file_bytes(files.file("A.dwg"), "dwg");
    // No converter of the user's: nothing is asked, the bundled one converts.
    EXPECT_EQ(check_converter(shell), 0);
    ASSERT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("A.dwg")), 0);
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    EXPECT_EQ(converter_command_text(shell, "/d/a.dwg"), bundled + "DCONVERT.EXE /d/a.dwg DXF");
    // A folder the user set wins, and "/D:" wins over both.
    const std::string own = converter_folder();
    shell.state.converter_folder = own;
    EXPECT_EQ(converter_command_text(shell, "/d/a.dwg"), own + "DCONVERT.EXE /d/a.dwg DXF");
    shell.state.command_line_converter_folder = "/tools/";
    EXPECT_EQ(converter_command_text(shell, "/d/a.dwg"), "/tools/DCONVERT.EXE /d/a.dwg DXF");
}

TEST_F(Converter, TheBundledConverterIsFoundInstalledOrInTheBuildTree) {
    const std::string installed = files.file("usr/lib/zovview/dwg-converter/");
    const std::string built = files.file("build/dwg-converter/");
    make_converter_folder(installed, ZOV_SOURCE_DIR, true);
    make_converter_folder(built, ZOV_SOURCE_DIR, false);  // without its data file
    std::filesystem::create_directories(files.file("usr/bin"));
    EXPECT_EQ(find_bundled_converter(files.file("usr/bin/")), installed);
    EXPECT_EQ(find_bundled_converter(files.file("build/")), "");
    write_file_bytes(built + "ADINIT.DAT", "");
    EXPECT_EQ(find_bundled_converter(files.file("build/")), built);
    EXPECT_EQ(find_bundled_converter(""), "");
}

TEST_F(Converter, WhatTheConverterCannotDoIsSaidOnceAndPlainly) {
    const std::string tools = converter_folder();
    shell.state.converter_folder = tools;
    const std::string dwg = files.file("A.dwg");
    write_file_bytes(dwg, "dwg");
    const std::string command = tools + "DCONVERT.EXE " + dwg + " DXF";
    struct Case {
        const char* script;
        std::string message;
        int result;
    };
    const Case cases[] = {
        {"echo 'DWG version AC1099 is not one this converter reads' >&2\nexit 1\n",
         dwg + " を変換できませんでした。\nDWG version AC1099 is not one this converter reads", -1},
        {"echo 'reading the classes' >&2\nkill -SEGV $$\n",
         command + " が異常終了しました(シグナル 11)。\nreading the classes", -1},
        {"kill -ABRT $$\n", command + " が異常終了しました(シグナル 6)。", -1},
        {"exit 0\n", " " + files.file("A.DXF") + " をオープンできない-1", -1},
        {"printf '0\\nSECTION\\n2\\nENTITIES\\n0\\nENDSEC\\n0\\nEOF\\n' > \"${1%.*}.DXF\"\n",
         dwg + " のモデル空間には図形がありません(no entities in model space)", 0},
    };
    for (const Case& c : cases) {
        write_converter(tools, c.script);
        shell.state.converter_ran = false;
        messages.entries.clear();
        const StoreStamp before = store_stamp(home.file("$VV_DAT$.TMP"));
        EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, dwg), c.result) << c.script;
        ASSERT_EQ(messages.entries.size(), 1u) << c.script;
        EXPECT_EQ(message(0), c.message);
        // A failure leaves the drawing that was there.
        if (c.result != 0) {
            EXPECT_EQ(store_stamp(home.file("$VV_DAT$.TMP")), before) << c.script;
        }
    }
}

TEST_F(Converter, AStopEndsTheConverterAndWhatItStartedAtOnce) {
    const std::string tools = converter_folder();
    write_converter(tools,
                    "here=$(dirname \"$0\")\nsleep 30 &\necho $! > \"$here/child\"\n"
                    "echo $$ > \"$here/leader\"\nwait\n");
    shell.state.converter_folder = tools;
    write_file_bytes(files.file("A.dwg"), "dwg");
    LoadProgress seen;
    std::thread user([&] {
        wait_for_pid_file(tools + "child");
        seen = shell.activity.progress();
        shell.activity.request_cancel();
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("A.dwg")), -1);
    user.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(seen.step, LoadStep::Converting);
    EXPECT_EQ(seen.file_name, "A.dwg");
    EXPECT_EQ(shell.activity.progress().step, LoadStep::Idle);
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    EXPECT_FALSE(process_running(wait_for_pid_file(tools + "leader")));
    EXPECT_FALSE(process_survives(wait_for_pid_file(tools + "child")));
}

}  // namespace
}  // namespace zov
