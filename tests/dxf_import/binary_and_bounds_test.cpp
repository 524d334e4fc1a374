// Binary DXF files built from the same groups as ASCII ones, broken binary
// files, and the bounds of the kinds that multiply records (array inserts,
// hatches) against absurd counts.
#include <cmath>
#include <functional>
#include <random>

#include "common/files.h"
#include "dxf_import/insert_array.h"
#include "fixtures/dxf_binary.h"
#include "fixtures/dxf_bombs.h"
#include "import_folder.h"

namespace zov {
namespace {

class BinaryAndBounds : public ImportFolder {
protected:
    int import_binary(const std::string& bytes) {
        std::ofstream(path("BIN.DXF"), std::ios::binary) << bytes;
        return import_file(path("BIN.DXF"));
    }

    std::string store_after_header() {
        std::ifstream in(path(kDataFileName), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return bytes.substr(std::min(bytes.size(), offsetof(StoreHeader, pe_flag)));
    }

    // Imports and checks that the store holds every record the header counts.
    void expect_whole_store(int result) {
        EXPECT_EQ(result, 0) << messages_.last();
        EXPECT_EQ(header().ent_num, entity_records_in_file());
    }
};

// A drawing with the new kinds in a block and in the drawing.
DxfFixture drawing_of_new_kinds() {
    DxfFixture dxf;
    dxf.section("HEADER")
        .group(9, "$ACADVER")
        .group(1, "AC1015")
        .end_section()
        .section("TABLES")
        .layer("0", 7)
        .layer("HATCHES", 2)
        .end_section()
        .section("BLOCKS")
        .block("GRID")
        .item("HATCH")
        .group(8, "0")
        .group(70, 1)
        .group(91, 1)
        .group(92, 2)
        .group(72, 0)
        .group(73, 1)
        .group(93, 3)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 1.0)
        .group(20, 0.0)
        .group(10, 0.0)
        .group(20, 1.0)
        .group(97, 0)
        .group(75, 0)
        .group(76, 1)
        .group(98, 0)
        .item("3DFACE")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(11, 1.0)
        .group(21, 0.0)
        .group(12, 1.0)
        .group(22, 1.0)
        .group(13, 1.0)
        .group(23, 1.0)
        .end_block()
        .end_section()
        .section("ENTITIES")
        .item("INSERT")
        .group(2, "GRID")
        .group(10, 5.0)
        .group(20, 5.0)
        .group(70, 4)
        .group(71, 3)
        .group(44, 2.0)
        .group(45, 3.0)
        .item("HATCH")
        .group(8, "HATCHES")
        .group(2, "ANSI31")
        .group(70, 0)
        .group(91, 1)
        .group(92, 1)
        .group(93, 2)
        .group(72, 2)
        .group(10, 0.0)
        .group(20, 0.0)
        .group(40, 10.0)
        .group(50, 0.0)
        .group(51, 180.0)
        .group(73, 1)
        .group(72, 1)
        .group(10, -10.0)
        .group(20, 0.0)
        .group(11, 10.0)
        .group(21, 0.0)
        .group(97, 0)
        .group(75, 1)
        .group(76, 1)
        .group(52, 0.0)
        .group(41, 1.0)
        .group(77, 0)
        .group(78, 1)
        .group(53, 45.0)
        .group(43, 0.0)
        .group(44, 0.0)
        .group(45, -1.0)
        .group(46, 1.0)
        .group(79, 2)
        .group(49, 1.0)
        .group(49, -0.5)
        .group(98, 0)
        .item("XLINE")
        .group(10, 1.0)
        .group(20, 1.0)
        .group(11, 1.0)
        .group(21, 0.0)
        .item("MTEXT")
        .group(1, "caf\xE9")
        .group(40, 2.0)
        .end_section()
        .end_of_file();
    return dxf;
}

TEST_F(BinaryAndBounds, BinaryFilesOfEitherCodeWidthGiveTheStoreOfTheirText) {
    const DxfFixture dxf = drawing_of_new_kinds();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().bro_num, 1);
    EXPECT_GT(header().ent_num, 12 + 1 + 1);  // 12 inserts, hatch lines, the xline, the text
    const std::string ascii = store_after_header();
    for (bool one_byte_codes : {false, true}) {
        SCOPED_TRACE(one_byte_codes ? "one-byte codes" : "two-byte codes");
        ASSERT_EQ(import_binary(binary_dxf(dxf.text("\n"), one_byte_codes)), 0);
        EXPECT_EQ(store_after_header(), ascii);
    }
    // Both passes over the block agree on its hatch and face.
    ASSERT_EQ(tallies_.size(), 1u);
    EXPECT_EQ(tallies_[0].counted, tallies_[0].written);
    EXPECT_EQ(tallies_[0].counted, 1 + 3);  // one triangle, the three edges of a face
}

TEST_F(BinaryAndBounds, TruncatedBinaryFilesEndWhereTheyEnd) {
    const std::string whole = binary_dxf(drawing_of_new_kinds().text("\n"));
    for (std::size_t length = kBinaryDxfSentinel.size(); length < whole.size(); length += 5) {
        SCOPED_TRACE(length);
        expect_whole_store(import_binary(whole.substr(0, length)));
    }
}

TEST_F(BinaryAndBounds, GarbageAfterTheSentinelReadsAsNothingMuch) {
    std::mt19937 random(16);
    for (int round = 0; round < 40; ++round) {
        std::string bytes(kBinaryDxfSentinel);
        const std::size_t size = 1 + random() % 4000;
        for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(random());
        expect_whole_store(import_binary(bytes));
    }
    // A text value that never ends, in a file of 2 MB.
    std::string unterminated(kBinaryDxfSentinel);
    unterminated += std::string("\0\0LINE\0\x01\0", 9) + std::string(2 << 20, 'A');
    expect_whole_store(import_binary(unterminated));
    // Only the sentinel, and a file too short to hold it.
    expect_whole_store(import_binary(std::string(kBinaryDxfSentinel) + "x"));
}

TEST_F(BinaryAndBounds, BinaryFilesWithBytesChangedAtRandomStillImport) {
    const std::string whole = binary_dxf(drawing_of_new_kinds().text("\n"));
    std::mt19937 random(1616);
    for (int round = 0; round < 300; ++round) {
        std::string bytes = whole;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int c = 0; c < changes; ++c) {
            const std::size_t at =
                kBinaryDxfSentinel.size() + random() % (bytes.size() - kBinaryDxfSentinel.size());
            bytes[at] = static_cast<char>(random());
        }
        SCOPED_TRACE(round);
        expect_whole_store(import_binary(bytes));
    }
}

TEST_F(BinaryAndBounds, HatchesOfRandomLoopsAndPatternsStayBounded) {
    std::mt19937 random(75);
    const double scales[] = {1e-12, 1.0, 1e6, 1e150};
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const double scale = scales[round % 4];
        std::uniform_real_distribution<double> coordinate(-scale, scale);
        DxfFixture dxf;
        dxf.section("ENTITIES").item("HATCH").group(70, round % 2).group(91, 3);
        for (int loop = 0; loop < 3; ++loop) {
            const int points = 1 + static_cast<int>(random() % 40);
            dxf.group(92, 2).group(72, 1).group(73, 1).group(93, points);
            for (int k = 0; k < points; ++k) {
                // Some points repeat the one before, some bulges are absurd.
                const double x = k % 7 == 3 ? 0.0 : coordinate(random);
                dxf.group(10, x).group(20, coordinate(random)).group(42, k % 5 == 0 ? 1e9 : 0.3);
            }
        }
        dxf.group(75, static_cast<int>(random() % 3))
            .group(78, 1)
            .group(53, coordinate(random))
            .group(43, 0.0)
            .group(44, 0.0)
            .group(45, coordinate(random) / 50)
            .group(46, coordinate(random) / 50)
            .group(79, 2)
            .group(49, coordinate(random) / 10)
            .group(49, -std::fabs(coordinate(random)) / 10);
        dxf.end_section().end_of_file();
        expect_whole_store(import(dxf));
        EXPECT_LE(header().ent_num, 200000 + 3 * 40 * 80);
    }
}

TEST_F(BinaryAndBounds, AbsurdArrayCountsStopAtTheBound) {
    DxfFixture dxf;
    dxf.section("ENTITIES")
        .item("INSERT")
        .group(2, "NONE")
        .group(70, 2000000000)
        .group(71, 2000000000)
        .group(44, 1.0)
        .group(45, 1.0)
        .item("MINSERT")
        .group(70, -5)
        .group(71, 0)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().ent_num, kMaxArrayCopies + 1);  // and one copy for counts below 1
    EXPECT_EQ(header().ent_num, entity_records_in_file());
}

TEST_F(BinaryAndBounds, SmallFilesAskingForHugeDrawingsStopAtTheImportBudget) {
    const struct {
        const char* name;
        DxfFixture dxf;
        const char* kind;  // what is left out
    } cases[] = {
        // 12 arrays of 99 856 copies: the block's come first and are whole.
        {"arrays", array_insert_bomb(6, 316), "INSERT"},
        // 50 hatches of 196 078 pattern lines each.
        {"hatches", pattern_hatch_bomb(50, 0.0051), "LINE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.entries.clear();
        c.dxf.write(path("IN.DXF"));
        ASSERT_EQ(import_file(path("IN.DXF")), 0);
        const std::int64_t budget = import_record_budget(file_size(path("IN.DXF")));
        std::int64_t written = header().ent_num;
        for (const BlockTally& tally : tallies_) {
            EXPECT_EQ(tally.written, tally.counted);
            written += tally.written;
        }
        EXPECT_EQ(written, budget);
        EXPECT_EQ(header().ent_num, entity_records_in_file());
        ASSERT_FALSE(messages_.entries.empty());
        const std::string& warning = messages_.entries.back().text;
        EXPECT_EQ(messages_.entries.back().icon, MessageIcon::Warning);
        EXPECT_NE(warning.find(std::string(c.kind) + " left out (the drawing makes more than " +
                               std::to_string(budget) + " records"),
                  std::string::npos)
            << warning;
    }
}

// A hatch of one square loop of side 10 and the pattern groups `pattern`.
DxfFixture square_hatch(int solid, const std::function<void(DxfFixture&)>& pattern) {
    DxfFixture dxf;
    dxf.section("ENTITIES")
        .item("HATCH")
        .group(5, "2A")
        .group(70, solid)
        .group(91, 1)
        .group(92, 2)
        .group(72, 0)
        .group(73, 1)
        .group(93, 4);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {10.0, 10.0}, {0.0, 10.0}})
        dxf.group(10, x).group(20, y);
    dxf.group(97, 0).group(75, 0).group(76, 1);
    pattern(dxf);
    dxf.end_section().end_of_file();
    return dxf;
}

TEST_F(BinaryAndBounds, HatchesBeyondTheirBoundKeepTheirOutlineAndSaySo) {
    using Pattern = std::function<void(DxfFixture&)>;
    const Pattern dense_lines = [](DxfFixture& dxf) {
        dxf.group(78, 1)
            .group(53, 0.0)
            .group(43, 0.0)
            .group(44, 0.0)
            .group(45, 0.0)
            .group(46, 0.00001)
            .group(79, 0);
    };
    const Pattern tiny_dashes = [](DxfFixture& dxf) {
        dxf.group(78, 1)
            .group(53, 0.0)
            .group(43, 0.0)
            .group(44, 0.0)
            .group(45, 0.0)
            .group(46, 1.0)
            .group(79, 2)
            .group(49, 0.000001)
            .group(49, -0.000001);
    };
    for (const Pattern& pattern : {dense_lines, tiny_dashes}) {
        ImportState state(folder_.string(), messages_);
        square_hatch(0, pattern).write(path("IN.DXF"));
        ASSERT_EQ(import_dxf_file(path("IN.DXF"), state), 0);
        EXPECT_EQ(state.header.ent_num, 4);  // the four sides
        ASSERT_EQ(state.notes.size(), 1u);
        EXPECT_EQ(state.notes[0],
                  "HATCH 2A kept as its outline: its pattern would make more than 200000 records");
    }
    // Lines 0.1 apart fit well within the bound: 99 inside the square.
    ASSERT_EQ(import(square_hatch(0,
                                  [](DxfFixture& dxf) {
                                      dxf.group(78, 1)
                                          .group(53, 0.0)
                                          .group(43, 0.0)
                                          .group(44, 0.05)
                                          .group(45, 0.0)
                                          .group(46, 0.1)
                                          .group(79, 0);
                                  })),
              0);
    EXPECT_EQ(header().ent_num, 100);
}

TEST_F(BinaryAndBounds, HatchCountsThatTheGroupsDoNotBackAreNotTrusted) {
    DxfFixture dxf;
    dxf.section("ENTITIES")
        .item("HATCH")
        .group(70, 1)
        .group(91, 2000000000)
        .group(92, 2)
        .group(93, 2000000000)
        .group(10, 0.0)
        .group(20, 0.0)
        .item("HATCH")
        .group(70, 0)
        .group(91, 1)
        .group(92, 1)
        .group(93, 2000000000)
        .group(72, 4)
        .group(94, 3)
        .group(95, 2000000000)
        .group(96, 2000000000)
        .group(40, 0.0)
        .item("HATCH")
        .group(70, 1)
        .group(91, 1)
        .group(92, 1)
        .group(93, 3)
        .group(72, 9)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().ent_num, 0);  // no loop of three points or more
}

TEST_F(BinaryAndBounds, SolidRegionsBeyondTheirBoundKeepTheirOutline) {
    // A circle followed in 36000 steps.
    DxfFixture dxf;
    dxf.section("ENTITIES")
        .item("HATCH")
        .group(5, "C1")
        .group(70, 1)
        .group(91, 1)
        .group(92, 2)
        .group(93, 36000);
    for (int k = 0; k < 36000; ++k)
        dxf.group(10, std::cos(k * M_PI / 18000)).group(20, std::sin(k * M_PI / 18000));
    dxf.end_section().end_of_file();
    ImportState state(folder_.string(), messages_);
    dxf.write(path("IN.DXF"));
    ASSERT_EQ(import_dxf_file(path("IN.DXF"), state), 0);
    EXPECT_EQ(state.header.ent_num, 36000);
    ASSERT_EQ(state.notes.size(), 1u);
    EXPECT_NE(state.notes[0].find("HATCH C1 kept as its outline"), std::string::npos);
}

TEST_F(BinaryAndBounds, EntitiesNoReaderTakesAreCountedByName) {
    DxfFixture dxf;
    dxf.section("TABLES").item("TABLE").group(2, "DIMSTYLE").item("DIMSTYLE").group(2, "S");
    dxf.item("ENDTAB").end_section();
    dxf.section("ENTITIES").item("MESH").group(8, "0").item("3DSOLID").group(8, "0");
    dxf.item("LINE").group(10, 0.0).group(20, 0.0).group(11, 1.0).group(21, 1.0);
    dxf.item("POLYLINE").group(66, 1).item("VERTEX").group(10, 0.0).item("VERTEX").group(10, 1.0);
    dxf.item("SEQEND").item("MESH").group(8, "0").end_section();
    dxf.section("OBJECTS").item("IMAGEDEF").group(1, "a.png").end_section().end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(dropped_.lines(),
              (std::vector<std::string>{"2 MESH left out", "1 3DSOLID left out"}));
}

// An image is its frame and its file's name; the definition's handle is
// matched in any letter case, and without a definition only the frame stays.
TEST_F(BinaryAndBounds, ImagesBecomeTheirFrameAndFileName) {
    struct Case {
        const char* pointer;
        const char* definition;
        std::size_t records;
    };
    for (const Case& c : {Case{"2a", "2A", 5}, Case{"2B", "2A", 4}, Case{"", "2A", 4}}) {
        DxfFixture dxf;
        dxf.section("ENTITIES").item("IMAGE").group(8, "0").group(10, 1.0).group(20, 2.0);
        dxf.group(11, 0.5).group(21, 0.0).group(12, 0.0).group(22, 0.25).group(13, 40.0);
        dxf.group(23, 1e300).group(340, c.pointer).end_section();
        dxf.section("OBJECTS").item("IMAGEDEF").group(5, c.definition).group(1, "p\\a.png");
        dxf.end_section().end_of_file();
        ASSERT_EQ(import(dxf), 0);
        EXPECT_TRUE(dropped_.empty());
        const std::vector<EntityRecord> records = entities();
        ASSERT_EQ(records.size(), c.records) << c.pointer;
        EXPECT_EQ(records[1].x1, 21.0);
        if (c.records == 5) {
            EXPECT_EQ(text_of(records[4]), "p\\a.png");
        }
    }
}

TEST_F(BinaryAndBounds, CharactersCp932LacksAreCountedOnceWithTheFirst) {
    // Western texts of an R12 file in its code page (Latin-1 bytes of these
    // characters), and of an AC1021 file in UTF-8.
    auto latin1 = [](std::string_view utf8) {
        std::string bytes;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto byte = static_cast<unsigned char>(utf8[i]);
            bytes += byte < 0x80 ? static_cast<char>(byte)
                                 : static_cast<char>(((byte & 0x03) << 6) | (utf8[++i] & 0x3F));
        }
        return bytes;
    };
    struct Case {
        const char* version;
        std::string text;
        std::string layer;
    };
    const Case cases[] = {{"AC1009", latin1("Größe"), latin1("Ébène")},
                          {"AC1021", "Größe", "Ébène"}};
    for (const Case& c : cases) {
        DxfFixture dxf;
        dxf.section("HEADER").group(9, "$ACADVER").group(1, c.version);
        dxf.group(9, "$DWGCODEPAGE").group(3, "ANSI_1252").end_section();
        // The block is read twice; its text counts once.
        dxf.section("BLOCKS").item("BLOCK").group(2, "B").group(10, 0.0).group(20, 0.0);
        dxf.item("TEXT").group(8, "0").group(40, 1.0).group(1, c.text).item("ENDBLK").end_section();
        dxf.section("ENTITIES").item("TEXT").group(8, c.layer).group(40, 1.0).group(1, c.text);
        dxf.end_section().end_of_file();
        ASSERT_EQ(import(dxf), 0);
        EXPECT_EQ(dropped_.characters(), 6u) << c.version;
        EXPECT_EQ(dropped_.lines().back(),
                  "6 characters could not be kept and were replaced (first: U+00F6)");
    }
}

}  // namespace
}  // namespace zov
