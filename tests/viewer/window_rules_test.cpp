// What the main window shows and does without a window: its commands and
// their layout, the open dialogs' filters as a Linux dialog matches them,
// and the safe move of the DXF written by the save button.
#include <fnmatch.h>

#include <filesystem>
#include <set>

#include "common/files.h"
#include "shell_fixture.h"
#include "viewer/dialog_filter.h"
#include "viewer/dxf_save.h"
#include "viewer/viewer_commands.h"

namespace zov {
namespace {

TEST(ViewerCommands, MenusAndToolbarInTheirOrderWithTheirTexts) {
    std::vector<std::string> titles;
    for (const ViewerMenu& menu : viewer_menus()) titles.emplace_back(menu.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"ﾌｧｲﾙ(&F)", "表示スタイル", "レイヤーの表示属性",
                                                "寸法図形表示スタイル", "ズーム(&Z)", "ﾍﾙﾌﾟ(&H)"}));
    const ViewerMenu& file = viewer_menus()[0];
    EXPECT_EQ(std::vector<int>(file.items.begin(), file.items.end()),
              (std::vector<int>{32771, 32772, 32773, 32774, kSeparator, kCmdPrint, kCmdPrintPreview,
                                kSeparator, 57665}));
    EXPECT_EQ(viewer_menus()[4].command, 32803);
    EXPECT_TRUE(viewer_menus()[4].items.empty());
    const auto toolbar = viewer_toolbar();
    EXPECT_EQ(
        std::vector<int>(toolbar.begin(), toolbar.end()),
        (std::vector<int>{32803, 32771, 32772, 32773, 32774, 0, 32800, 32801, 0, 32807, 0, 32805}));

    // Every item of a menu and the toolbar is a known command with a text
    // or a tool tip; only the block thumbnails are disabled.
    std::set<int> seen;
    for (const ViewerMenu& menu : viewer_menus()) {
        for (const int id : menu.items) {
            if (id == kSeparator) continue;
            EXPECT_EQ(viewer_command(id).id, id);
            EXPECT_NE(std::string(viewer_command(id).menu_text), "") << id;
            EXPECT_EQ(viewer_command(id).enabled, id != kCmdBlockThumbnails) << id;
            EXPECT_TRUE(seen.insert(id).second) << "twice in the menus: " << id;
        }
    }
    for (const int id : toolbar) {
        if (id != kSeparator) {
            EXPECT_NE(tool_tip(viewer_command(id)), "") << id;
        }
    }
    EXPECT_EQ(viewer_command(12345).id, 0);
}

TEST(ViewerCommands, ToolTipsComeFromThePrompts) {
    EXPECT_EQ(tool_tip(viewer_command(kCmdOpenJwc)), "JW_CADデータを開く");
    EXPECT_EQ(status_prompt(viewer_command(kCmdOpenJwc)), "JW_CADのデータを表示します");
    EXPECT_EQ(tool_tip(viewer_command(kCmdShowHelp)), "ZovViewについて");
    // An empty tool-tip part takes the status part; no prompt the menu text.
    EXPECT_EQ(tool_tip(viewer_command(kCmdSaveDxf)), "表示されたデータをＤＸＦファイルで保存");
    EXPECT_EQ(tool_tip(viewer_command(kCmdZoom)), "ズーム");
    EXPECT_EQ(std::string(viewer_command(kCmdAbout).menu_text), "ZovView のﾊﾞｰｼﾞｮﾝ情報(&A)...");
}

TEST(DialogFilters, PairsAndPatternsOfAnyCase) {
    const std::string filter = utf8_to_cp932("JWCﾌｧｲﾙ(*.JWC)|*.JWC|全てのﾌｧｲﾙ(*.*)|*.*||");
    const std::vector<DialogFilter> filters = parse_dialog_filter(filter);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(cp932_to_utf8(filters[0].description), "JWCﾌｧｲﾙ(*.JWC)");
    EXPECT_EQ(filters[0].patterns, std::vector<std::string>{"*.JWC"});
    EXPECT_EQ(cp932_to_utf8(filters[1].description), "全てのﾌｧｲﾙ(*.*)");

    EXPECT_EQ(dialog_pattern("*.JWC"), "*.[jJ][wW][cC]");
    EXPECT_EQ(dialog_pattern("*.*"), "*");
    EXPECT_EQ(dialog_pattern("DCONVERT.EXE"), "[dD][cC][oO][nN][vV][eE][rR][tT].[eE][xX][eE]");
    EXPECT_EQ(dialog_pattern("図面?.dxf"), "図面?.[dD][xX][fF]");  // UTF-8 bytes stay whole
    // The pattern, matched as a file dialog matches a glob, takes every case
    // of the extension and nothing else.
    for (const char* name : {"a.JWC", "a.jwc", "a.Jwc"})
        EXPECT_EQ(::fnmatch(dialog_pattern("*.JWC").c_str(), name, 0), 0) << name;
    EXPECT_NE(::fnmatch(dialog_pattern("*.JWC").c_str(), "a.jwk", 0), 0);

    // Several patterns, a missing pattern and no closing bars.
    const std::vector<DialogFilter> more = parse_dialog_filter("Drawings|*.DXF;*.JWC|Lone");
    ASSERT_EQ(more.size(), 1u);
    EXPECT_EQ(more[0].patterns, (std::vector<std::string>{"*.DXF", "*.JWC"}));
    EXPECT_TRUE(parse_dialog_filter("").empty());
    EXPECT_TRUE(parse_dialog_filter("||").empty());
}

class SaveShownDrawing : public ShellTest {
protected:
    // The writer of the test: a known DxfTest.DXF in the program folder.
    std::optional<std::string> write() {
        ++writes;
        const std::string path = home.file("DxfTest.DXF");
        write_file_bytes(path, "0\r\nEOF\r\n");
        return path;
    }
    int writes = 0;
};

TEST_F(SaveShownDrawing, ProposesTheSourceNameInItsFolderAndMovesTheFileThere) {
    const std::string source = files.file("my plan.jwc");
    write_file_bytes(source, "drawing");
    dialog.answers.push_back(files.file("my plan.DXF"));
    EXPECT_EQ(save_shown_drawing_as_dxf(shell, source, [&](LossReport&) { return write(); }), 0);
    ASSERT_EQ(dialog.requests.size(), 1u);
    const FileDialogRequest& request = dialog.requests[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.proposed_name, "my plan.DXF");
    EXPECT_EQ(request.initial_folder, files.path());
    EXPECT_EQ(cp932_to_utf8(request.title), "表示されたデータをＤＸＦファイルで保存");
    EXPECT_EQ(cp932_to_utf8(request.filter), "DXFﾌｧｲﾙ(*.DXF)|*.DXF|全てのﾌｧｲﾙ(*.*)|*.*||");
    EXPECT_EQ(read_file_bytes(files.file("my plan.DXF")), "0\r\nEOF\r\n");
    EXPECT_FALSE(file_exists(home.file("DxfTest.DXF")));  // moved, not copied
    EXPECT_EQ(read_file_bytes(source), "drawing");
    EXPECT_TRUE(messages.entries.empty());

    // The help drawing has no folder: the program folder is offered.
    dialog.answers.push_back(std::nullopt);
    EXPECT_EQ(
        save_shown_drawing_as_dxf(shell, "ZovViewについて", [&](LossReport&) { return write(); }),
        1);
    EXPECT_EQ(dialog.requests[1].initial_folder, home.path());
    EXPECT_EQ(dialog.requests[1].proposed_name, "ZovViewについて.DXF");
    EXPECT_TRUE(file_exists(home.file("DxfTest.DXF")));  // cancelled: it stays
}

TEST_F(SaveShownDrawing, NeverReplacesTheSourceAndReportsAFailedMove) {
    // A DXF source and the proposed name are one file when the cases agree.
    const std::string source = files.file("PLAN.DXF");
    write_file_bytes(source, "source");
    dialog.answers.push_back(source);
    EXPECT_EQ(save_shown_drawing_as_dxf(shell, source, [&](LossReport&) { return write(); }), -1);
    EXPECT_EQ(read_file_bytes(source), "source");
    EXPECT_EQ(last_message(), source + " は表示中の図面の元ファイルなので上書きしません");
    EXPECT_TRUE(file_exists(home.file("DxfTest.DXF")));

    // Another name for the same file (a link) is the source too.
    std::filesystem::create_symlink(source, files.file("link.dxf"));
    EXPECT_EQ(place_written_dxf(shell, home.file("DxfTest.DXF"), files.file("link.dxf"), source),
              -1);
    EXPECT_EQ(read_file_bytes(source), "source");

    // A folder that does not exist.
    const std::string nowhere = files.file("no such folder/a.DXF");
    EXPECT_EQ(place_written_dxf(shell, home.file("DxfTest.DXF"), nowhere, source), -1);
    EXPECT_EQ(last_message(), nowhere + " に保存できません");
    EXPECT_TRUE(file_exists(home.file("DxfTest.DXF")));

    // A writer that failed (and reported) ends the command before the dialog.
    const std::size_t asked = dialog.requests.size();
    EXPECT_EQ(save_shown_drawing_as_dxf(shell, source,
                                        [](LossReport&) { return std::optional<std::string>(); }),
              -1);
    EXPECT_EQ(dialog.requests.size(), asked);
}

}  // namespace
}  // namespace zov
