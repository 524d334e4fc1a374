// The window's dialogs and conversations: the history dialog, the DWG
// converter's questions with a stand-in converter, the maintenance copy of
// the help drawing, the DXF save of the toolbar, and the about box.
#include <algorithm>
#include <filesystem>

#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include "about_dialog.h"
#include "dxf_export/dxf_export.h"
#include "history_dialog.h"
#include "viewer/viewer_commands.h"
#include "window_fixture.h"

namespace zov {
namespace {

TEST_F(WindowTest, HistoryDialogOpensTheChosenEntry) {
    start({kSamples + "dxf/plan.dxf"});
    dialog.answers.push_back(kSamples + "jw/floor_plan.jwc");
    window->run_command(kCmdOpenJwc);
    ASSERT_EQ(title(), "floor_plan.jwc - ZovView");

    // The list is newest first; a double-click on the second entry opens it.
    std::vector<std::string> shown;
    when_open<HistoryDialog>([&](HistoryDialog& history) {
        EXPECT_EQ(history.windowTitle().toStdString(), "経歴リストから開く");
        for (int i = 0; i < history.list().count(); ++i)
            shown.push_back(history.list().item(i)->text().toStdString());
        history.list().setCurrentRow(1);
        emit history.list().itemDoubleClicked(history.list().item(1));
    });
    window->run_command(kCmdOpenHistory);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].find("floor_plan.jwc"), std::string::npos);
    EXPECT_NE(shown[1].find("plan.dxf"), std::string::npos);
    EXPECT_EQ(title(), "plan.dxf - ZovView");

    // "ｷｬﾝｾﾙ" keeps the drawing.
    when_open<HistoryDialog>([](HistoryDialog& history) { history.reject(); });
    window->run_command(kCmdOpenHistory);
    EXPECT_EQ(title(), "plan.dxf - ZovView");
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(WindowTest, HistoryEntryOfAFileThatHasGoneKeepsTheDialogOpen) {
    write_file_bytes(files.file("gone.dxf"), read_file_bytes(kSamples + "dxf/plan.dxf"));
    start({files.file("gone.dxf")});
    std::filesystem::remove(files.file("gone.dxf"));
    bool still_open = false;
    when_open<HistoryDialog>([&](HistoryDialog& history) {
        history.open_selected();
        still_open = history.isVisible();
        history.reject();
    });
    window->run_command(kCmdOpenHistory);
    EXPECT_TRUE(still_open);
    EXPECT_EQ(last_message(), "ファイルを開けません(" + files.file("gone.dxf") + ")");
    EXPECT_EQ(title(), "gone.dxf - ZovView");
}

class DwgWindow : public WindowTest {
protected:
    std::string converter_folder(bool with_data) {
        return make_converter_folder(files.file("tools/"), ZOV_SOURCE_DIR, with_data);
    }
    int converter_runs() {
        const std::string log = read_file_bytes(files.file("tools/DCONVERT.LOG"));
        return static_cast<int>(std::count(log.begin(), log.end(), '\n')) / 2;
    }
};

TEST_F(DwgWindow, ConverterConversationsThenTwoDwgOpensConvertTwice) {
    start({kSamples + "dxf/plan.dxf"});
    // No converter: "No" ends the command with the explanation.
    messages.answers = {false};
    window->run_command(kCmdOpenDwg);
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(message(0), "DCONVERT.EXEを見つけられませんでした。ご自分で探しますか？");
    EXPECT_TRUE(messages.entries[0].question);
    EXPECT_EQ(message(1), "DWGファイルを表示するにはDCONVERT.EXEとADINIT.DATが必要です。");
    EXPECT_EQ(title(), "plan.dxf - ZovView");

    // "Yes" and pointing to the converter: the user starts the command again.
    const std::string tools = converter_folder(false);
    messages.entries.clear();
    messages.answers = {true};
    dialog.answers = {tools + "DCONVERT.EXE"};
    window->run_command(kCmdOpenDwg);
    EXPECT_EQ(last_message(), "DCONVERT.EXEが利用できます。再度DWGファイルを指定してください。");
    EXPECT_EQ(window->shell().state.converter_folder, tools);
    // Its data file is missing next; the user looks for it but cancels.
    messages.entries.clear();
    messages.answers = {true};
    dialog.answers = {std::nullopt};
    window->run_command(kCmdOpenDwg);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(message(0), "ADINIT.DATを見つけられませんでした。ご自分でを探しますか？");
    EXPECT_EQ(cp932_to_utf8(dialog.requests.back().title),
              "DCONVERTが読み込むADINIT.DATを指定してください");
    write_file_bytes(tools + "ADINIT.DAT", "");

    // Two DWG files in one run: each is converted, the title shows ".DWG".
    write_file_bytes(files.file("first.dwg"), "dwg");
    write_file_bytes(files.file("second.dwg"), "dwg");
    messages.entries.clear();
    dialog.answers = {files.file("first.dwg")};
    window->run_command(kCmdOpenDwg);
    EXPECT_EQ(title(), "first.DWG - ZovView");
    EXPECT_EQ(converter_runs(), 1);
    dialog.answers = {files.file("second.dwg")};
    window->run_command(kCmdOpenDwg);
    EXPECT_EQ(title(), "second.DWG - ZovView");
    EXPECT_EQ(converter_runs(), 2);
    EXPECT_FALSE(window->shell().state.converter_ran);
    EXPECT_FALSE(file_exists(files.file("second.DXF")));  // the converter's DXF was deleted
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    // A DXF afterwards has its own name again.
    dialog.answers = {kSamples + "dxf/plan.dxf"};
    window->run_command(kCmdOpenDxf);
    EXPECT_EQ(title(), "plan.dxf - ZovView");
}

TEST_F(DwgWindow, ConverterFolderOfTheCommandLine) {
    const std::string tools = converter_folder(true);
    write_file_bytes(files.file("start.dwg"), "dwg");
    start({files.file("start.dwg"), "/D:" + tools});
    EXPECT_EQ(title(), "start.DWG - ZovView");
    EXPECT_EQ(converter_runs(), 1);
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(WindowTest, ShiftClickOffersTheMaintenanceCopy) {
    start({kSamples + "dxf/plan.dxf"});
    const std::string help = read_file_bytes(home.file(kHelpDrawingFileName));
    const ViewRect before = window->view().view.history[0];
    // "Yes" leaves maintenance mode: nothing is copied.
    messages.answers = {true};
    press(Qt::LeftButton, Qt::LeftButton, {50, 50}, Qt::ShiftModifier);
    release(Qt::LeftButton, Qt::NoButton, {50, 50});
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(message(0), "メンテナンスモードです。退出しますか？");
    EXPECT_EQ(read_file_bytes(home.file(kHelpDrawingFileName)), help);
    // "No": the drawing on screen becomes the help drawing.
    messages.answers = {false};
    press(Qt::LeftButton, Qt::LeftButton, {50, 50}, Qt::ShiftModifier);
    release(Qt::LeftButton, Qt::NoButton, {50, 50});
    EXPECT_EQ(last_message(), "コピー終了");
    EXPECT_EQ(read_file_bytes(home.file(kHelpDrawingFileName)),
              read_file_bytes(home.file(kDataFileName)));
    EXPECT_EQ(title(), "plan.dxf - ZovView");
    EXPECT_EQ(window->view().view.history[0], before);  // a plain click moves nothing
    // The box took the release of a Shift-press: a right press afterwards
    // starts no gesture, as the left button is no longer held.
    messages.answers = {true};
    press(Qt::LeftButton, Qt::LeftButton, {50, 50}, Qt::ShiftModifier);
    press(Qt::RightButton, Qt::RightButton, {60, 60});
    EXPECT_FALSE(window->view().gesture.active());
    release(Qt::RightButton, Qt::NoButton, {60, 60});
    // The next day starts with it.
    window.reset();
    clock.set(kMay12 + kOneDay);
    start();
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
    EXPECT_NE(read_file_bytes(home.file(kDataFileName)), help);
}

TEST_F(WindowTest, SaveButtonWritesTheShownDrawingWhereTheUserSays) {
    write_file_bytes(files.file("room.dxf"), read_file_bytes(kSamples + "dxf/plan.dxf"));
    start({files.file("room.dxf")});
    dialog.answers = {files.file("saved/room.DXF")};
    std::filesystem::create_directories(files.file("saved"));
    window->run_command(kCmdSaveDxf);
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].proposed_name, "room.DXF");
    EXPECT_EQ(dialog.requests[0].initial_folder, files.path());
    // After the save, what the default export left out, in one message.
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(messages.entries[0].text, "DXF Write");
    EXPECT_EQ(messages.entries[1].icon, MessageIcon::Warning);
    EXPECT_EQ(last_message(), "2 INSERT left out\n5 TEXT left out\n1 DIMENSION left out");
    const std::string saved = read_file_bytes(files.file("saved/room.DXF"));
    EXPECT_EQ(saved.rfind("0\r\nSECTION\r\n2\r\nHEADER\r\n", 0), 0u);
    EXPECT_NE(saved.find("0\r\nEOF\r\n"), std::string::npos);
    EXPECT_FALSE(file_exists(home.file(kDxfOutputFileName)));
    EXPECT_EQ(title(), "room.dxf - ZovView");
}

TEST_F(WindowTest, AboutBox) {
    start({kSamples + "dxf/plan.dxf"});
    std::vector<std::string> texts;
    std::string box_title;
    when_open<AboutDialog>([&](AboutDialog& about) {
        box_title = about.windowTitle().toStdString();
        for (QLabel* label : about.findChildren<QLabel*>())
            texts.push_back(label->text().toStdString());
        about.accept();
    });
    window->run_command(kCmdAbout);
    EXPECT_EQ(box_title, "ZovViewのﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "ZovView Version 1.0"), texts.end());
}

}  // namespace
}  // namespace zov
