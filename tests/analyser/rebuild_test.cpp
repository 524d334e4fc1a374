#include "analyser/rebuild.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "analyser/conversion.h"
#include "analyser_test_support.h"
#include "common/clock.h"
#include "common/files.h"
#include "fixtures/dxf_binary.h"
#include "fixtures/dxf_bombs.h"
#include "fixtures/dxf_text.h"

namespace zov {
namespace {

const DxfGroups kSource = {
    {"  0", "SECTION"},  {"  2", "ENTITIES"}, {"  0", "LINE"}, {"  5", "2F"},
    {"100", "AcDbLine"}, {"  8", "Walls"},    {" 10", "1.5"},  {"  1", "  text with blanks  "},
    {"  0", "ENDSEC"},   {"  0", "EOF"}};

std::string dxf_lines(const std::vector<std::string>& lines, const std::string& end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

class Rebuild : public ::testing::Test {
protected:
    void SetUp() override {
        settings().analysis_form = 0;
        write_file(analyser.file("src.dxf"), dxf_text(kSource));
        ASSERT_EQ(convert_dxf_to_analysis(analyser.context, analyser.file("src.dxf"),
                                          analyser.file("src.TXT")),
                  1);
        analysis = split_lines(read_file(analyser.file("src.TXT")));
    }
    AnalyserSettings& settings() { return analyser.context.settings; }
    // Rewrites the analysis file from `analysis`.
    void save_analysis() { write_file(analyser.file("src.TXT"), dxf_lines(analysis)); }
    // Rebuilds into a fresh out.dxf (an existing output would be a question).
    bool rebuild() {
        std::string out = analyser.file("out.dxf");
        std::filesystem::remove(out);
        return rebuild_from_analysis(analyser.context, RebuildStep::WriteDxf,
                                     analyser.file("src.TXT"), out);
    }
    bool check() {
        std::string source;
        return rebuild_from_analysis(analyser.context, RebuildStep::Check, analyser.file("src.TXT"),
                                     source);
    }
    std::string output() { return read_file(analyser.file("out.dxf")); }
    // The index of the first data line of the unedited analysis file.
    std::size_t first_item() const { return 47; }

    TestAnalyser analyser;
    std::vector<std::string> analysis;
};

const std::vector<std::string> kRebuiltGroups = {
    "0",   "SECTION",  "2", "ENTITIES", "0",  "LINE", "5", "2F",
    "100", "AcDbLine", "8", "Walls",    "10", "1.5",  "1", "  text with blanks  ",
    "0",   "ENDSEC",   "0", "EOF"};

TEST_F(Rebuild, UneditedAnalysisGivesTheSourceGroups) {
    std::string source;
    ASSERT_TRUE(check());
    ASSERT_TRUE(rebuild_from_analysis(analyser.context, RebuildStep::Check,
                                      analyser.file("src.TXT"), source));
    EXPECT_EQ(source, analyser.file("src.dxf"));
    ASSERT_TRUE(rebuild());
    std::string time = format_local_time(sj("%Y年%m月%d日 %H時%M分").c_str(), analyser.clock.now());
    EXPECT_EQ(output(), dxf_lines({"999", "DXF Editer ZovEdit Version 1.4  (" + time + ")", "999",
                                   sj("このDXFﾌｧｲﾙは") + source + sj("を書き換えしたものです")}) +
                            dxf_lines(kRebuiltGroups));
    EXPECT_TRUE(analyser.messages.entries.empty());

    settings().comment_groups = 0;
    settings().line_ends = 3;
    ASSERT_TRUE(rebuild());
    EXPECT_EQ(output(), dxf_lines(kRebuiltGroups, "\n"));
    settings().line_ends = 2;
    ASSERT_TRUE(rebuild());
    EXPECT_EQ(output(), dxf_lines(kRebuiltGroups, "\r"));
}

TEST_F(Rebuild, EditedLinesFollowTheReadingRules) {
    settings().comment_groups = 0;
    std::vector<std::string> data(analysis.begin() + static_cast<long>(first_item()),
                                  analysis.end());
    ASSERT_EQ(data.size(), 4u);
    analysis.resize(first_item());
    analysis.push_back("- my own note: ignored");
    analysis.push_back("/ another note");
    analysis.push_back("");
    analysis.push_back("^   too short");
    analysis.push_back(data[2]);  // the LINE item
    // A new item in the same form, blanks after its last value.
    analysis.push_back("      1 . . . . . . . .  0:POINT_\x18    8:0_\x18 10:2.5_\x18   ");
    // A continuation line long enough to be read.
    analysis.push_back("^" + std::string(39, ' ') + " 20:7.5_\x18");
    save_analysis();
    ASSERT_TRUE(rebuild());
    EXPECT_EQ(output(), dxf_lines({"0",  "LINE",  "5",  "2F",  "100", "AcDbLine",
                                   "8",  "Walls", "10", "1.5", "1",   "  text with blanks  ",
                                   "0",  "POINT", "8",  "0",   "10",  "2.5",
                                   "20", "7.5",   "0",  "EOF"}));
}

TEST_F(Rebuild, GroupCodeErrorEndsTheFileAfterTheGroupsBefore) {
    settings().comment_groups = 0;
    analysis.insert(analysis.begin() + static_cast<long>(first_item()) + 2,
                    "      9 . . . . . . . .  0:LINE_\x18 12345:bad_\x18");
    save_analysis();
    EXPECT_FALSE(rebuild());
    EXPECT_EQ(analyser.messages.last(), sj("50行目: グループコード12345が0～1071の範囲外です"));
    EXPECT_EQ(analyser.messages.entries.back().icon, MessageIcon::Exclamation);
    // The groups after the bad code are missing: no DXF rather than a short one.
    EXPECT_FALSE(std::filesystem::exists(analyser.file("out.dxf")));
}

TEST_F(Rebuild, EveryRefusal) {
    auto expect_refusal = [&](const std::string& message, MessageIcon icon = MessageIcon::Stop) {
        delete_file(analyser.file("out.dxf"));
        EXPECT_FALSE(check());
        EXPECT_EQ(analyser.messages.last(), message);
        EXPECT_EQ(analyser.messages.entries.back().icon, icon);
        EXPECT_FALSE(rebuild());
        EXPECT_FALSE(file_exists(analyser.file("out.dxf")));
    };
    const std::string path = analyser.file("src.TXT");
    std::vector<std::string> good = analysis;

    delete_file(path);
    expect_refusal(path + sj("が開けません"));
    write_file(path, "");
    expect_refusal(path + sj("が開けません"));

    write_file(path, "a\r\nb\r\nc\r\n");
    expect_refusal(path + sj("は解析ファイルではありません"));
    analysis[4] = "zov=" + good[4].substr(4);
    save_analysis();
    expect_refusal(path + sj("は解析ファイルではありません"));

    analysis[4] = good[4].substr(0, 9) + "7" + good[4].substr(10);  // header lines 047 -> 057
    save_analysis();
    expect_refusal(path + sj("中の\n５行目管理データ(Zov=)が不正です"));
    analysis[4] = "Zov=100:_04707";  // cut short: the fields beyond read as 0
    save_analysis();
    expect_refusal(path + sj("中の\n５行目管理データ(Zov=)が不正です"));
    // Cut to nothing, every field reads 0 and so does the checksum: refused
    // all the same, as is a number field that holds no number.
    for (const std::string& damaged :
         {std::string("Zov="), std::string("Zov=000:_000000000$-^0000024"),
          "Zov=100:_04707250 $-^00880240" + good[4].substr(29)}) {
        analysis[4] = damaged;
        save_analysis();
        expect_refusal(path + sj("中の\n５行目管理データ(Zov=)が不正です"));
    }

    auto with_fields = [&](const std::string& fields) {
        analysis = good;
        analysis[4] = "Zov=" + fields + good[4].substr(29);
        save_analysis();
    };
    with_fields("101:_049072508$-^00910240");
    expect_refusal(sj("部分解析したデータのため実行できません。"));
    with_fields("100:_047072508$-^00880321");
    expect_refusal(sj("解析ファイルをテキスト形式で出力しているので実行できません"));
    with_fields("100:_047072508$-^00880322");
    expect_refusal(sj("解析ファイルをＣ言語形式で出力しているので実行できません"));
}

TEST_F(Rebuild, CutAnalysisAsksFirst) {
    analysis[4] = "Zov=110:_049072508$-^00910240" + analysis[4].substr(29);
    analysis.insert(analysis.begin() + 5, {"", ""});  // two more header lines
    save_analysis();
    analyser.messages.answers = {false};
    EXPECT_FALSE(check());
    EXPECT_TRUE(analyser.messages.entries.back().question);
    EXPECT_EQ(
        analyser.messages.last(),
        sj("DXFﾌｧｲﾙを簡略解析しています。\n不都合が発生する可能性がありますが実行しますか？"));
    analyser.messages.answers = {true};
    EXPECT_TRUE(check());
    std::size_t asked = analyser.messages.entries.size();
    EXPECT_TRUE(rebuild());  // the rebuild itself does not ask again
    EXPECT_EQ(analyser.messages.entries.size(), asked);
}

TEST_F(Rebuild, NoDataAfterTheHeader) {
    analysis.resize(40);
    save_analysis();
    EXPECT_FALSE(rebuild());
    EXPECT_EQ(analyser.messages.last(), sj("有効データがありません"));
    EXPECT_FALSE(file_exists(analyser.file("out.dxf")));
}

TEST_F(Rebuild, OutputMayNotReplaceTheAnalysisFile) {
    std::string same = analyser.file("src.TXT");
    std::string before = read_file(same);
    EXPECT_FALSE(rebuild_from_analysis(analyser.context, RebuildStep::WriteDxf, same, same));
    EXPECT_EQ(read_file(same), before);
}

TEST_F(Rebuild, CommandNamesTheOutputByTheRule) {
    settings().naming_rule = 0;
    settings().line_ends = 9;  // outside 1 to 3: the dialog makes it 1
    std::string output_path;
    ASSERT_TRUE(make_dxf_from_analysis(analyser.context, analyser.file("src.TXT"), output_path));
    EXPECT_EQ(output_path, analyser.file("_src.DXF"));
    EXPECT_EQ(settings().line_ends, 1);
    EXPECT_NE(read_file(output_path).find("\r\nEOF\r\n"), std::string::npos);
}

TEST_F(Rebuild, BinaryDxfIsAnalysedByItsGroupsAndRebuiltAsText) {
    settings().comment_groups = 0;
    DxfGroups groups = kSource;
    groups[7].second = "text";  // the binary writer of the tests trims values
    std::string rebuilt[2];
    for (int binary : {0, 1}) {
        const std::string dxf = analyser.file(binary ? "bin.dxf" : "text.dxf");
        write_file(dxf, binary ? binary_dxf(dxf_text(groups, "\n")) : dxf_text(groups));
        ASSERT_EQ(convert_dxf_to_analysis(analyser.context, dxf, analyser.file("src.TXT")), 1);
        ASSERT_TRUE(rebuild());
        rebuilt[binary] = output();
    }
    EXPECT_EQ(analyser.messages.last(),
              analyser.file("bin.dxf") +
                  sj("はバイナリDXFです。解析ファイルから再作成するDXFはテキスト形式になります"));
    EXPECT_EQ(rebuilt[1], rebuilt[0]);
    EXPECT_NE(rebuilt[0].find("10\r\n1.5\r\n1\r\ntext\r\n"), std::string::npos);
}

TEST(DataLines, GarbageLinesNeverReadOutsideTheLine) {
    TempFolder folder;
    ManagementRecord record;
    record.code_column = 0;  // a tampered column still starts inside the line
    LineWriter out;
    ASSERT_TRUE(out.create(folder.path() + "o"));
    RecordingMessages messages;
    DataLineParser parser(record, out, messages);
    for (const char* line : {"^", "   ", "1:_\x18", "1071:v_\x18  "})
        EXPECT_EQ(parser.parse_data_line(line, 1), 0) << line;
    for (const char* line : {"x", ":", "_\x18", "1:", "1:_", "::::", "1072:v_\x18", "-1:v_\x18"})
        EXPECT_EQ(parser.parse_data_line(line, 1), -1) << line;
    ASSERT_TRUE(out.close());
}

// Each edit that would shift or damage the groups after it is refused with
// the line and what is wrong, and no DXF is written.
TEST_F(Rebuild, BadEditsAreRefusedWithTheLineNumber) {
    settings().comment_groups = 0;
    const std::size_t at = first_item() + 2;  // the LINE item: ... 10:1.5 1:  text ...
    ASSERT_NE(analysis[at].find(" 10:1.5_\x18"), std::string::npos);
    const std::string line_no = std::to_string(at + 1) + sj("行目: ");
    const struct {
        const char* from;
        const char* to;
        const char* what;
    } kEdits[] = {
        {" 10:1.5", " 10 1.5", "グループコード「10 1.5_」が数字ではありません"},
        {" 10:1.5", " 1x:1.5", "グループコード「1x」が数字ではありません"},
        {"blanks  _\x18", "blanks  _", "データ区切り記号(_)の後の終端コードがありません"},
        {"1.5_\x18", "1.5\x18", "終端コードの前のデータ区切り記号(_)がありません"},
        {"blanks  _\x18", "blanks  ", "値の後にデータ区切り記号(_)と終端コードがありません"},
        {" 10:1.5", " 1100:1.5", "グループコード1100が0～1071の範囲外です"},
    };
    const std::vector<std::string> good = analysis;
    for (const auto& edit : kEdits) {
        analysis = good;
        std::string& line = analysis[at];
        const std::size_t found = line.find(edit.from);
        ASSERT_NE(found, std::string::npos) << edit.from;
        line.replace(found, std::string_view(edit.from).size(), edit.to);
        save_analysis();
        EXPECT_FALSE(rebuild()) << edit.to;
        EXPECT_EQ(analyser.messages.last(), line_no + sj(edit.what));
        EXPECT_FALSE(std::filesystem::exists(analyser.file("out.dxf")));
    }
}

// A real group that reads as no finite number comes back as the number the
// viewer's import takes from it; every other value comes back as it was.
TEST_F(Rebuild, RealsThatAreNoFiniteNumbersAreWrittenFinite) {
    settings().comment_groups = 0;
    const struct {
        const char* value;
        const char* written;
    } kValues[] = {{"NaN", "0.000000"},  {"-inf", "0.000000"}, {"1e999", "0.000000"},
                   {"abc", "0.000000"},  {"", "0.000000"},     {"2.5mm", "2.500000"},
                   {"-1e308", "-1e308"}, {" +1.5 ", " +1.5 "}};
    DxfGroups groups = {{"0", "SECTION"}, {"2", "ENTITIES"}};
    for (const auto& value : kValues) {
        groups.push_back({"0", "POINT"});
        groups.push_back({"10", value.value});
        groups.push_back({"1", value.value});  // a text group keeps any value
    }
    groups.push_back({"0", "ENDSEC"});
    groups.push_back({"0", "EOF"});
    write_file(analyser.file("src.dxf"), dxf_text(groups));
    ASSERT_EQ(convert_dxf_to_analysis(analyser.context, analyser.file("src.dxf"),
                                      analyser.file("src.TXT")),
              1);
    ASSERT_TRUE(rebuild());
    std::vector<std::string> reals, texts;
    for (const DxfGroup& group : read_dxf_groups(output())) {
        if (group.code == 10) reals.push_back(group.value);
        if (group.code == 1) texts.push_back(group.value);
    }
    ASSERT_EQ(reals.size(), std::size(kValues));
    for (std::size_t i = 0; i < reals.size(); ++i) {
        EXPECT_EQ(reals[i], kValues[i].written) << kValues[i].value;
        EXPECT_EQ(texts[i], kValues[i].value);
    }
    EXPECT_EQ(analyser.messages.last(),
              "6 real value left out (not a finite number: written as the viewer's import "
              "reads it)");

    // The header, line type and entities of a drawing of absurd numbers.
    ASSERT_TRUE(absurd_numbers().write(analyser.file("src.dxf")));
    ASSERT_EQ(convert_dxf_to_analysis(analyser.context, analyser.file("src.dxf"),
                                      analyser.file("src.TXT")),
              1);
    ASSERT_TRUE(rebuild());
    EXPECT_EQ(non_finite_reals(read_dxf_groups(output())), std::vector<DxfGroup>{});
}

}  // namespace
}  // namespace zov
