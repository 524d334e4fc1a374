#include <cstdlib>
#include <filesystem>
#include <set>

#include "common/cp932.h"
#include "shell_fixture.h"
#include "store/store_reader.h"
#include "viewer/help_drawing.h"
#include "viewer/program_folder.h"

namespace zov {
namespace {

TEST(HelpDrawing, TheBuiltHelpDrawingIsAStoreThatExplainsTheViewer) {
    StoreReader store;
    ASSERT_EQ(store.open(ZOV_BUILT_HELP_DRAWING), 0);
    EXPECT_EQ(std::string(fixed_text(store.header().fname)), kHelpCaption);
    EXPECT_EQ(store.header().kind, kSourceDxf);
    EXPECT_GT(store.header().max_x, store.header().min_x);
    std::string texts;
    std::set<std::int32_t> kinds;
    for (std::int32_t i = 0; i < store.entity_count(); ++i) {
        EntityRecord record;
        ASSERT_EQ(store.read_entity(i, record), 0);
        kinds.insert(record.kind);
        std::string text;
        if (record.kind == kEntityText && store.read_text(record, text) == 0) texts += text + "\n";
    }
    EXPECT_EQ(kinds, (std::set<std::int32_t>{kEntityLine, kEntityArc, kEntityText}));
    const std::string utf8 = cp932_to_utf8(texts);
    for (const char* topic :
         {"図面を開く", "JWCを開く", "DWGを開く", "経歴から開く", "DCONVERT.EXE", "PageUp",
          "矢印キー", "ホイール", "用紙全体表示", "センタリング", "表示レイヤーのみ",
          "保護(ﾛｯｸ)レイヤーのみ", "レイヤーシート", "左クリック", "右クリック", "ZovViewについて"})
        EXPECT_NE(utf8.find(topic), std::string::npos) << topic;
}

TEST(HelpDrawing, ProgramFolderFollowsTheEnvironment) {
    const char* user_home = std::getenv("HOME");
    const std::string saved_home = user_home != nullptr ? user_home : "";
    TempFolder folder;
    ::setenv("ZOVVIEW_HOME", folder.file("home").c_str(), 1);
    EXPECT_EQ(viewer_program_folder(), folder.file("home/"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("home")));
    ::unsetenv("ZOVVIEW_HOME");
    ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    EXPECT_EQ(viewer_program_folder(), folder.file("data/zovview/"));
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", folder.file("user").c_str(), 1);
    EXPECT_EQ(viewer_program_folder(), folder.file("user/.local/share/zovview/"));

    // The help drawing is copied in from the installed data on the way.
    const std::string bin = folder.file("prefix/bin/");
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(folder.file("prefix/share/zovview"));
    std::filesystem::copy_file(ZOV_BUILT_HELP_DRAWING,
                               folder.file("prefix/share/zovview/ZovV_Hlp.dat"));
    const std::string home = prepare_program_folder(bin);
    EXPECT_EQ(read_file_bytes(home + "ZovV_Hlp.dat"), read_file_bytes(ZOV_BUILT_HELP_DRAWING));
    ::setenv("HOME", saved_home.c_str(), 1);
}

}  // namespace
}  // namespace zov
