// Where the analyser writes: scratch and settings files that never follow a
// planted link, rebuilt DXF files next to the analysis file whatever line 7
// names, never over a file the run reads, over an existing file only when the
// user says so.
#include <gtest/gtest.h>

#include <filesystem>

#include "analyser/conversion.h"
#include "analyser/item_index.h"
#include "analyser/rebuild.h"
#include "analyser/settings_file.h"
#include "analyser_test_support.h"
#include "common/encoding.h"
#include "common/files.h"

namespace zov {
namespace {

constexpr char kDxf[] =
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n8\r\nA\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";

TEST(AnalyserFiles, PlantedLinksInTheStartFolderAreNeverFollowed) {
    TempFolder start, elsewhere;
    for (const char* name : {"$V_KOU$.TMP", "_ZOV_.CSV", "ZovEdit.CFG"}) {
        write_file(elsewhere.path() + name, "precious");
        std::filesystem::create_symlink(elsewhere.path() + name, start.path() + name);
    }
    RecordingMessages messages;
    FixedClock clock{1700000000};
    AcceptingDialogs dialogs;
    {
        AnalyserContext context(start.path(), messages, clock, dialogs);
        reset_settings(context);
        ItemNames names;
        ASSERT_TRUE(names.load(context.scratch_file(kItemIndexFileName)));
        EXPECT_EQ(names.entry_count(), 277);
        delete_item_index(context);
    }
    for (const char* name : {"$V_KOU$.TMP", "_ZOV_.CSV", "ZovEdit.CFG"})
        EXPECT_EQ(read_file(elsewhere.path() + name), "precious") << name;
    EXPECT_TRUE(std::filesystem::is_symlink(start.path() + "$V_KOU$.TMP"));  // left alone
    EXPECT_FALSE(std::filesystem::is_symlink(start.path() + "_ZOV_.CSV"));   // replaced
}

TEST(AnalyserFiles, TwoSessionsInOneFolderKeepTheirOwnIndex) {
    TestAnalyser first;
    AnalyserContext second(first.folder.path(), first.messages, first.clock, first.dialogs);
    ASSERT_TRUE(build_item_index(second));
    EXPECT_NE(first.context.scratch_file(kItemIndexFileName),
              second.scratch_file(kItemIndexFileName));
    delete_item_index(second);  // the second session ends first
    ItemNames names;
    ASSERT_TRUE(names.load(first.context.scratch_file(kItemIndexFileName)));
    EXPECT_EQ(names.entry_count(), 277);
}

class RebuildTarget : public ::testing::Test {
protected:
    // Analyses `dxf_name` (in the start folder) in the rebuildable form.
    void analyse(const std::string& dxf_name, const std::string& analysis_name) {
        analyser.context.settings.analysis_form = 0;
        write_file(analyser.file(dxf_name), kDxf);
        ASSERT_EQ(convert_dxf_to_analysis(analyser.context, analyser.file(dxf_name),
                                          analyser.file(analysis_name)),
                  1);
    }
    bool rebuild(const std::string& analysis, std::string& output) {
        return make_dxf_from_analysis(analyser.context, analysis, output);
    }
    TestAnalyser analyser;
};

TEST_F(RebuildTarget, TheOutputStandsNextToTheAnalysisWhateverLine7Names) {
    analyse("PLAN.dxf", "PLAN.TXT");
    std::vector<std::string> lines = split_lines(read_file(analyser.file("PLAN.TXT")));
    ASSERT_GT(lines.size(), 7u);
    // Line 7 names a DXF in another folder, as an analysis file from
    // elsewhere does (or a hostile one).
    lines[6] = lines[6].substr(0, 19) + "../../../../../../tmp/X/PLAN.DXF";
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    std::filesystem::create_directory(analyser.file("moved"));
    write_file(analyser.file("moved/PLAN.TXT"), text);

    analyser.context.settings.naming_rule = 0;
    std::string output;
    ASSERT_TRUE(rebuild(analyser.file("moved/PLAN.TXT"), output));
    EXPECT_EQ(output, analyser.file("moved/_PLAN.DXF"));
    EXPECT_TRUE(file_exists(analyser.file("moved/_PLAN.DXF")));
    EXPECT_FALSE(std::filesystem::exists("/tmp/X/_PLAN.DXF"));
}

TEST_F(RebuildTarget, RuleZeroNeverWritesOverTheSource) {
    analyse("_X.DXF", "_X.TXT");
    analyser.context.settings.naming_rule = 0;
    std::string output;
    EXPECT_FALSE(rebuild(analyser.file("_X.TXT"), output));
    EXPECT_EQ(cp932_to_utf8(analyser.messages.last()),
              analyser.file("_X.DXF") + "は読み込むファイルなので書き込めません");
    EXPECT_EQ(read_file(analyser.file("_X.DXF")), kDxf);
}

TEST_F(RebuildTarget, AnExistingOutputIsReplacedOnlyWhenTheUserSaysYes) {
    analyse("X.dxf", "X.TXT");
    analyser.context.settings.naming_rule = 1;
    const std::string serials = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (char serial : serials)
        write_file(analyser.file(std::string("X$") + serial + ".DXF"), "mine");
    std::string output;
    analyser.messages.answers = {false};
    EXPECT_FALSE(rebuild(analyser.file("X.TXT"), output));
    EXPECT_EQ(cp932_to_utf8(analyser.messages.last()),
              analyser.file("X$Z.DXF") + "は既にあります。上書きしますか？");
    EXPECT_EQ(read_file(analyser.file("X$Z.DXF")), "mine");
    analyser.messages.answers = {true};
    EXPECT_TRUE(rebuild(analyser.file("X.TXT"), output));
    EXPECT_NE(read_file(analyser.file("X$Z.DXF")), "mine");

    // An analysis written over an older one is asked for in the same way.
    write_file(analyser.file("X.TXT"), "my edits");
    analyser.messages.answers = {false};
    EXPECT_EQ(
        convert_dxf_to_analysis(analyser.context, analyser.file("X.dxf"), analyser.file("X.TXT")),
        0);
    EXPECT_EQ(read_file(analyser.file("X.TXT")), "my edits");
}

}  // namespace
}  // namespace zov
