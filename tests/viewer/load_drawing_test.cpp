#include <cstring>
#include <filesystem>

#include "common/cp932.h"
#include "common/files.h"
#include "fixtures/jww_large_drawing.h"
#include "shell_fixture.h"
#include "store/records.h"
#include "store/store_reader.h"
#include "viewer/load_drawing.h"
#include "viewer/open_commands.h"
#include "viewer/settings_file.h"

namespace zov {
namespace {

class LoadDrawing : public ShellTest {
protected:
    void SetUp() override { ASSERT_EQ(load_settings(shell), 0); }
    std::string settings() const { return read_file_bytes(home.file(kViewerSettingsFileName)); }
};

TEST_F(LoadDrawing, KindsComeFromTheExtensionInAnyCase) {
    EXPECT_EQ(classify_drawing_file(shell, "/d/A.DXF"), kDxfDrawing);
    EXPECT_EQ(classify_drawing_file(shell, "/e/a.dxf"), kDxfDrawing);
    EXPECT_EQ(classify_drawing_file(shell, "/f/a.Dxf"), kDxfDrawing);
    EXPECT_EQ(shell.state.dxf_folder, "/f/");
    for (const char* jw_cad : {"/k/p.JWK", "/w/p.jww", "/s/p.Jws", "/j/p.JWC"})
        EXPECT_EQ(classify_drawing_file(shell, jw_cad), kJwCadDrawing) << jw_cad;
    EXPECT_EQ(shell.state.jwc_folder, "/j/");
    EXPECT_EQ(classify_drawing_file(shell, "/g/p.dwg"), kDwgDrawing);
    EXPECT_EQ(shell.state.dwg_folder, "/g/");
    EXPECT_EQ(classify_drawing_file(shell, "/x/a.dxf.bak"), kNotDrawing);
    EXPECT_EQ(classify_drawing_file(shell, "/x/dxf"), kNotDrawing);
    EXPECT_EQ(shell.state.dxf_folder, "/f/");
    EXPECT_EQ(set_extension_dxf("/g/a.b/p.dwg"), "/g/a.b/p.DXF");
}

TEST_F(LoadDrawing, AFileThatIsNotADrawingChangesNothing) {
    const std::string before = settings();
    write_small_dxf(files.file("a.dxf.bak"));
    EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("a.dxf.bak")), -1);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(shell.state.history_count, 0);
    EXPECT_TRUE(shell.state.help_shown);
    EXPECT_FALSE(std::filesystem::exists(home.file(kDataFileName)));
}

TEST_F(LoadDrawing, ADxfIsImportedIntoTheStoreOfTheProgramFolder) {
    write_small_dxf(files.file("a.dxf"));
    EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("a.dxf")), 0);
    EXPECT_TRUE(messages.entries.empty());
    EXPECT_FALSE(shell.state.help_shown);
    EXPECT_EQ(cp932_to_utf8(shell.state.load_date), "2000年05月12日");
    const std::string store = read_file_bytes(home.file(kDataFileName));
    ASSERT_GE(store.size(), sizeof(StoreHeader));
    StoreHeader header;
    std::memcpy(&header, store.data(), sizeof header);
    EXPECT_EQ(header.kind, kSourceDxf);
    EXPECT_EQ(header.ent_num, 1);
    EXPECT_TRUE(std::filesystem::exists(files.file("a.dxf")));  // a DXF of the user's stays
}

TEST_F(LoadDrawing, AFileThatFailsToLoadStillStandsInTheHistory) {
    write_file_bytes(files.file("nine.dxf"), "0\r\nEOF\r\n ");
    write_file_bytes(files.file("ten.dxf"), "0\r\nEOF\r\n  ");
    EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("nine.dxf")), -1);
    EXPECT_EQ(last_message(), " " + files.file("nine.dxf") + " を読み込むことができません-12");
    EXPECT_EQ(load_drawing(shell, SettingsFile::Rewrite, files.file("ten.dxf")), 0);
    // Loaded, with nothing to draw: said rather than shown as a black view.
    EXPECT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(last_message(), files.file("ten.dxf") +
                                  " のモデル空間には図形がありません(no entities in model space)");
    EXPECT_EQ(shell.state.history_count, 2);
    EXPECT_NE(settings().find("nine.dxf"), std::string::npos);
    EXPECT_NE(settings().find(utf8_to_cp932("2000年05月12日")), std::string::npos);
}

TEST_F(LoadDrawing, SettingsAreKeptWhenAsked) {
    const std::string before = settings();
    write_small_dxf(files.file("a.dxf"));
    EXPECT_EQ(load_drawing(shell, SettingsFile::Leave, files.file("a.dxf")), 0);
    EXPECT_EQ(settings(), before);
}

TEST_F(LoadDrawing, OpenCommandsAskTheDialogAndLoad) {
    write_small_dxf(files.file("a.dxf"));
    shell.state.current_file_label = "/old";
    dialog.answers = {std::nullopt, files.file("a.dxf")};
    open_dxf_command(shell);  // cancelled
    EXPECT_EQ(shell.state.current_file_label, "");
    EXPECT_EQ(shell.state.history_count, 0);
    open_dxf_command(shell);
    EXPECT_EQ(shell.state.history_count, 1);
    EXPECT_EQ(shell.state.current_file_label, files.file("a.dxf"));
    ASSERT_EQ(dialog.requests.size(), 2u);
    EXPECT_EQ(cp932_to_utf8(dialog.requests[0].title), "ＤＸＦファイルを指定します");
    EXPECT_EQ(cp932_to_utf8(dialog.requests[0].filter),
              "DXFﾌｧｲﾙ(*.DXF)|*.DXF|全てのﾌｧｲﾙ(*.*)|*.*||");
    EXPECT_EQ(dialog.requests[0].initial_folder, home.path());

    // The JW_CAD dialog starts in its own remembered folder.
    shell.state.jwc_folder = files.path();
    open_jwc_command(shell);
    ASSERT_EQ(dialog.requests.size(), 3u);
    EXPECT_EQ(cp932_to_utf8(dialog.requests[2].title), "ＪＷ_ＣＡＤのデータファイルを指定します");
    EXPECT_EQ(cp932_to_utf8(dialog.requests[2].filter),
              "JW_CADﾌｧｲﾙ(*.JWW;*.JWS;*.JWC;*.JWK)|*.JWW;*.JWS;*.JWC;*.JWK|全てのﾌｧｲﾙ(*.*)|*.*||");
    EXPECT_EQ(dialog.requests[2].initial_folder, files.path());
}

// A load the user stopped (here before it read a thing) says nothing, leaves
// the store of the drawing shown as it was and no section file behind, for
// each importer; a pass still reading the store shown reads it whole after
// a load that replaced it.
TEST_F(LoadDrawing, AStoppedImportLeavesTheStoreShownAsItWas) {
    write_small_dxf(files.file("shown.dxf"));
    ASSERT_EQ(load_drawing(shell, SettingsFile::Leave, files.file("shown.dxf")), 0);
    const std::string shown = read_file_bytes(home.file(kDataFileName));
    write_small_dxf(files.file("other.dxf"));
    write_file_bytes(files.file("large.jww"),
                     fixtures::build_jww(fixtures::make_large_jww(1 << 20)).bytes);
    const std::string stopped[] = {files.file("other.dxf"), files.file("large.jww"),
                                   ZOV_SOURCE_DIR "/samples/jw/floor_plan.jwc"};
    for (const std::string& path : stopped) {
        SCOPED_TRACE(path);
        shell.activity.request_cancel();
        EXPECT_EQ(load_drawing(shell, SettingsFile::Leave, path), -1);
        shell.activity.clear_cancel();
        EXPECT_TRUE(messages.entries.empty()) << last_message();
        EXPECT_EQ(read_file_bytes(home.file(kDataFileName)), shown);
        for (const char* section : {kLineTypeFileName, kLayerFileName, kBlockFileName,
                                    kBlockDataFileName, kEntityFileName, kStringFileName})
            EXPECT_FALSE(std::filesystem::exists(home.file(section))) << section;
    }

    StoreReader pass;
    ASSERT_EQ(pass.open(home.file(kDataFileName)), 0);
    ASSERT_EQ(load_drawing(shell, SettingsFile::Leave, files.file("large.jww")), 0);
    ASSERT_EQ(pass.read_header(), 0);
    EXPECT_EQ(fixed_text(pass.header().fname), files.file("shown.dxf"));
    EXPECT_EQ(pass.entity_count(), 1);
    EXPECT_NE(read_file_bytes(home.file(kDataFileName)), shown);
}

}  // namespace
}  // namespace zov
