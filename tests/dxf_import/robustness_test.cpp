// The import of odd, broken and hostile files: line ends, failures the user
// is told about, garbage, truncation and absurd numbers.
#include <cmath>
#include <random>

#include "common/encoding.h"
#include "import_folder.h"

namespace zov {
namespace {

using Robustness = ImportFolder;

// A drawing with something of every kind the importer reads.
DxfFixture rich_drawing() {
    DxfFixture dxf;
    dxf.section("HEADER")
        .group(9, "$ACADVER")
        .group(1, "AC1015")
        .header_point("$EXTMIN", 0, 0)
        .header_point("$EXTMAX", 100, 100)
        .end_section()
        .section("TABLES")
        .item("LTYPE")
        .group(2, "DASHED")
        .group(73, 2)
        .group(49, 12.7)
        .group(49, -6.35)
        .item("ENDTAB")
        .layer("0", 7)
        .layer("WALL", 1, "DASHED")
        .item("STYLE")
        .group(2, "TATE")
        .group(70, 4)
        .end_section()
        .section("BLOCKS")
        .block("DOOR")
        .line("WALL", 0, 0, 1, 0)
        .item("ARC")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(40, 1.0)
        .group(50, 0.0)
        .group(51, 90.0)
        .end_block()
        .block("_DOT")
        .item("CIRCLE")
        .group(40, 0.1)
        .end_block()
        .end_section()
        .section("ENTITIES")
        .line("WALL", 0, 0, 10, 0)
        .text("0", 1, 1, 2.5, "%%c12")
        .item("MTEXT")
        .group(7, "TATE")
        .group(40, 2.0)
        .group(71, 5)
        .group(1, "A\\PB")
        .item("LWPOLYLINE")
        .group(70, 1)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(42, 0.5)
        .group(10, 5.0)
        .group(20, 0.0)
        .group(10, 5.0)
        .group(20, 5.0)
        .item("POLYLINE")
        .group(66, 1)
        .group(70, 1)
        .item("VERTEX")
        .group(10, 0.0)
        .group(20, 0.0)
        .item("VERTEX")
        .group(10, 1.0)
        .group(20, 1.0)
        .item("SEQEND")
        .insert("0", "DOOR", 3, 3)
        .item("LEADER")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 1.0)
        .group(20, 1.0)
        .item("ELLIPSE")
        .group(11, 3.0)
        .group(21, 0.0)
        .group(40, 0.5)
        .group(42, 6.28)
        .end_section()
        .end_of_file();
    return dxf;
}

TEST_F(Robustness, EveryLineEndStyleGivesTheSameStore) {
    const DxfFixture dxf = rich_drawing();
    std::string reference;
    for (const char* line_end : {"\r\n", "\n", "\r"}) {
        ASSERT_EQ(import(dxf, line_end), 0);
        EXPECT_EQ(header().ent_num, 12);
        std::ifstream in(path(kDataFileName), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), sizeof(StoreHeader));
        // Everything after the header, and the header's counts, agree.
        bytes.erase(0, offsetof(StoreHeader, pe_flag));
        if (reference.empty())
            reference = bytes;
        else
            EXPECT_EQ(bytes, reference) << "line end " << (line_end[0] == '\n' ? "LF" : "CR");
    }
}

TEST_F(Robustness, FilesThatCannotBeReadAreReported) {
    EXPECT_EQ(import_file(path("NONE.DXF")), -1);
    EXPECT_EQ(messages_.last(), utf8_to_cp932(" " + path("NONE.DXF") + " をオープンできない-1"));

    std::ofstream(path("NINE.DXF"), std::ios::binary) << "0\r\nEOF\r\n1";
    EXPECT_EQ(import_file(path("NINE.DXF")), -1);
    EXPECT_EQ(messages_.last(),
              utf8_to_cp932(" " + path("NINE.DXF") + " を読み込むことができません-12"));
    EXPECT_FALSE(std::filesystem::exists(path(kDataFileName)));

    std::ofstream(path("TEN.DXF"), std::ios::binary) << "0\r\nEOF\r\n12";
    messages_.entries.clear();
    EXPECT_EQ(import_file(path("TEN.DXF")), 0);
    EXPECT_TRUE(messages_.entries.empty());
    EXPECT_EQ(header().ent_num, 0);
}

TEST_F(Robustness, AStoreThatCannotBeWrittenIsAFailure) {
    rich_drawing().write(path("IN.DXF"));
    std::filesystem::create_directory(path(kDataFileName));
    EXPECT_EQ(import_file(path("IN.DXF")), -1);
    EXPECT_EQ(messages_.last(), utf8_to_cp932(path(kDataFileName) + " を作成できない"));

    std::filesystem::remove(path(kDataFileName));
    std::filesystem::remove(path(kEntityFileName));
    std::filesystem::create_directory(path(kEntityFileName));
    EXPECT_EQ(import_file(path("IN.DXF")), -1);
    EXPECT_EQ(messages_.last(), utf8_to_cp932(path(kEntityFileName) + " をオープンできない*9"));
}

TEST_F(Robustness, AConvertedDwgIsDeletedAfterItsImport) {
    rich_drawing().write(path("PLAN.DXF"));
    ImportState state(folder_.string(), messages_);
    DxfImportOptions options;
    options.delete_source_after_load = true;
    EXPECT_EQ(import_dxf_file(path("PLAN.DXF"), state, options), 0);
    EXPECT_FALSE(std::filesystem::exists(path("PLAN.DXF")));
    EXPECT_TRUE(std::filesystem::exists(path(kDataFileName)));
}

TEST_F(Robustness, TruncatedFilesImportWhatTheyHold) {
    const std::string full = rich_drawing().text();
    for (std::size_t size = 10; size < full.size(); size += 7) {
        std::ofstream(path("CUT.DXF"), std::ios::binary) << full.substr(0, size);
        ASSERT_EQ(import_file(path("CUT.DXF")), 0) << size;
        ASSERT_EQ(header().ent_num, entity_records_in_file()) << size;
        for (const BlockTally& tally : tallies_) ASSERT_EQ(tally.counted, tally.written) << size;
    }
}

TEST_F(Robustness, GarbageNeverCrashesOrHangs) {
    std::mt19937 random(12345);
    const std::string full = rich_drawing().text();
    for (int round = 0; round < 200; ++round) {
        std::string bytes = full;
        // Damage a few lines: random bytes, swapped lines, dropped lines.
        for (int k = 0; k < 20; ++k) {
            const std::size_t at = random() % bytes.size();
            bytes[at] = static_cast<char>(random() % 256);
        }
        if (round % 3 == 0) bytes.erase(random() % bytes.size(), random() % 40);
        std::ofstream(path("BAD.DXF"), std::ios::binary) << bytes;
        ASSERT_EQ(import_file(path("BAD.DXF")), 0) << round;
        ASSERT_EQ(header().ent_num, entity_records_in_file()) << round;
    }
    std::string noise(1 << 16, '\0');
    for (char& c : noise) c = static_cast<char>(random() % 256);
    std::ofstream(path("NOISE.DXF"), std::ios::binary) << noise;
    EXPECT_EQ(import_file(path("NOISE.DXF")), 0);
}

TEST_F(Robustness, AbsurdNumbersAndSizesStayBounded) {
    DxfFixture dxf;
    dxf.section("HEADER")
        .group(9, "$EXTMIN")
        .group(10, "1e999")
        .group(20, "nan")
        .group(9, "$DIMSCALE")
        .group(40, "-inf")
        .end_section()
        .section("TABLES")
        .item("LAYER")
        .group(2, "X")
        .group(62, "-99999999999999")
        .group(70, "-1")
        .item("LTYPE")
        .group(2, "Z")
        .group(73, "2147483647")
        .group(49, "1e308")
        .group(49, "-1e-308")
        .item("ENDTAB")
        .end_section()
        .section("ENTITIES")
        .item("LINE")
        .group(8, "X")
        .group(10, "1e308")
        .group(20, "-1e308")
        .group(11, "nan")
        .item("CIRCLE")
        .group(40, "inf")
        .group(50, "1e300")
        .item("TEXT")
        .group(40, "1e308")
        .group(72, "99999999999")
        .group(1, std::string(5000, 'x'))
        .item("MTEXT")
        .group(40, "1e300")
        .group(71, 7);
    for (int i = 0; i < 3000; ++i) dxf.group(3, std::string(250, 'y'));
    std::string breaks;
    for (int i = 0; i < 500; ++i) breaks += "a\\P";
    dxf.group(1, breaks);
    dxf.item("LEADER");
    for (int i = 0; i < 1000; ++i) dxf.group(10, i * 1.0).group(20, 1e300);
    dxf.item("LWPOLYLINE")
        .group(90, "-5")
        .group(42, "1e308")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(42, "-1e308")
        .group(10, 1.0)
        .group(20, 1.0)
        .group(10, 1.0)
        .group(20, 1.0)
        .item("INSERT")
        .group(2, std::string(3000, 'B'))
        .group(230, "1e308")
        .group(41, "1e308")
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().ent_num, entity_records_in_file());
    EXPECT_EQ(header().lay_num, 1);
    EXPECT_EQ(layer(1).colour, 2147483647);
    const auto e = entities();
    ASSERT_GE(e.size(), 4u + 100u + 19u);
    EXPECT_DOUBLE_EQ(e[0].line.end_x, 0);  // "nan" reads as 0
    EXPECT_EQ(e[2].text_length, 2048);     // the line buffer cuts the text
    EXPECT_EQ(e[3].text_length, 2048);     // and the store keeps at most that much of a line
    // Overflowing arithmetic leaves no number that is not finite.
    for (const EntityRecord& r : e) {
        for (const double* v : all_reals(r)) ASSERT_TRUE(std::isfinite(*v));
    }
    EXPECT_TRUE(std::isfinite(header().min_x) && std::isfinite(header().max_y));
}

}  // namespace
}  // namespace zov
