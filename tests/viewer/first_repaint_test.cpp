#include <cstring>
#include <filesystem>

#include "common/cp932.h"
#include "shell_fixture.h"
#include "store/records.h"
#include "viewer/first_repaint.h"
#include "viewer/help_drawing.h"
#include "viewer/load_drawing.h"
#include "viewer/settings_file.h"

namespace zov {
namespace {

StoreHeader header_of(const std::string& path) {
    StoreHeader header;
    const std::string bytes = read_file_bytes(path);
    if (bytes.size() >= sizeof header) std::memcpy(&header, bytes.data(), sizeof header);
    return header;
}

class FirstRepaint : public ShellTest {
protected:
    void SetUp() override {
        // A help drawing: the store of a small DXF, copied into the program folder.
        write_small_dxf(files.file("help.dxf"));
        ViewerShell maker(files.path(), messages, clock, dialog);
        ASSERT_EQ(load_settings(maker), 0);
        ASSERT_EQ(load_drawing(maker, SettingsFile::Leave, files.file("help.dxf")), 0);
        help = read_file_bytes(files.file(kDataFileName));
        write_file_bytes(home.file(kHelpDrawingFileName), help);
        write_small_dxf(files.file("plan.dxf"));
        write_file_bytes(files.file("plan.dxf"),
                         read_file_bytes(files.file("plan.dxf")) + "999\r\nx\r\n");
        messages.entries.clear();
    }

    // One start of the viewer on the clock's day: settings, then the first repaint.
    Splash start(const std::string& command_line = "") {
        viewer = std::make_unique<ViewerShell>(home.path(), messages, clock, dialog);
        EXPECT_EQ(load_settings(*viewer), 0);
        if (!command_line.empty()) viewer->state.start_command_line = {command_line};
        EXPECT_TRUE(first_repaint_due(viewer->state));
        Splash splash = prepare_first_repaint(*viewer);
        finish_first_repaint(*viewer);
        EXPECT_FALSE(first_repaint_due(viewer->state));
        return splash;
    }

    std::string store() const { return read_file_bytes(home.file(kDataFileName)); }
    std::string title() const {
        return cp932_to_utf8(window_title(viewer->state, header_of(home.file(kDataFileName))));
    }

    std::string help;
    std::unique_ptr<ViewerShell> viewer;
};

TEST_F(FirstRepaint, HelpDrawingOnTheFirstStartOfADayOnly) {
    const Splash first = start();
    EXPECT_TRUE(first.shown);
    EXPECT_TRUE(first.pause_one_second);
    ASSERT_EQ(first.texts.size(), 2u);
    EXPECT_EQ(first.texts[0].text, "ZovView");
    EXPECT_EQ(first.texts[0].height, 100);
    EXPECT_EQ(first.texts[1].text, "ZovView Version 1.0");
    EXPECT_EQ(first.texts[1].y, 110);
    // The store is the help drawing, captioned.
    const std::string shown = store();
    ASSERT_EQ(shown.size(), help.size());
    EXPECT_EQ(shown.substr(sizeof(StoreHeader)), help.substr(sizeof(StoreHeader)));
    EXPECT_EQ(cp932_to_utf8(std::string(fixed_text(header_of(home.file(kDataFileName)).fname))),
              "ZovViewについて");
    EXPECT_EQ(title(), "ZovViewについて");

    // A drawing is loaded that day; the next start of the day keeps it.
    ASSERT_EQ(load_drawing(*viewer, SettingsFile::Rewrite, files.file("plan.dxf")), 0);
    const std::string plan = store();
    EXPECT_EQ(title(), "plan.dxf");
    clock.set(kMay12 + 3 * 3600);
    EXPECT_FALSE(start().shown);
    EXPECT_EQ(store(), plan);

    // The first start of the next day shows the help drawing again.
    clock.set(kMay12 + kOneDay);
    EXPECT_TRUE(start().shown);
    EXPECT_EQ(store().substr(sizeof(StoreHeader)), help.substr(sizeof(StoreHeader)));
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(FirstRepaint, AStartFileIsLoadedBehindTheStartScreen) {
    start();
    // Today is taken.
    ASSERT_EQ(load_drawing(*viewer, SettingsFile::Rewrite, files.file("help.dxf")), 0);
    const Splash splash = start(files.file("plan.dxf"));
    EXPECT_TRUE(splash.shown);
    EXPECT_FALSE(splash.pause_one_second);
    ASSERT_EQ(splash.texts.size(), 3u);
    EXPECT_EQ(cp932_to_utf8(splash.texts[2].text), "plan.dxf を読み込み中です");
    EXPECT_EQ(splash.texts[2].y, 130);
    EXPECT_EQ(title(), "plan.dxf");
    EXPECT_EQ(viewer->state.start_file, "");
}

TEST_F(FirstRepaint, AMissingStartFileLeavesTheHelpDrawing) {
    const Splash splash = start(files.file("gone.dxf"));
    EXPECT_TRUE(splash.shown);
    EXPECT_EQ(last_message(), files.file("gone.dxf") + "を見つけられません");
    EXPECT_EQ(title(), "ZovViewについて");
    EXPECT_EQ(viewer->state.history_count, 0);
}

TEST_F(FirstRepaint, WithoutAHelpDrawingTheStoreStays) {
    std::filesystem::remove(home.file(kHelpDrawingFileName));
    ViewerShell plain(home.path(), messages, clock, dialog);
    EXPECT_EQ(copy_help_drawing(plain), -1);
    EXPECT_FALSE(std::filesystem::exists(home.file(kDataFileName)));
    EXPECT_TRUE(start().shown);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(FirstRepaint, WindowTitles) {
    ShellState state;
    StoreHeader header;
    EXPECT_EQ(cp932_to_utf8(window_title(state, header)), "ZovViewについて");
    state.help_shown = false;
    EXPECT_EQ(cp932_to_utf8(window_title(state, header)), "無題");
    copy_bounded(header.fname, utf8_to_cp932("/図面/PLAN.JWC"));
    EXPECT_EQ(cp932_to_utf8(window_title(state, header)), "PLAN.JWC");
}

TEST_F(FirstRepaint, MaintenanceCopyMakesTheDrawingOnScreenTheHelpDrawing) {
    start();
    ASSERT_EQ(load_drawing(*viewer, SettingsFile::Rewrite, files.file("plan.dxf")), 0);
    const std::string plan = store();

    messages.answers = {true};  // leave maintenance mode: nothing happens
    EXPECT_EQ(maintenance_copy(*viewer), 0);
    EXPECT_EQ(read_file_bytes(home.file(kHelpDrawingFileName)), help);
    EXPECT_EQ(message(0), "メンテナンスモードです。退出しますか？");

    messages.answers = {false};
    EXPECT_EQ(maintenance_copy(*viewer), 0);
    EXPECT_EQ(read_file_bytes(home.file(kHelpDrawingFileName)), plan);
    EXPECT_EQ(last_message(), "コピー終了");

    // The next start of a new day shows the drawing that was on screen.
    clock.set(kMay12 + kOneDay);
    EXPECT_TRUE(start().shown);
    EXPECT_EQ(store().substr(sizeof(StoreHeader)), plan.substr(sizeof(StoreHeader)));
    EXPECT_EQ(title(), "ZovViewについて");
}

TEST_F(FirstRepaint, MaintenanceCopyFailures) {
    ViewerShell plain(home.path(), messages, clock, dialog);
    messages.answers = {false, false};
    EXPECT_EQ(maintenance_copy(plain), -1);  // no store yet
    EXPECT_EQ(last_message(), "失敗1");
    EXPECT_EQ(read_file_bytes(home.file(kHelpDrawingFileName)), help);

    write_file_bytes(home.file(kDataFileName), help);
    std::filesystem::remove(home.file(kHelpDrawingFileName));
    std::filesystem::create_directory(home.file(kHelpDrawingFileName));
    EXPECT_EQ(maintenance_copy(plain), -1);
    EXPECT_EQ(last_message(), "失敗2");
    EXPECT_EQ(read_file_bytes(home.file(kDataFileName)), help);
}

TEST_F(FirstRepaint, HelpDrawingIsInstalledIntoAProgramFolderWithoutOne) {
    TempFolder fresh;
    const std::string data = files.file("share/zovview/");
    std::filesystem::create_directories(data);
    write_file_bytes(data + kHelpDrawingFileName, help);
    EXPECT_EQ(install_help_drawing(fresh.path(), {files.file("none/"), data}), 0);
    EXPECT_EQ(read_file_bytes(fresh.file(kHelpDrawingFileName)), help);
    // One that is there (perhaps a maintenance copy) is kept.
    write_file_bytes(fresh.file(kHelpDrawingFileName), "mine");
    EXPECT_EQ(install_help_drawing(fresh.path(), {data}), 0);
    EXPECT_EQ(read_file_bytes(fresh.file(kHelpDrawingFileName)), "mine");
    TempFolder empty;
    EXPECT_EQ(install_help_drawing(empty.path(), {files.file("none/")}), -1);
    EXPECT_EQ(installed_data_folders("/usr/bin"),
              (std::vector<std::string>{"/usr/bin/../share/zovview/", "/usr/bin/"}));
}

}  // namespace
}  // namespace zov
