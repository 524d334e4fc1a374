// The editor's decisions outside its dialogs: what it opens at start-up,
// the rebuild with unsaved changes, bookmarks, the help text and the
// settings file, and the settings saved along the way.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "analyser/conversion.h"
#include "analyser/editor_session.h"
#include "analyser/settings_file.h"
#include "analyser_test_support.h"

namespace zov {
namespace {

// A document that records what the session asks of it.
struct FakeDocument : EditorDocument {
    std::string path() const override { return file; }
    bool modified() const override { return changed; }
    SaveAnswer ask_save(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    bool save() override {
        write_file(file, saved_text);
        ++saves;
        changed = false;
        return true;
    }

    std::string file;
    bool changed = false;
    SaveAnswer answer = SaveAnswer::Save;
    std::string saved_text;
    std::vector<std::string> questions;
    int saves = 0;
};

struct EditorSessionTest : ::testing::Test {
    TestAnalyser analyser;
    std::string dxf = analyser.file("room plan.dxf");
    std::string analysis = analyser.file("room plan.TXT");

    void SetUp() override {
        std::filesystem::copy_file(ZOV_SOURCE_DIR "/samples/dxf/zovedit_room.dxf", dxf);
        analyser.context.settings.analysis_form = 0;
        save_settings(analyser.context);
    }
};

TEST_F(EditorSessionTest, StartupNamesAreWholeArguments) {
    EditorSession session(analyser.context, "");
    // A DXF whose name holds a blank is converted, and its analysis opened.
    StartupDocument opened = session.startup(dxf);
    EXPECT_EQ(opened.path, analysis);
    EXPECT_FALSE(opened.untitled);
    EXPECT_EQ(session.analysis_path(), analysis);
    EXPECT_TRUE(session.rebuild_enabled());
    // A ".TXT" opens as the analysis file as it is.
    EXPECT_EQ(session.startup(analyser.file("other.txt")).path, analyser.file("other.txt"));
    EXPECT_EQ(session.analysis_path(), analyser.file("other.txt"));
    // A name that is no DXF opens nothing, after the message.
    EXPECT_EQ(session.startup(analyser.file("plan.jww")).path, "");
    EXPECT_EQ(analyser.messages.last(),
              sj("DXFﾌｧｲﾙでありません(") + analyser.file("plan.jww") + ")");
    // Opening other files: only a ".TXT" is an analysis file.
    session.document_opened(dxf);
    EXPECT_FALSE(session.rebuild_enabled());
    session.document_opened(analysis);
    session.document_renamed(analysis, analyser.file("copy.TXT"));
    EXPECT_EQ(session.analysis_path(), analyser.file("copy.TXT"));
}

TEST_F(EditorSessionTest, RebuildAsksAboutUnsavedChanges) {
    EditorSession session(analyser.context, "");
    ASSERT_EQ(session.startup(dxf).path, analysis);
    const std::string on_disk = read_file(analysis);
    const std::string edited = on_disk.substr(0, on_disk.find("2000.0")) + "2468.0" +
                               on_disk.substr(on_disk.find("2000.0") + 6);
    ASSERT_NE(edited, on_disk);
    FakeDocument document;
    document.file = analysis;
    document.changed = true;
    document.saved_text = edited;

    // Cancel: nothing saved, nothing written.
    document.answer = SaveAnswer::Cancel;
    std::string output;
    EXPECT_EQ(session.rebuild(document, output), -1);
    ASSERT_EQ(document.questions.size(), 1u);
    EXPECT_NE(document.questions[0].find(analysis), std::string::npos);
    EXPECT_EQ(document.saves, 0);
    EXPECT_EQ(read_file(analysis), on_disk);

    // No: the file as saved is rebuilt; the edit is not in the DXF.
    document.answer = SaveAnswer::Discard;
    ASSERT_EQ(session.rebuild(document, output), 0);
    EXPECT_EQ(document.saves, 0);
    EXPECT_EQ(read_file(output).find("2468.0"), std::string::npos);

    // Yes: saved first, so the edit is in the DXF.
    document.answer = SaveAnswer::Save;
    ASSERT_EQ(session.rebuild(document, output), 0);
    EXPECT_EQ(document.saves, 1);
    EXPECT_NE(read_file(output).find("\r\n2468.0\r\n"), std::string::npos);

    // Saved documents, and documents that are not the analysis file, are not asked about.
    document.changed = false;
    ASSERT_EQ(session.rebuild(document, output), 0);
    document.changed = true;
    document.file = analyser.file("notes.TXT");
    ASSERT_EQ(session.rebuild(document, output), 0);
    EXPECT_EQ(document.questions.size(), 3u);
}

TEST_F(EditorSessionTest, BookmarksFirstLineCountsAsUnsetAndRebuildClears) {
    EditorSession session(analyser.context, "");
    session.set_bookmark(0);
    EXPECT_FALSE(session.bookmark_to_go());
    EXPECT_EQ(analyser.messages.last(), sj("注目位置がセットされていません"));
    session.set_bookmark(120);
    EXPECT_EQ(session.bookmark_to_go(), 120);
    ASSERT_EQ(session.startup(dxf).path, analysis);
    EXPECT_EQ(session.bookmark(), 120);  // survives a change of file
    FakeDocument document;
    std::string output;
    ASSERT_EQ(session.rebuild(document, output), 0);
    EXPECT_FALSE(session.bookmark_to_go());
}

TEST_F(EditorSessionTest, HelpTextThroughFtx) {
    TempFolder installed;
    {
        EditorSession session(analyser.context, installed.path());
        // No help anywhere: nothing at start-up; the question, and No.
        EXPECT_EQ(session.startup("").path, "");
        analyser.messages.answers = {false};
        EXPECT_FALSE(session.locate_help_text([](const std::string&) { return std::nullopt; }));
        EXPECT_EQ(analyser.messages.last(),
                  sj("ZovEdit.txtを見つけられませんでした。ご自分でを探しますか？"));
        // Yes, and a file chosen by hand: help_folder becomes its folder, saved at once.
        TempFolder elsewhere;
        write_file(elsewhere.path() + "ZovEdit.txt", "help");
        std::string first_folder;
        std::optional<std::string> found = session.locate_help_text([&](const std::string& folder) {
            first_folder = folder;
            return std::optional<std::string>(elsewhere.path() + "ZovEdit.txt");
        });
        EXPECT_EQ(first_folder, analyser.context.start_folder);
        EXPECT_EQ(found, elsewhere.path() + "ZovEdit.txt");
        AnalyserSettings memory = analyser.context.settings;
        load_settings(analyser.context);
        EXPECT_EQ(analyser.context.settings.help_folder, elsewhere.path());
        analyser.context.settings = memory;
        // Start-up with no file shows it as a new document.
        StartupDocument help = session.startup("");
        EXPECT_EQ(help.path, elsewhere.path() + "ZovEdit.txt");
        EXPECT_TRUE(help.untitled);
    }
    // A help text installed with the program is found when help_folder holds none.
    write_file(installed.path() + "ZovEdit.txt", "installed help");
    analyser.context.settings.help_folder = analyser.context.start_folder;
    save_settings(analyser.context);
    EditorSession session(analyser.context, installed.path());
    EXPECT_EQ(session.startup("").path, installed.path() + "ZovEdit.txt");
    EXPECT_EQ(analyser.context.settings.help_folder, installed.path());
}

TEST_F(EditorSessionTest, SettingsFileAboutBoxAndExitSaveTheSettings) {
    const std::string cfg = analyser.file(kAnalyserSettingsFileName);
    std::string index;
    {
        EditorSession session(analyser.context, "");
        analyser.context.settings.analysis_prefix = "pre";
        EXPECT_EQ(session.settings_file_to_show(), cfg);
        EXPECT_NE(read_file(cfg).find("FHS=\"pre\""), std::string::npos);
        analyser.context.settings.analysis_prefix = "about";
        session.about_closed();
        EXPECT_NE(read_file(cfg).find("FHS=\"about\""), std::string::npos);
        analyser.context.settings.analysis_prefix = "exit";
        // The item index exists while the session runs.
        index = analyser.context.scratch_file(kItemIndexFileName);
        EXPECT_TRUE(std::filesystem::exists(index));
    }
    EXPECT_NE(read_file(cfg).find("FHS=\"exit\""), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(index));
}

TEST_F(EditorSessionTest, FontRecordGoesToTheStartFolder) {
    EditorSession session(analyser.context, "");
    FontRecord record = default_font_record();
    record.height = 300;
    session.font_dialog_closed(record);
    std::optional<FontRecord> back = read_font_record(analyser.context.start_folder);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->height, 300);
}

TEST(WrapRules, EnabledWithTextCheckedWhileOnAndOffForEveryDocument) {
    TestAnalyser analyser;
    EditorSession session(analyser.context, "");
    EXPECT_FALSE(EditorSession::wrap_enabled(true));
    EXPECT_TRUE(EditorSession::wrap_enabled(false));
    EXPECT_FALSE(session.wrap_on());
    session.toggle_wrap();
    EXPECT_TRUE(session.wrap_on());
    session.document_shown();
    EXPECT_FALSE(session.wrap_on());
}

}  // namespace
}  // namespace zov
