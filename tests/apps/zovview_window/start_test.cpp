// Starting the viewer: the command line, the help drawing of the first start
// of a day, the title rule, the menus and the toolbar.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "fixtures/drop_files.h"
#include "run_window.h"
#include "viewer/program_folder_claim.h"
#include "viewer/viewer_commands.h"
#include "window_fixture.h"

namespace zov {
namespace {

TEST(WindowOrCommand, FileOrDisplayOpensTheWindowOptionsStayHeadless) {
    auto wants = [](std::vector<std::string> arguments) {
        std::vector<char*> argv;
        for (std::string& argument : arguments) argv.push_back(argument.data());
        return wants_window(static_cast<int>(argv.size()), argv.data());
    };
    const QByteArray display = qgetenv("DISPLAY"), wayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(wants({"zovview"}));  // the usage, not a window nobody can see
    qputenv("DISPLAY", ":9");
    EXPECT_TRUE(wants({"zovview"}));
    EXPECT_TRUE(wants({"zovview", "my plan.dxf", "/D:/opt/conv"}));
    EXPECT_TRUE(wants({"zovview", "/D:/opt/conv"}));  // a start file that is looked for
    EXPECT_FALSE(wants({"zovview", "-h"}));
    EXPECT_FALSE(wants({"zovview", "--render", "a.dxf", "-o", "a.png"}));
    EXPECT_FALSE(wants({"zovview", "--version"}));
    qunsetenv("DISPLAY");
    if (!display.isEmpty()) qputenv("DISPLAY", display);
    if (!wayland.isEmpty()) qputenv("WAYLAND_DISPLAY", wayland);
}

TEST_F(WindowTest, StartFileIsLoadedAndNamesTheWindow) {
    start({kSamples + "dxf/plan.dxf"});
    EXPECT_EQ(title(), "plan.dxf - ZovView");
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    // The drawing is on the screen: far more than the black background.
    EXPECT_LT(count_colour(picture(), picture().rect(), Qt::black),
              picture().width() * picture().height());
    EXPECT_TRUE(file_exists(home.file("ZovView.CFG")));
    EXPECT_NE(read_file_bytes(home.file("ZovView.CFG")).find("plan.dxf"), std::string::npos);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowTest, PathWithBlanksIsOneArgument) {
    write_file_bytes(files.file("my plan.dxf"), read_file_bytes(kSamples + "dxf/plan.dxf"));
    start({files.file("my plan.dxf")});
    EXPECT_EQ(title(), "my plan.dxf - ZovView");
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(WindowTest, FirstStartOfTheDayShowsTheHelpDrawing) {
    start();
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    EXPECT_TRUE(file_exists(home.file("ZovView.CFG")));
    EXPECT_TRUE(file_exists(home.file("$IND_B$.TMP")));

    // A drawing loaded today: the next start of the day shows it again.
    window->shell().state.start_file.clear();
    dialog.answers.push_back(kSamples + "jw/floor_plan.jwc");
    window->run_command(kCmdOpenJwc);
    EXPECT_EQ(title(), "floor_plan.jwc - ZovView");
    window.reset();
    start();
    EXPECT_EQ(title(), "floor_plan.jwc - ZovView");
    // The next day the help drawing again.
    window.reset();
    clock.set(kMay12 + kOneDay);
    start();
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
}

TEST_F(WindowTest, SecondViewerOnTheProgramFolderWorksInItsOwnStore) {
    ProgramFolderClaim first_claim;
    ProgramFolderClaim second_claim;
    ASSERT_TRUE(first_claim.claim(home.path()));
    start({kSamples + "dxf/plan.dxf"});
    ASSERT_TRUE(second_claim.claim(home.path()));
    ASSERT_TRUE(second_claim.is_private());

    // The same day, without a file: the help drawing, not the other's store.
    std::unique_ptr<ViewerWindow> second = open_window({}, second_claim.store_folder());
    ASSERT_TRUE(second->drawing().first_repaint_done());
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    EXPECT_EQ(second->windowTitle().toStdString(), "ZovViewについて - ZovView");
    const QImage shown = second->drawing().picture();
    EXPECT_LT(count_colour(shown, shown.rect(), Qt::black), shown.width() * shown.height());

    // Each opens into its own store; the first keeps its drawing.
    dialog.answers.push_back(kSamples + "jw/floor_plan.jwc");
    second->run_command(kCmdOpenJwc);
    EXPECT_EQ(second->windowTitle().toStdString(), "floor_plan.jwc - ZovView");
    window->drawing().drawing_replaced(false);
    window->drawing().redraw();
    EXPECT_EQ(title(), "plan.dxf - ZovView");
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(WindowTest, DroppedFilesOpenTheFirstLikeTheCommandLine) {
    start();
    write_file_bytes(files.file("notes.txt"), "x");
    EXPECT_FALSE(drop_files(view(), {files.file("notes.txt"), kSamples + "dxf/plan.dxf"}));
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
    EXPECT_TRUE(drop_files(view(), {kSamples + "dxf/plan.dxf", kSamples + "jw/floor_plan.jwc"}));
    EXPECT_EQ(title(), "plan.dxf - ZovView");
    EXPECT_TRUE(drop_files(view(), {kSamples + "jw/floor_plan.jwc"}));
    EXPECT_EQ(title(), "floor_plan.jwc - ZovView");
    EXPECT_TRUE(messages.entries.empty()) << last_message();
    EXPECT_NE(read_file_bytes(home.file("ZovView.CFG")).find("floor_plan.jwc"), std::string::npos);
}

TEST_F(WindowTest, MissingStartFileIsReportedAndTheHelpDrawingStays) {
    start({files.file("gone.dxf")});
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(message(0), files.file("gone.dxf") + "を見つけられません");
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Information);
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
}

TEST_F(WindowTest, HelpCommandShowsTheHelpDrawingAndOpenCommandsLeaveIt) {
    start({kSamples + "dxf/plan.dxf"});
    window->run_command(kCmdShowHelp);
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
    // A cancelled open keeps the drawing shown.
    window->run_command(kCmdOpenDxf);
    EXPECT_EQ(title(), "ZovViewについて - ZovView");
    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(cp932_to_utf8(dialog.requests[0].title), "ＤＸＦファイルを指定します");
    EXPECT_EQ(dialog.requests[0].initial_folder, kSamples + "dxf/");
    dialog.answers.push_back(kSamples + "dxf/zovedit_room.dxf");
    window->run_command(kCmdOpenDxf);
    EXPECT_EQ(title(), "zovedit_room.dxf - ZovView");
}

TEST_F(WindowTest, MenusToolbarAndCheckMarks) {
    start({kSamples + "dxf/plan.dxf"});
    std::vector<std::string> titles;
    for (QAction* entry : window->menuBar()->actions())
        titles.push_back(entry->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"ﾌｧｲﾙ(&F)", "表示スタイル", "レイヤーの表示属性",
                                                "寸法図形表示スタイル", "ズーム(&Z)", "ﾍﾙﾌﾟ(&H)"}));
    QMenu* file = window->menuBar()->actions()[0]->menu();
    ASSERT_NE(file, nullptr);
    std::vector<std::string> items;
    for (QAction* item : file->actions())
        items.push_back(item->isSeparator() ? "-" : item->text().toStdString());
    EXPECT_EQ(items, (std::vector<std::string>{"JWCを開く(&J)", "DXFを開く(&D)", "DWGを開く(&G)",
                                               "経歴から開く(&I)", "-", "印刷(&P)...",
                                               "印刷プレビュー(&V)", "-", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
    EXPECT_FALSE(window->action(kCmdBlockThumbnails)->isEnabled());

    QToolBar* toolbar = window->findChild<QToolBar*>("toolbar");
    ASSERT_NE(toolbar, nullptr);
    std::vector<int> buttons;
    for (QAction* button : toolbar->actions())
        buttons.push_back(button->isSeparator() ? 0 : button->objectName().toInt());
    EXPECT_EQ(buttons, (std::vector<int>{32803, 32771, 32772, 32773, 32774, 0, 32800, 32801, 0,
                                         32807, 0, 32805}));
    for (QAction* button : toolbar->actions()) {
        if (button->isSeparator()) continue;
        EXPECT_FALSE(button->icon().isNull()) << button->objectName().toStdString();
        EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
    }
    EXPECT_EQ(window->action(kCmdOpenDwg)->toolTip().toStdString(), "ＡｕｔｏＣＡＤデータを開く");

    auto checked = [this](int id) { return window->action(id)->isChecked(); };
    EXPECT_TRUE(checked(kCmdStandardDisplay));
    EXPECT_FALSE(checked(kCmdLayerThumbnails));
    EXPECT_TRUE(checked(kCmdVisibleLayers));
    EXPECT_TRUE(checked(kCmdDimensionAsData));
    window->run_command(kCmdAllLayers);
    EXPECT_TRUE(checked(kCmdAllLayers));
    EXPECT_FALSE(checked(kCmdVisibleLayers));
    window->run_command(kCmdLockedLayers);  // never shows its mark
    EXPECT_FALSE(checked(kCmdLockedLayers));
    EXPECT_FALSE(checked(kCmdAllLayers));
    EXPECT_EQ(window->view().settings.filter, LayerFilter::Locked);
}

TEST_F(WindowTest, DimensionEndStylesNeedDimensions) {
    start({kSamples + "jw/door_symbol.jwc"});
    ASSERT_EQ(window->view().dimensions_drawn(), 0);
    window->run_command(kCmdDimensionArrows);
    EXPECT_EQ(last_message(), "寸法図形が存在しません");
    EXPECT_TRUE(window->action(kCmdDimensionAsData)->isChecked());
    EXPECT_EQ(window->view().settings.dimension_ends, DimensionEnds::AsData);
}

}  // namespace
}  // namespace zov
