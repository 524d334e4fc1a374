// Whole runs of the converter: command line, folder scan, summary, layout,
// names and failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/program_version.h"
#include "converter_test_support.h"
#include "fixtures/full_disk.h"
#include "symconv/block_names.h"
#include "symconv/converter.h"
#include "symconv/library_list.h"
#include "symconv/symbol_passes.h"

namespace zov {
namespace {

using fixtures::JwLine;
using fixtures::JwPoint;
using fixtures::JwSymbolSpec;
using testing::entity_values;
using testing::read_bytes;
using testing::write_bytes;

JwSymbolSpec line_symbol(float x1, float y1, float x2, float y2, float scale = 1) {
    JwSymbolSpec content;
    content.scale = scale;
    JwLine line;
    line.start_x = x1;
    line.start_y = y1;
    line.end_x = x2;
    line.end_y = y2;
    content.elements.lines.push_back(line);
    return content;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

using ConverterRun = testing::ConverterTest;

TEST_F(ConverterRun, OneSymbolLayoutOnA3AndItsInsert) {
    add_symbol("A.JWK", line_symbol(-10, -5, 30, 15));
    ASSERT_EQ(run({library}), kExitNormal);
    // 用紙サイズ : Ａ３ and S=1/1 with the text size correction 78%
    EXPECT_TRUE(contains(console(), utf8_to_cp932("   用紙サイズ   : Ａ３\n")));
    EXPECT_TRUE(contains(console(), "S=1/1\n"));
    EXPECT_TRUE(contains(console(), ": 78%\n"));
    std::string out = dxf();
    EXPECT_EQ(entity_values(out, "INSERT", "10"), std::vector<std::string>{"25.600"});
    EXPECT_EQ(entity_values(out, "INSERT", "20"), std::vector<std::string>{"230.100"});
    EXPECT_EQ(entity_values(out, "INSERT", "2"), std::vector<std::string>{"A"});
    // View centre (42 x 5, 53 x 2.5), height 42 x 8; extents of the symbol.
    EXPECT_TRUE(contains(out, "12\r\n210.000000\r\n22\r\n132.500000\r\n"));
    EXPECT_TRUE(contains(out, "40\r\n336.000000\r\n41\r\n2.0\r\n"));
    EXPECT_TRUE(contains(out, "$EXTMAX\r\n10\r\n30\r\n20\r\n15\r\n"));
    // The frame's last vertical line and the name of the cell.
    EXPECT_TRUE(
        contains(out, "10\r\n388.600\r\n20\r\n10.600\r\n11\r\n388.600\r\n21\r\n275.600\r\n"));
    EXPECT_TRUE(contains(out, "10\r\n10.600\r\n20\r\n269.770\r\n40\r\n5.300\r\n"));
    EXPECT_FALSE(std::filesystem::exists(launch + "JWK_LIST.TMP"));
    EXPECT_TRUE(contains(console(), utf8_to_cp932("\n正常終了しました。 ")));
}

TEST_F(ConverterRun, ArgumentsAreReadFromLastToFirst) {
    CommandLine both = parse_command_line({"-n", "/a/SYM/", "-s"});
    EXPECT_TRUE(both.ascii_names && both.thumbnail_mode);
    EXPECT_EQ(both.library, "/a/SYM/");
    EXPECT_EQ(parse_command_line({"A/", "B/"}).library, "A/");
    CommandLine windows_options = parse_command_line({"/S", "lib/", "/N", "-x"});
    EXPECT_TRUE(windows_options.ascii_names && windows_options.thumbnail_mode);
    EXPECT_EQ(windows_options.library, "lib/");
    EXPECT_FALSE(parse_command_line({"-n", "-s"}).has_library);
    CommandLine help = parse_command_line({"--help", "lib/", "--version"});
    EXPECT_TRUE(help.help && help.version && !help.ascii_names);
    EXPECT_EQ(help.library, "lib/");
}

TEST_F(ConverterRun, WithoutALibraryTheUsageTextEndsWithCode1) {
    EXPECT_EQ(run({"-s"}), kExitUsage);
    std::string text = console();
    EXPECT_EQ(text.substr(0, 8), "\nZR_JWK ");
    // 変換に失敗しました。 then the four usage lines
    EXPECT_TRUE(contains(text, utf8_to_cp932("\n\n変換に失敗しました。\n"
                                             "使用方法: ZR_JWK DirectryName [-n] [-s] \n")));
    EXPECT_TRUE(contains(text, utf8_to_cp932("\nZR_DXF.DOCを参照ください。\n")));
    EXPECT_FALSE(std::filesystem::exists(launch + "ZR_JWK.CFG"));
}

TEST_F(ConverterRun, LibraryNameFromZuNameDatWithoutTrailingBlanks) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    write_bytes(library + "ZU_NAME.DAT", std::string("KITCHEN   \r\n") + '\0' + "rest");
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_TRUE(std::filesystem::exists(library + "KITCHEN.DXF"));
    EXPECT_TRUE(contains(dxf("KITCHEN"), "0\r\nTEXT\r\n8\r\nWaku\r\n62\r\n  7\r\n"));
    EXPECT_TRUE(contains(dxf("KITCHEN"), "\r\n1\r\nKITCHEN\r\n"));
}

TEST_F(ConverterRun, JapaneseLibraryNameNamesTheFileInUtf8) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    write_bytes(library + "zu_name.dat", utf8_to_cp932("建具"));  // file name in lower case
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_TRUE(std::filesystem::exists(library + "建具.DXF"));
}

TEST_F(ConverterRun, TheFolderIsTheFolderPartOfTheArgument) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    ASSERT_EQ(run({library + "ignored_name"}), kExitNormal);
    EXPECT_TRUE(std::filesystem::exists(library + "ZR_JWK.DXF"));
}

TEST_F(ConverterRun, AFolderNamedWithoutItsSlashGivesTheSameSheet) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    ASSERT_EQ(run({launch + "lib"}), kExitNormal);
    EXPECT_FALSE(std::filesystem::exists(launch + "ZR_JWK.DXF"));
    const std::string without_slash = dxf();
    ASSERT_TRUE(contains(without_slash, "\r\nBLOCK\r\n"));
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_EQ(dxf(), without_slash);
}

TEST_F(ConverterRun, HelpAndVersionConvertNothingAndEndNormally) {
    EXPECT_EQ(run({"--help"}), kExitNormal);
    const std::string help = console();
    EXPECT_EQ(help.substr(0, 8), "\nZR_JWK ");
    // The four usage lines without 変換に失敗しました。
    EXPECT_TRUE(contains(help, utf8_to_cp932("使用方法: ZR_JWK DirectryName [-n] [-s] \n")));
    EXPECT_FALSE(contains(help, utf8_to_cp932("変換に失敗")));
    EXPECT_EQ(run({library, "--version"}), kExitNormal);
    EXPECT_EQ(console(), std::string("zr_jwk ") + kToolkitVersion + "\n");
    EXPECT_FALSE(std::filesystem::exists(launch + "ZR_JWK.CFG"));
    EXPECT_FALSE(std::filesystem::exists(library + "ZR_JWK.DXF"));
}

TEST_F(ConverterRun, AFolderThatCannotBeEnteredFailsTheSurvey) {
    EXPECT_EQ(run({launch + "missing/"}), kExitFailed);
    ASSERT_GE(messages.entries.size(), 3u);
    std::vector<std::string> reports;
    for (const auto& entry : messages.entries)
        if (entry.icon == MessageIcon::Stop) reports.push_back(entry.text);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(
        contains(reports[0], "(" + launch + "missing/)"));  // パラメータ(%s)が正しくありません
    EXPECT_EQ(reports[1], utf8_to_cp932("オープンできない"));
    EXPECT_TRUE(contains(reports[2], "(1)"));
    EXPECT_FALSE(std::filesystem::exists(launch + "JWK_LIST.TMP"));
    EXPECT_EQ(run({"nofolder"}), kExitFailed);  // no folder part: nothing to enter
}

TEST_F(ConverterRun, EmptyFolderGivesHeaderTablesEmptyBlocksAndAnA4Frame) {
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_TRUE(contains(console(), utf8_to_cp932("\n0個の")));
    EXPECT_TRUE(contains(console(), utf8_to_cp932(": Ａ４\n")));
    std::string out = dxf();
    EXPECT_TRUE(contains(
        out, "0\r\nSECTION\r\n2\r\nBLOCKS\r\n0\r\nENDSEC\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n"));
    EXPECT_EQ(entity_values(out, "INSERT", "2").size(), 0u);
    // Cells of 297 / 9 and 210 / 5 at 1/1; margin 8.4.
    EXPECT_TRUE(
        contains(out, "10\r\n305.400\r\n20\r\n8.400\r\n11\r\n305.400\r\n21\r\n218.400\r\n"));
    EXPECT_EQ(out.substr(out.size() - 8), "0\r\nEOF\r\n");
}

TEST_F(ConverterRun, SymbolWithoutElementsGetsAnEmptyCell) {
    add_symbol("EMPTY.JWK", JwSymbolSpec());
    ASSERT_EQ(run({library}), kExitNormal);
    std::string out = dxf();
    EXPECT_EQ(entity_values(out, "BLOCK", "2"), std::vector<std::string>{"EMPTY"});
    EXPECT_TRUE(contains(out, "$EXTMAX\r\n10\r\n0\r\n20\r\n0\r\n"));
    EXPECT_TRUE(contains(out, "12\r\n16500.000000\r\n22\r\n10500.000000\r\n"));  // A4 at 1/100
}

TEST_F(ConverterRun, AnUnlistableSymbolFileStopsTheSurveyWithKeyWaitReports) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    add_symbol(std::string(240, 'L') + ".JWK", line_symbol(0, 0, 1, 1));  // path beyond 259 bytes
    EXPECT_EQ(run({library}), kExitFailed);
    ASSERT_FALSE(messages.entries.empty());
    EXPECT_EQ(messages.entries.back().icon, MessageIcon::Stop);
    EXPECT_TRUE(contains(messages.last(), "(1)"));
    EXPECT_TRUE(contains(console(), utf8_to_cp932("LLLL.JWKを開けません(1 / 2)]")));
    EXPECT_FALSE(std::filesystem::exists(library + "ZR_JWK.DXF"));
}

TEST_F(ConverterRun, ASymbolFileThatVanishedFailsThePass) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    add_symbol("B.JWK", line_symbol(0, 0, 1, 1));
    ConverterContext context(messages);
    context.launch_folder = launch;
    ASSERT_TRUE(context.scratch.create(launch, "ZR_JWK"));  // the list file goes there
    ASSERT_EQ(scan_library_folder(context, library), 0);
    EXPECT_EQ(context.symbol_count, 2);
    std::filesystem::remove(library + "B.JWK");
    EXPECT_EQ(survey_pass(context), -1);
    EXPECT_EQ(messages.last(), library + utf8_to_cp932("B.JWKを開けません(1 / 2)"));
    EXPECT_EQ(messages.entries.back().icon, MessageIcon::Stop);
}

TEST_F(ConverterRun, TheDxfThatCannotBeCreatedIsPrintedWithoutKeyWait) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    std::filesystem::create_directory(library + "ZR_JWK.DXF");
    EXPECT_EQ(run({library}), kExitFailed);
    EXPECT_EQ(messages.entries.back().icon, MessageIcon::Information);
    EXPECT_TRUE(contains(messages.last(), library + utf8_to_cp932("ZR_JWK.DXFを作成")));
}

TEST_F(ConverterRun, AFullDiskIsReportedAsAFailedConversion) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    ASSERT_EQ(run({library}), kExitNormal);  // settings and an old library in place
    const std::string old_library = dxf();
    write_bytes(library + "ZU_NAME.DAT", "ZR_JWK");
    add_symbol("B.JWK", line_symbol(0, 0, 2, 2));
    {
        FullDisk full(2048);
        EXPECT_EQ(run({library}), kExitFailed);
    }
    EXPECT_EQ(messages.entries.back().icon, MessageIcon::Stop);
    EXPECT_TRUE(contains(messages.last(), "(2)"));
    // Nothing half-written: the old library stands and no scratch is left.
    EXPECT_TRUE(dxf() == old_library);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(launch),
                            std::filesystem::directory_iterator()),
              2);  // lib/ and ZR_JWK.CFG
}

TEST_F(ConverterRun, ASymbolFileShorterThanItsCountsKeepsWhatItHolds) {
    JwSymbolSpec content = line_symbol(0, 0, 10, 10);
    content.elements.lines.push_back(content.elements.lines[0]);
    std::string bytes = fixtures::build_jw_symbol_file(content);
    bytes.resize(bytes.size() - 5);  // the second line is cut
    write_bytes(library + "CUT.JWK", bytes);
    content.count_block = "2000000000,2000000000,2000000000,2000000000,0,0,0,0,1";
    add_symbol("HUGE.JWK", content);
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_TRUE(contains(console(), library + utf8_to_cp932("CUT.JWKは")));
    EXPECT_TRUE(contains(console(), library + utf8_to_cp932("HUGE.JWKは")));
    std::string out = dxf();
    // One whole line of CUT, the two lines HUGE holds, then the sheet.
    EXPECT_EQ(entity_values(out, "LINE", "8").size(), 3u + 10 + 6 + 9 + 5);
}

TEST_F(ConverterRun, FilesThatHoldNoSymbolAreNamedLeftOutAndCounted) {
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    const char* const not_symbols[][2] = {{"README.JWK", "not a symbol\r\n"},
                                          {"EMPTY.JWS", ""},
                                          {"DRAWING.JWS", "JwwData.\x01\x02"},
                                          {"DATA.JWK", "jw_cad(c)data"}};
    for (const auto& [name, bytes] : not_symbols) write_bytes(library + name, bytes);
    JwSymbolSpec cut = line_symbol(0, 0, 10, 10);
    std::string cut_bytes = fixtures::build_jw_symbol_file(cut);
    cut_bytes.resize(cut_bytes.size() - 5);
    write_bytes(library + "CUT.JWK", cut_bytes);
    ASSERT_EQ(run({library}), kExitNormal);
    for (const auto& [name, bytes] : not_symbols)
        EXPECT_TRUE(contains(console(), library + name + utf8_to_cp932("はJW_CADの"))) << name;
    EXPECT_EQ(entity_values(dxf(), "BLOCK", "2"), (std::vector<std::string>{"A", "CUT"}));
    std::vector<std::string> warnings;
    for (const auto& entry : messages.entries)
        if (entry.icon == MessageIcon::Warning) warnings.push_back(entry.text);
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "4 non-symbol file(s) left out",
                            "1 cut-short or damaged symbol file(s)' unread rest left out"}));
    EXPECT_EQ(messages.entries.back().text, cp932_text(JaText::Finished));
}

TEST_F(ConverterRun, AsciiNamesCountDroppedCharactersInBlocksAndInserts) {
    add_symbol("階段.JWK", line_symbol(0, 0, 1, 1));
    add_symbol("2F階段.JWK", line_symbol(0, 0, 1, 1));
    add_symbol("Plain1.jwk", line_symbol(0, 0, 1, 1));
    ASSERT_EQ(run({"-n", library}), kExitNormal);
    std::string out = dxf();
    std::vector<std::string> blocks = entity_values(out, "BLOCK", "2");
    EXPECT_EQ(blocks, (std::vector<std::string>{"2F1", "Plain1", "JWK2"}));
    EXPECT_EQ(entity_values(out, "INSERT", "2"), blocks);
    // -nオプションが付加されています。
    EXPECT_TRUE(contains(console(), utf8_to_cp932("-nオプションが付加")));
    int counter = 0;
    EXPECT_EQ(clean_block_name(utf8_to_cp932("階段"), true, counter), "JWK1");
    EXPECT_EQ(clean_block_name(utf8_to_cp932("2F階段"), true, counter), "2F2");
    EXPECT_EQ(clean_block_name("ABC12", true, counter), "ABC12");
    EXPECT_EQ(counter, 2);
}

TEST_F(ConverterRun, HalfWidthKatakanaBlockNamesBecomeFullWidth) {
    add_symbol("ｷｯﾁﾝ{1}.JWK", line_symbol(0, 0, 1, 1));
    ASSERT_EQ(run({library}), kExitNormal);
    std::string out = dxf();
    // キッチン｛1｝ as block and insert; the sheet shows the name as it is.
    std::string full = utf8_to_cp932("キッチン｛1｝");
    EXPECT_EQ(entity_values(out, "BLOCK", "2"), std::vector<std::string>{full});
    EXPECT_EQ(entity_values(out, "INSERT", "2"), std::vector<std::string>{full});
    EXPECT_TRUE(contains(out, utf8_to_cp932("\r\n1\r\nｷｯﾁﾝ{1}\r\n")));
    int counter = 0;
    EXPECT_EQ(clean_block_name(utf8_to_cp932("ｷｯﾁﾝ"), true, counter), "JWK1");
}

TEST_F(ConverterRun, PointNoticesFollowTheLastSymbolAndJpoZeroWritesPointVariables) {
    JwSymbolSpec with_point;
    with_point.scale = 1;
    with_point.elements.points.push_back(JwPoint{1, 1, 0, 1});
    add_symbol("B.JWK", with_point);
    add_symbol("A.JWK", line_symbol(0, 0, 1, 1));
    ASSERT_EQ(run({library}), kExitNormal);
    const std::string filled = utf8_to_cp932("実点はJW_CAD");
    EXPECT_TRUE(contains(console(), filled));
    write_bytes(launch + "ZR_JWK.CFG", "JPO=1\r\n");
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_TRUE(contains(console(), utf8_to_cp932("実点は円")));
    write_bytes(launch + "ZR_JWK.CFG", "JPO=0\r\nJPM=3\r\nJPS=25\r\n");
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_TRUE(contains(dxf(), "$PDMODE\r\n70\r\n3\r\n9\r\n$PDSIZE\r\n40\r\n25\r\n"));
    EXPECT_TRUE(contains(dxf(), "0\r\nPOINT\r\n8\r\nZukei\r\n"));
    std::filesystem::remove(library + "A.JWK");
    write_bytes(launch + "ZR_JWK.CFG", "JPO=2\r\n");
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_TRUE(contains(console(), filled));
    EXPECT_FALSE(contains(dxf(), "$PDMODE"));
}

TEST_F(ConverterRun, ScaleGrowsOverTheBlockPassAsInTheSurvey) {
    fixtures::JwText text;
    text.end_x = 1;
    text.kind = 1;
    text.text = "T";
    JwSymbolSpec first = line_symbol(0, 0, 1, 1, 10);
    first.elements.texts.push_back(text);
    JwSymbolSpec second = line_symbol(0, 0, 1, 1, 50);
    second.elements.texts.push_back(text);
    add_symbol("A.JWK", first);
    add_symbol("B.JWK", second);
    ASSERT_EQ(run({library}), kExitNormal);
    // Kind 1: 20 / 10 x S x 0.78 with S = 10, then 50.
    EXPECT_EQ(entity_values(dxf(), "TEXT", "40")[0], "15.600");
    EXPECT_EQ(entity_values(dxf(), "TEXT", "40")[1], "78.000");
    EXPECT_TRUE(contains(dxf(), "$LTSCALE\r\n40\r\n50.000\r\n"));
}

TEST_F(ConverterRun, ThumbnailLayoutScalesEachSymbolIntoItsCell) {
    add_symbol("A.JWK", line_symbol(0, 0, 100, 50, 50));
    add_symbol("B.JWK", line_symbol(-10, -10, 10, 10, 1));
    ASSERT_EQ(run({"-s", library}), kExitNormal);
    std::string out = dxf();
    // A: centre (50, 25), k = min(39 / 100, 44 / 50) x 0.8 = 0.312.
    EXPECT_EQ(entity_values(out, "INSERT", "10")[0], "18.900");
    EXPECT_EQ(entity_values(out, "INSERT", "20")[0], "254.400");
    EXPECT_EQ(entity_values(out, "INSERT", "41")[0], "0.312000");
    // B: centre (0, 0), k = 39 / 20 x 0.8 = 1.56, next column.
    EXPECT_EQ(entity_values(out, "INSERT", "10")[1], "73.500");
    EXPECT_EQ(entity_values(out, "INSERT", "42")[1], "1.560000");
    EXPECT_TRUE(contains(out, "$EXTMAX\r\n10\r\n420\r\n20\r\n297\r\n"));
    EXPECT_TRUE(contains(out, "$LTSCALE\r\n40\r\n1.000\r\n"));
    EXPECT_FALSE(contains(out, "AddLine"));
    EXPECT_TRUE(contains(out, "\r\n1\r\n" + library + "\r\n"));  // title: the folder alone
    EXPECT_FALSE(std::filesystem::exists(launch + "JWK_BRO.TMP"));
    // サムネイル形式の作図を行います。
    EXPECT_TRUE(contains(console(), utf8_to_cp932("\nサムネイル形式")));
    write_bytes(library + "ZU_NAME.DAT", "SET");
    ASSERT_EQ(run({"-s", library}), kExitNormal);
    EXPECT_TRUE(contains(dxf("SET"), "\r\n1\r\nSET( " + library + " )\r\n"));
}

}  // namespace
}  // namespace zov
