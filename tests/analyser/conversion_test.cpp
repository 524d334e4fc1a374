#include "analyser/conversion.h"

#include <gtest/gtest.h>

#include "analyser/item_index.h"
#include "analyser/item_lines.h"
#include "analyser/management.h"
#include "analyser/rebuild.h"
#include "analyser_test_support.h"
#include "common/files.h"
#include "fixtures/dxf_text.h"

namespace zov {
namespace {

const std::string kEnd = "_\x18";  // data mark and end code of form 0

class Conversion : public ::testing::Test {
protected:
    void SetUp() override {
        settings().analysis_form = kFormOwn;
        settings().explanation = 0;
        settings().item_comments = 0;
    }
    AnalyserSettings& settings() { return analyser.context.settings; }

    // Converts DXF text; the analysis file's lines.
    std::vector<std::string> convert(const std::string& dxf, const std::string& line_end = "\r\n") {
        write_file(analyser.file("in.dxf"), dxf);
        EXPECT_EQ(convert_dxf_to_analysis(analyser.context, analyser.file("in.dxf"),
                                          analyser.file("in.TXT")),
                  1);
        return split_lines(read_file(analyser.file("in.TXT")), line_end);
    }
    // The lines after the header region and the empty line that follows it.
    std::vector<std::string> data_region(const std::string& dxf) {
        std::vector<std::string> lines = convert(dxf);
        int skip = analysis_header_lines(settings(), selected_count);
        EXPECT_GE(lines.size(), static_cast<std::size_t>(skip));
        EXPECT_EQ(lines[static_cast<std::size_t>(skip - 1)], "");
        return std::vector<std::string>(lines.begin() + skip, lines.end());
    }

    TestAnalyser analyser;
    int selected_count = 0;
};

DxfGroups with_eof(DxfGroups groups) {
    groups.emplace_back("  0", "EOF");
    return groups;
}

TEST_F(Conversion, ItemLineOfOwnFormByteForByte) {
    DxfGroups groups = {{"  0", "SECTION"}, {"  2", "ENTITIES"}};
    for (int i = 0; i < 57; ++i) groups.emplace_back(" 70", "0");
    groups.insert(groups.end(), {{"  0", "LINE"}, {"  8", "0"}, {" 10", "1.0"}, {"  0", "ENDSEC"}});
    std::vector<std::string> data = data_region(dxf_text(with_eof(groups)));
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(data[0], "///  SECTION << ENTITIES >>  ///");
    EXPECT_EQ(data[2], "    119 0:LINE" + kEnd + "          8:0" + kEnd + " 10:1.0" + kEnd);
    EXPECT_EQ(data[3], "    125 0:ENDSEC" + kEnd + "      ");
}

TEST_F(Conversion, HeaderRegionWithoutExplanation) {
    std::vector<std::string> lines = convert(dxf_text(with_eof({{"999", "hello"}})));
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0].substr(0, 12), "        10  ");
    EXPECT_EQ(lines[1].substr(0, 10), sj("        ｜"));
    EXPECT_EQ(lines[2], "DXF Editer ZovEdit Version 1.4 ");
    EXPECT_EQ(lines[3], sj("【 ＤＸＦファイル解析データ 】"));
    EXPECT_EQ(lines[4], sj("Zov=000:_009070808$-^00320240(管理データ書き換え禁止)"));
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], sj("◆解析したファイル=") + analyser.file("in.dxf"));
    EXPECT_EQ(lines[7], sj("◆作成したファイル=") + analyser.file("in.TXT"));
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "      1 999:hello" + kEnd + "       ");
}

TEST_F(Conversion, ExplanationBlockWithItsOptionalGroups) {
    settings().explanation = 1;
    settings().item_comments = 1;
    settings().cut_handles = 1;
    settings().selected_only = 1;
    settings().selected_items = {sj("LINE  (ライン)"), "", "CIRCLE"};
    std::vector<std::string> lines = convert(dxf_text(with_eof({{"  0", "LINE"}})));
    int header_lines = 43 + 2 + 2 + (2 + 2) + 2;
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(header_lines + 1));
    EXPECT_EQ(lines[8],
              format_local_time(
                  sj("  (この解析ファイルは %Y年%m月%d日 %H時%M分 に作成されました。)").c_str(),
                  analyser.clock.now()));
    EXPECT_EQ(lines[14], sj("◆｢:｣の前にある数字はグループコードです。"));
    EXPECT_EQ(lines[20], sj("       0:項目を定義"));
    EXPECT_EQ(lines[39], sj("     999:コメント"));
    EXPECT_EQ(lines[41], sj("◆先頭に表示されている数字はＤＸＦファイルの実際の行数です。"));
    EXPECT_EQ(lines[43], sj("◆日本語のコメントはZovEditが、付加したコメントです。"));
    EXPECT_EQ(lines[45].substr(0, 12), sj("◆１行を短く"));
    EXPECT_EQ(lines[47], sj("◆以下に記述した 2種類の項目に絞り込んだ解析を行いました。"));
    EXPECT_EQ(lines[48], "   " + sj("LINE  (ライン)"));
    EXPECT_EQ(lines[49], "   CIRCLE");
    EXPECT_EQ(lines[50], "");
    EXPECT_EQ(lines[51], sj("-------------------------以下が実際のＤＸＦファイル解析結果です(54)"
                            "-------------------------"));
    EXPECT_EQ(lines[52], "");
    EXPECT_EQ(lines[4].substr(0, 29), "Zov=111:_053072508$-^00960240");
}

TEST_F(Conversion, ItemCommentsFromTheIndex) {
    settings().item_comments = 1;
    std::vector<std::string> data = data_region(dxf_text(with_eof({{"  9", "$ACADVER"},
                                                                   {"  1", "AC1009"},
                                                                   {"  9", "$XYZ"},
                                                                   {"999", "note"},
                                                                   {"  0", "LINE"},
                                                                   {"  0", "ENDSEC"}})));
    ASSERT_EQ(data.size(), 5u);
    EXPECT_EQ(data[0],
              "      1 " + sj("AutoCADのﾊﾞｰｼﾞｮﾝ") + " 9:$ACADVER" + kEnd + "      1:AC1009" + kEnd);
    EXPECT_EQ(data[1], "      5 . . . . . . . .  9:$XYZ" + kEnd + "        ");
    EXPECT_EQ(data[2], "      7 " + sj("       コメント") + "  999:note" + kEnd + "        ");
    EXPECT_EQ(data[3], "      9 " + sj("ライン") + "           0:LINE" + kEnd + "        ");
    EXPECT_EQ(data[4], "     11 " + sj("            終了") + " 0:ENDSEC" + kEnd + "      ");
}

TEST_F(Conversion, LineEndNotesAndTheSameDataRegion) {
    DxfGroups groups = with_eof({{"  0", "SECTION"}, {"  2", "HEADER"}, {"  0", "ENDSEC"}});
    std::vector<std::string> crlf = convert(dxf_text(groups, "\r\n"));
    std::vector<std::string> lf = convert(dxf_text(groups, "\n"));
    std::vector<std::string> cr = convert(dxf_text(groups, "\r"));
    EXPECT_EQ(lf[5], sj("********************** このファイルは <<< ＵＮＩＸ >>> です！！！ "
                        "**********************"));
    EXPECT_EQ(cr[5], sj("********************** このファイルは <<< Ｍａｃ >>> です！！！ "
                        "**********************"));
    EXPECT_EQ(std::vector<std::string>(lf.begin() + 6, lf.end()),
              std::vector<std::string>(crlf.begin() + 6, crlf.end()));
    EXPECT_EQ(std::vector<std::string>(cr.begin() + 6, cr.end()),
              std::vector<std::string>(crlf.begin() + 6, crlf.end()));
}

TEST_F(Conversion, MacBinarySourceIsReadFromByte128) {
    std::string header(128, '\0');
    header.replace(65, 8, "TEXTdos ");
    std::vector<std::string> lines = convert(header + dxf_text(with_eof({{"  0", "LINE"}}), "\r"));
    EXPECT_EQ(lines[5].find(sj("Ｍａｃ")) != std::string::npos, true);
    EXPECT_EQ(lines[9], "      1 0:LINE" + kEnd + "        ");
}

TEST_F(Conversion, LightweightPolylineWithSevenVertices) {
    DxfGroups groups = {{"  0", "LWPOLYLINE"}, {" 90", "7"}};
    for (int i = 1; i <= 7; ++i) {
        groups.emplace_back(" 10", std::to_string(i));
        groups.emplace_back(" 20", std::to_string(i * 10));
    }
    groups.emplace_back(" 70", "1");
    std::vector<std::string> data = data_region(dxf_text(with_eof(groups)));
    ASSERT_EQ(data.size(), 3u);
    auto vertex = [](int i) {
        return " 10:" + std::to_string(i) + kEnd + " 20:" + std::to_string(i * 10) + kEnd;
    };
    const std::string prefix = "^" + std::string(22, ' ') + " ";
    EXPECT_EQ(data[0],
              "      1 0:LWPOLYLINE" + kEnd + "   90:7" + kEnd + vertex(1) + vertex(2) + vertex(3));
    EXPECT_EQ(data[1], prefix + vertex(4) + vertex(5) + vertex(6));
    EXPECT_EQ(data[2], prefix + vertex(7) + " 70:1" + kEnd);
}

TEST_F(Conversion, HatchBreaksAfterEveryThirdCodeTwenty) {
    settings().item_comments = 1;
    DxfGroups groups = {{"  0", "HATCH"}};
    for (int i = 0; i < 9; ++i) groups.insert(groups.end(), {{" 10", "0"}, {" 20", "0"}});
    std::vector<std::string> data = data_region(dxf_text(with_eof(groups)));
    ASSERT_EQ(data.size(), 4u);  // three lines of three points, then an empty continuation
    const std::string prefix = "^" + std::string(39, ' ') + " ";
    EXPECT_EQ(data[1], prefix + " 10:0" + kEnd + " 20:0" + kEnd + " 10:0" + kEnd + " 20:0" + kEnd +
                           " 10:0" + kEnd + " 20:0" + kEnd);
    EXPECT_EQ(data[3], prefix);
}

TEST_F(Conversion, ExtendedDataInLinesOfTen) {
    DxfGroups groups = {{"  0", "LINE"}, {"  8", "0"}, {"1001", "APP"}};
    for (int i = 1; i < 25; ++i) groups.emplace_back("1070", std::to_string(i));
    std::vector<std::string> data = data_region(dxf_text(with_eof(groups)));
    ASSERT_EQ(data.size(), 3u);
    auto count = [](const std::string& line) {
        std::size_t n = 0;
        for (std::size_t at = line.find(":"); at != std::string::npos; at = line.find(":", at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count(data[0]), 12u);  // head, layer and ten extended-data groups
    EXPECT_EQ(data[1].substr(0, 27), "^" + std::string(22, ' ') + "1070");  // no extra blank
    EXPECT_EQ(count(data[1]), 10u);
    EXPECT_EQ(count(data[2]), 5u);
}

TEST_F(Conversion, BinaryChunksEndEveryLine) {
    std::vector<std::string> data = data_region(dxf_text(with_eof(
        {{"  0", "OLE2FRAME"}, {" 70", "2"}, {"310", "ABCD"}, {"310", "EF01"}, {"  1", "END"}})));
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(data[0], "      1 0:OLE2FRAME" + kEnd + "    70:2" + kEnd + "310:ABCD" + kEnd);
    EXPECT_EQ(data[1], "^" + std::string(23, ' ') + "310:EF01" + kEnd);
    EXPECT_EQ(data[2], "^" + std::string(23, ' ') + "  1:END" + kEnd);
    EXPECT_EQ(data[3], "^" + std::string(23, ' '));
}

TEST_F(Conversion, CutLeavesOutHandlesAndSubclassMarkers) {
    settings().cut_handles = 1;
    std::vector<std::string> data = data_region(
        dxf_text(with_eof({{"  0", "LINE"}, {"  5", "1F"}, {"100", "AcDbEntity"}, {"  8", "0"}})));
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0], "      1 0:LINE" + kEnd + "          8:0" + kEnd);
}

TEST_F(Conversion, SelectedItemsAndTheCommentsThatFollowThem) {
    settings().selected_only = 1;
    settings().selected_items = {sj("LINE  (ライン)")};
    selected_count = 1;
    std::vector<std::string> data = data_region(dxf_text(with_eof({{"  0", "SECTION"},
                                                                   {"  2", "ENTITIES"},
                                                                   {"  0", "LINE"},
                                                                   {"999", "after line"},
                                                                   {"  0", "CIRCLE"},
                                                                   {"999", "after circle"},
                                                                   {"  0", "LINE"},
                                                                   {"  0", "ENDSEC"}})));
    ASSERT_EQ(data.size(), 3u);
    EXPECT_EQ(data[0].substr(0, 14), "      5 0:LINE");
    EXPECT_EQ(data[1].substr(0, 19), "      7 999:after l");
    EXPECT_EQ(data[2].substr(0, 15), "     13 0:LINE_");
}

TEST_F(Conversion, SelectionWithoutItemsIsRefused) {
    settings().selected_only = 1;
    settings().selected_items = {};
    write_file(analyser.file("in.dxf"), dxf_text(with_eof({{"  0", "LINE"}})));
    EXPECT_EQ(
        convert_dxf_to_analysis(analyser.context, analyser.file("in.dxf"), analyser.file("in.TXT")),
        0);
    EXPECT_EQ(analyser.messages.last(), sj("選択項目が１つも指定できていないため中止します"));
    EXPECT_FALSE(file_exists(analyser.file("in.TXT")));
}

TEST_F(Conversion, TextFormEndsValuesWithABlank) {
    settings().analysis_form = kFormText;
    std::vector<std::string> lines = convert(dxf_text(with_eof({{"  0", "LINE"}, {"  8", "0"}})));
    EXPECT_EQ(analyser.messages.last(),
              sj("この解析ファイルはテキスト形式なので、ＤＸＦファイルを再作成できません"));
    EXPECT_EQ(lines[4].substr(0, 29), "Zov=000:_009070808$-^00320321");
    EXPECT_EQ(lines[9], "      1 0:LINE_           8:0_ ");
}

TEST_F(Conversion, CLanguageForm) {
    settings().analysis_form = kFormC;
    DxfGroups groups = with_eof({{"  0", "LINE"},
                                 {"  5", "2A"},
                                 {"  8", "0"},
                                 {" 10", "1.5"},
                                 {" 62", "7"},
                                 {"  1", "text"},
                                 {"  0", "POINT"}});
    std::vector<std::string> lines = convert(dxf_text(groups));
    ASSERT_EQ(lines.size(), 11u);  // eight header lines and three data lines
    EXPECT_EQ(lines[8], "(\"\");");
    EXPECT_EQ(lines[9],
              "(\"0\\nLINE\\n  5\\n%%lx\\n  8\\n%%s\\n 10\\n%%f\\n 62\\n7\\n  1\\n%%s\\n\","
              "handle++,layer,d_10,strings);");
    EXPECT_EQ(lines[10], "(\"0\\nPOINT\\n\");");

    settings().item_comments = 1;
    lines = convert(dxf_text(groups));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[8], "\");");
    EXPECT_EQ(lines[9].substr(0, 31), "/*" + sj("ライン") + "          */(\"0\\nLINE\\n");
}

TEST_F(Conversion, UnreadableSourcesAreRefused) {
    write_file(analyser.file("in.dxf"), std::string(5000, 'x'));  // no line end
    EXPECT_EQ(
        convert_dxf_to_analysis(analyser.context, analyser.file("in.dxf"), analyser.file("in.TXT")),
        0);
    EXPECT_EQ(analyser.messages.last(),
              sj("を読み取ることができません。").insert(0, analyser.file("in.dxf")));
    EXPECT_EQ(analyser.messages.entries.back().icon, MessageIcon::Question);
    EXPECT_FALSE(file_exists(analyser.file("in.TXT")));

    write_file(analyser.file("in.dxf"), "");
    EXPECT_EQ(
        convert_dxf_to_analysis(analyser.context, analyser.file("in.dxf"), analyser.file("in.TXT")),
        0);
    EXPECT_FALSE(file_exists(analyser.file("in.TXT")));

    // The analysis file may not replace its own source.
    write_file(analyser.file("in.dxf"), dxf_text(with_eof({{"  0", "LINE"}})));
    EXPECT_EQ(
        convert_dxf_to_analysis(analyser.context, analyser.file("in.dxf"), analyser.file("in.dxf")),
        0);
    EXPECT_EQ(read_file(analyser.file("in.dxf")), dxf_text(with_eof({{"  0", "LINE"}})));
}

class RefusingDialogs : public AcceptingDialogs {
public:
    bool run_analysis_options(AnalyserContext&, const std::string&) override { return false; }
};

TEST(ConversionDialog, CancelWritesNothing) {
    TestAnalyser analyser;
    RefusingDialogs refusing;
    AnalyserContext context(analyser.folder.path(), analyser.messages, analyser.clock, refusing);
    write_file(analyser.file("in.dxf"), "  0\r\nEOF\r\n");
    EXPECT_EQ(convert_dxf_to_analysis(context, analyser.file("in.dxf"), analyser.file("in.TXT")),
              0);
    EXPECT_FALSE(file_exists(analyser.file("in.TXT")));
}

TEST_F(Conversion, LastItemIsKeptWhenTheFileHasNoEof) {
    std::vector<std::string> data =
        data_region(dxf_text({{"  0", "LINE"}, {"  8", "0"}}) + "  0\r\nCIRCLE\r\n  8\r\n");
    ASSERT_EQ(data.size(), 2u);
    EXPECT_EQ(data[1],
              "      5 0:CIRCLE" + kEnd + "      ");  // the group without value is left out
    // A final EOF without its line end is lost, and so is its head group.
    data = data_region(dxf_text({{"  0", "LINE"}}) + "  0\r\nEOF");
    ASSERT_EQ(data.size(), 1u);
}

TEST_F(Conversion, ItemsLongerThanALineContinueOnTheNextLines) {
    DxfGroups groups = {{"  0", "DICTIONARY"}};
    for (int i = 0; i < 3000; ++i) {
        groups.emplace_back("  3", "ENTRY_NAME_" + std::to_string(i));
        groups.emplace_back("350", std::to_string(10000 + i));
    }
    std::string dxf = dxf_text(with_eof(groups));
    std::vector<std::string> data = data_region(dxf);
    ASSERT_GT(data.size(), 20u);
    for (const std::string& line : data) {
        EXPECT_LE(line.size(), kMaxWriteLine);
        EXPECT_NE(line, "??");
    }
    std::string rebuilt;
    ASSERT_TRUE(rebuild_from_analysis(analyser.context, RebuildStep::WriteDxf,
                                      analyser.file("in.TXT"), rebuilt = analyser.file("out.dxf")));
    std::string expected = dxf;
    std::string out = read_file(analyser.file("out.dxf"));
    // Codes lose their leading blanks; everything else is as it was.
    std::string normalised;
    for (const auto& [code, value] : groups)
        normalised += std::to_string(std::stoi(code)) + "\r\n" + value + "\r\n";
    EXPECT_NE(out.find(normalised), std::string::npos);
}

TEST(ItemLines, LineNumbersBeyondSevenDigitsKeepTheCodeColumn) {
    TempFolder folder;
    for (bool comments : {false, true}) {
        LineWriter out;
        ASSERT_TRUE(out.create(folder.path() + "a.TXT"));
        ItemLineOptions options;
        options.form = kFormOwn;
        options.comments = comments;
        options.cut = true;  // the filler groups below give no output
        ItemLineBuilder builder(options, out);
        builder.add_dxf_line("999");
        builder.add_dxf_line("x");
        for (long i = 2; i < 12345678; i += 2) {
            builder.add_dxf_line("  5");
            builder.add_dxf_line("F");
        }
        builder.add_dxf_line("  0");
        builder.add_dxf_line("LINE");
        builder.add_dxf_line("  8");
        builder.add_dxf_line("0");
        builder.finish();
        ASSERT_TRUE(out.close());
        std::vector<std::string> lines = split_lines(read_file(folder.path() + "a.TXT"));
        ASSERT_EQ(lines.size(), 3u);
        std::string expected_head = comments ? "12345679. . . . . . . .  0:" : "2345679 0:";
        EXPECT_EQ(lines[2].substr(0, expected_head.size()), expected_head);

        ManagementRecord record;
        record.code_column = comments ? kCodeColumnWithComments : kCodeColumnPlain;
        ASSERT_TRUE(out.create(folder.path() + "b.dxf"));
        RecordingMessages messages;
        DataLineParser parser(record, out, messages);
        ASSERT_EQ(parser.parse_data_line(lines[2], 3), 0);
        ASSERT_TRUE(out.close());
        EXPECT_EQ(read_file(folder.path() + "b.dxf"), "0\r\nLINE\r\n8\r\n0\r\n");
    }
}

TEST(CommandLine, NamedFileIsAnalysedNextToItself) {
    TestAnalyser analyser;
    analyser.context.settings.analysis_form = kFormOwn;
    write_file(analyser.file("plan.dxf"), "  0\r\nLINE\r\n  0\r\nEOF\r\n");
    std::string path = analyser.file("plan.dxf");
    std::string spaced = path.substr(0, 5) + " " + path.substr(5);
    EXPECT_EQ(analyse_command_line(analyser.context, "ZovEdit.EXE " + spaced), 0);
    EXPECT_EQ(analyser.context.analysis_path, analyser.file("plan.TXT"));
    EXPECT_TRUE(file_exists(analyser.file("plan.TXT")));
    EXPECT_EQ(analyser.context.settings.dxf_folder, analyser.folder.path());

    EXPECT_EQ(analyse_command_line(analyser.context, "ZovEdit.EXE"), -1);
    EXPECT_EQ(analyse_command_line(analyser.context, "ZovEdit.EXE " + analyser.file("plan.TXT")),
              -1);
    EXPECT_EQ(analyser.messages.last(),
              sj("DXFﾌｧｲﾙでありません(") + analyser.file("plan.TXT") + ")");
    EXPECT_EQ(analyse_command_line(analyser.context, "ZovEdit.EXE " + analyser.file("none.DXF")),
              -1);
    EXPECT_EQ(analyser.messages.last(),
              sj("オープンできません(") + analyser.file("none.DXF") + ")");
    EXPECT_EQ(analyser.messages.entries.back().icon, MessageIcon::Exclamation);
}

TEST(CommandLine, MenuAnalysisPathTakesThePrefix) {
    TestAnalyser analyser;
    analyser.context.settings.analysis_prefix = "zz";
    analyser.context.analysis_path = "old.TXT";
    EXPECT_EQ(menu_analysis_path(analyser.context, "/data/plans/A1.dxf"), "/data/plans/zzA1.TXT");
    EXPECT_EQ(analyser.context.settings.dxf_folder, "/data/plans/");
    EXPECT_EQ(analyser.context.analysis_path, "");
}

}  // namespace
}  // namespace zov
