#include "analyser/item_index.h"

#include <gtest/gtest.h>

#include "analyser/item_table.h"
#include "analyser/settings_file.h"
#include "analyser_test_support.h"
#include "common/cp932.h"
#include "common/files.h"

namespace zov {
namespace {

TEST(ItemTable, BuiltInRows) {
    TestAnalyser analyser;
    std::vector<std::string> lines = split_lines(read_file(analyser.file("_ZOV_.CSV")));
    ASSERT_EQ(lines.size(), 277u);
    int header_variables = 0, self_named = 0;
    for (const std::string& line : lines) {
        std::size_t comma = line.find(',');
        ASSERT_NE(comma, std::string::npos);
        EXPECT_EQ(line.find(',', comma + 1), std::string::npos) << line;
        std::string name = line.substr(0, comma), comment = line.substr(comma + 1);
        EXPECT_LE(name.size(), 20u) << name;
        EXPECT_LE(comment.size(), 16u) << line;
        EXPECT_EQ(safe_prefix_length(comment, 16), comment.size()) << line;
        if (name[0] == '$') ++header_variables;
        if (comment == (name[0] == '$' ? name.substr(1) : name)) ++self_named;
    }
    EXPECT_EQ(header_variables, 214);
    EXPECT_EQ(self_named, 49);
    const char* const telling[] = {"$ACADVER,AutoCADのﾊﾞｰｼﾞｮﾝ",
                                   "$ANGBASE,０度の方向",
                                   "$CLAYER,現在の画層名",
                                   "$DWGCODEPAGE,国JAPAN=dos932",
                                   "$EXTMAX,OBJ範囲右上頂点",
                                   "$EXTMIN,OBJ範囲左下頂点",
                                   "$HANDSEED,次のハンドル番号",
                                   "$DIMSAH,$DIMBLK有効",
                                   "$OLESTARTUP,",
                                   "LINE,ライン",
                                   "LWPOLYLINE,ﾗｲﾄｳｴｲﾄﾎﾟﾘﾗｲﾝ",
                                   "CIRCLE,円",
                                   "ARC,円弧",
                                   "TEXT,文字",
                                   "MTEXT,マルチテキスト",
                                   "INSERT,ﾌﾞﾛｯｸｲﾝｻｰﾄ",
                                   "BLOCK,ブロック",
                                   "HATCH,ハッチング",
                                   "LAYER,画層名(レイヤー)",
                                   "SECTION,セクション",
                                   "TABLE,テーブルタイプ",
                                   "ENDBLK,            終了",
                                   "ENDSEC,            終了",
                                   "ENDTAB,            終了",
                                   "SEQEND,            終了",
                                   "$ACADMAINTVER,ACADMAINTVER",
                                   "IDBUFFER,IDBUFFER",
                                   "ACDBPLACEHOLDER,PLACEHOLDER"};
    for (const char* row : telling)
        EXPECT_NE(std::find(lines.begin(), lines.end(), sj(row)), lines.end()) << row;
    EXPECT_EQ(lines.front(), sj("$ACADVER,AutoCADのﾊﾞｰｼﾞｮﾝ"));
    EXPECT_EQ(lines.back(), "LAYOUT,LAYOUT");
}

TEST(ItemIndex, BuiltFromTheDefaultTable) {
    TestAnalyser analyser;
    std::string bytes = read_file(analyser.context.scratch_file(kItemIndexFileName));
    ASSERT_EQ(bytes.size(), 278u * 38u);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x15\x01\0\0\xd7\0\0\0", 8));  // 277, 215
    EXPECT_EQ(bytes.substr(38, 21), std::string("$ACADVER") + std::string(13, '\0'));
    EXPECT_EQ(bytes.substr(38 + 21, 17), sj("AutoCADのﾊﾞｰｼﾞｮﾝ") + '\0');

    ItemNames names;
    ASSERT_TRUE(names.load(analyser.context.scratch_file(kItemIndexFileName)));
    EXPECT_EQ(names.entry_count(), 277);
    EXPECT_EQ(names.first_plain_entry(), 215);
    EXPECT_EQ(names.comment(names.find("$ACADVER")), sj("AutoCADのﾊﾞｰｼﾞｮﾝ"));
    EXPECT_EQ(names.comment(names.find("LINE")), sj("ライン"));
    EXPECT_EQ(names.find("$XYZ"), 0);
    EXPECT_EQ(names.find("line"), 0);
}

TEST(ItemIndex, UserTableIsKeptWhenRewritingIsOff) {
    TestAnalyser analyser;
    analyser.context.settings.rewrite_item_csv = 0;
    ASSERT_TRUE(save_settings(analyser.context));
    write_file(analyser.file("_ZOV_.CSV"),
               "$B,second header\r\n$A,first\r\nLINE," + std::string(20, 'c') + "\r\n" +
                   std::string(30, 'N') + ",x\r\nLINE,later duplicate\r\n$C,after plain\r\n");
    ASSERT_TRUE(build_item_index(analyser.context));
    ItemNames names;
    ASSERT_TRUE(names.load(analyser.context.scratch_file(kItemIndexFileName)));
    EXPECT_EQ(names.entry_count(), 6);
    EXPECT_EQ(names.first_plain_entry(), 3);
    EXPECT_EQ(names.find("$A"), 2);
    EXPECT_EQ(names.comment(names.find("LINE")), std::string(16, 'c'));
    EXPECT_EQ(names.find("LINE"), 3);
    EXPECT_EQ(names.name(4), std::string(20, 'N'));
    EXPECT_EQ(names.find("$C"), 0);  // header variables are looked up before the plain names only
}

TEST(ItemIndex, LineWithoutExactlyOneCommaStopsTheIndex) {
    TestAnalyser analyser;
    analyser.context.settings.rewrite_item_csv = 0;
    write_file(analyser.file("_ZOV_.CSV"), "LINE,ライン\r\nCIRCLE,円\r\nFOO\r\nARC,円弧\r\n");
    analyser.messages.entries.clear();
    ASSERT_TRUE(build_item_index(analyser.context));
    ASSERT_EQ(analyser.messages.entries.size(), 1u);
    EXPECT_EQ(analyser.messages.last(), sj("_ZOV_.CSV 中の\nFOOが\n正しく記述できていません。"));
    EXPECT_EQ(analyser.messages.entries[0].icon, MessageIcon::Question);
    ItemNames names;
    ASSERT_TRUE(names.load(analyser.context.scratch_file(kItemIndexFileName)));
    EXPECT_EQ(names.entry_count(), 2);
    EXPECT_EQ(names.find("ARC"), 0);

    write_file(analyser.file("_ZOV_.CSV"), "A,1,2\r\n");
    ASSERT_TRUE(build_item_index(analyser.context));
    ASSERT_TRUE(names.load(analyser.context.scratch_file(kItemIndexFileName)));
    EXPECT_EQ(names.entry_count(), 0);
}

TEST(ItemIndex, TableIsRewrittenWhenAskedOrUnusable) {
    TestAnalyser analyser;
    write_file(analyser.file("_ZOV_.CSV"), "LINE,mine\r\n");
    ASSERT_TRUE(build_item_index(analyser.context));  // rewrite_item_csv is 1 by default
    EXPECT_EQ(split_lines(read_file(analyser.file("_ZOV_.CSV"))).size(), 277u);

    analyser.context.settings.rewrite_item_csv = 0;
    write_file(analyser.file("_ZOV_.CSV"), "");
    ASSERT_TRUE(build_item_index(analyser.context));
    EXPECT_EQ(split_lines(read_file(analyser.file("_ZOV_.CSV"))).size(), 277u);

    write_file(analyser.file("_ZOV_.CSV"), "LINE,mine\r\n");
    delete_file(analyser.file("ZovEdit.CFG"));
    ASSERT_TRUE(build_item_index(analyser.context));
    EXPECT_EQ(split_lines(read_file(analyser.file("_ZOV_.CSV"))).size(), 277u);

    const std::string index = analyser.context.scratch_file(kItemIndexFileName);
    delete_item_index(analyser.context);
    EXPECT_FALSE(file_exists(index));
}

TEST(ItemIndex, GarbageIndexFilesAreReadSafely) {
    TempFolder folder;
    ItemNames names;
    EXPECT_FALSE(names.load(folder.path() + "missing"));
    std::string bytes(38, '\0');
    bytes[0] = '\xff';
    bytes[1] = '\xff';
    bytes[2] = '\xff';
    bytes[3] = '\x7f';  // absurd count
    bytes[4] = '\x09';
    bytes += "$ABC" + std::string(17, 'x') + std::string(17, 'y');  // no terminators
    write_file(folder.path() + "idx", bytes);
    ASSERT_TRUE(names.load(folder.path() + "idx"));
    EXPECT_EQ(names.entry_count(), 1);
    EXPECT_EQ(names.name(1), "$ABC" + std::string(17, 'x'));
    EXPECT_EQ(names.comment(1), std::string(17, 'y'));
    EXPECT_EQ(names.find("$ABC" + std::string(17, 'x')), 1);

    // An index of header variables only still names them.
    write_file(folder.path() + "idx", std::string("\x01\0\0\0\0\0\0\0", 8) + std::string(30, '\0') +
                                          "$X" + std::string(19, '\0') + "c" +
                                          std::string(16, '\0'));
    ASSERT_TRUE(names.load(folder.path() + "idx"));
    EXPECT_EQ(names.find("$X"), 1);
}

}  // namespace
}  // namespace zov
