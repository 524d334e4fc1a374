// Blocks, inserts and the order of sections.
#include "import_folder.h"

namespace zov {
namespace {

using Blocks = ImportFolder;

TEST_F(Blocks, InsertsFindBlocksDefinedFurtherDown) {
    DxfFixture dxf;
    dxf.section("BLOCKS")
        .block("OUTER", 5, 6)
        .insert("0", "INNER", 1, 1)
        .line("0", 0, 0, 1, 0)
        .end_block()
        .block("EMPTY")
        .end_block()
        .block("INNER")
        .line("0", 0, 0, 0, 1)
        .item("HATCH")
        .group(8, "0")
        .line("0", 1, 1, 2, 2)
        .end_block()
        .end_section()
        .section("ENTITIES")
        .insert("0", "OUTER", 10, 20)
        .insert("0", "INNER", 0, 0)
        .insert("0", "MISSING", 0, 0)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().bro_num, 3);
    EXPECT_EQ(header().bro_num2, 3);
    const BlockRecord outer = block(1);
    EXPECT_EQ(std::string(outer.name), "OUTER");
    EXPECT_DOUBLE_EQ(outer.base_x, 5);
    EXPECT_DOUBLE_EQ(outer.base_y, 6);
    EXPECT_EQ(outer.first, 0);
    EXPECT_EQ(outer.count, 2);
    EXPECT_EQ(outer.last, 1);
    // An empty block: first = last = the running index.
    EXPECT_EQ(block(2).first, 2);
    EXPECT_EQ(block(2).last, 2);
    EXPECT_EQ(block(2).count, 0);
    EXPECT_EQ(block(3).first, 2);
    EXPECT_EQ(block(3).count, 2);  // the hatch is passed over

    const auto outer_entities = block_entities(1);
    ASSERT_EQ(outer_entities.size(), 2u);
    EXPECT_EQ(outer_entities[0].kind, kEntityInsert);
    EXPECT_EQ(outer_entities[0].block, 3);
    EXPECT_EQ(block_entities(3)[1].kind, kEntityLine);
    EXPECT_DOUBLE_EQ(block_entities(3)[1].x1, 1);

    const auto inserts = entities();
    ASSERT_EQ(inserts.size(), 3u);
    EXPECT_EQ(inserts[0].block, 1);
    EXPECT_DOUBLE_EQ(inserts[0].x1, 10);
    EXPECT_DOUBLE_EQ(inserts[0].insert.scale_x, 1);
    EXPECT_EQ(inserts[1].block, 3);
    EXPECT_EQ(inserts[2].block, 0);
    for (const BlockTally& tally : tallies_) EXPECT_EQ(tally.counted, tally.written);
}

TEST_F(Blocks, DotBlocksStartWithAPointInsteadOfTheirDotShape) {
    DxfFixture dxf;
    dxf.section("BLOCKS")
        .block("_DotSmall")
        .item("LWPOLYLINE")
        .group(8, "0")
        .group(90, 2)
        .group(70, 1)
        .group(10, -0.5)
        .group(20, 0.0)
        .group(42, 1.0)
        .group(10, 0.5)
        .group(20, 0.0)
        .group(42, 1.0)
        .line("0", 0, 0, 1, 1)
        .end_block()
        .block("_ORIGIN")
        .item("CIRCLE")
        .group(40, 1.0)
        .end_block()
        .block("_OPEN")
        .line("0", 0, 0, 1, 1)
        .end_block()
        .block("*D1")
        .line("0", 0, 0, 1, 1)
        .end_block()
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    const auto dot = block_entities(1);
    ASSERT_EQ(dot.size(), 2u);
    EXPECT_EQ(dot[0].kind, kEntityPoint);
    EXPECT_DOUBLE_EQ(dot[0].x1, 0);
    EXPECT_EQ(dot[1].kind, kEntityLine);
    const auto origin = block_entities(2);
    ASSERT_EQ(origin.size(), 1u);
    EXPECT_EQ(origin[0].kind, kEntityPoint);
    EXPECT_EQ(block_entities(3).size(), 1u);
    // _DotSmall is an ordinary name for the numbering; _ORIGIN, _OPEN and *D1 are not.
    EXPECT_EQ(header().bro_num2, 1);
    EXPECT_EQ(block(2).used_index, -1);
    EXPECT_EQ(block(3).used_index, -1);
    EXPECT_EQ(block(4).used_index, -1);
}

TEST_F(Blocks, InsertsSeenFromBelowAreMirrored) {
    DxfFixture dxf;
    dxf.section("BLOCKS")
        .block("B")
        .line("0", 0, 0, 1, 0)
        .end_block()
        .end_section()
        .section("ENTITIES")
        .item("INSERT")
        .group(2, "B")
        .group(10, 10.0)
        .group(20, 5.0)
        .group(50, 30.0)
        .group(41, 2.0)
        .group(42, 3.0)
        .group(210, 0.0)
        .group(220, 0.0)
        .group(230, -1.0)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    const auto e = entities();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_DOUBLE_EQ(e[0].x1, -10);
    EXPECT_DOUBLE_EQ(e[0].y1, 5);
    EXPECT_DOUBLE_EQ(e[0].insert.rotation, -30);
    EXPECT_DOUBLE_EQ(e[0].insert.scale_x, -2);
    EXPECT_DOUBLE_EQ(e[0].insert.scale_y, 3);
}

TEST_F(Blocks, EntitiesBeforeTheBlocksSectionAreKept) {
    DxfFixture dxf;
    dxf.section("ENTITIES")
        .line("0", 1, 1, 2, 2)
        .insert("0", "B", 0, 0)
        .end_section()
        .section("BLOCKS")
        .block("B")
        .line("0", 0, 0, 1, 0)
        .end_block()
        .end_section()
        .section("ENTITIES")
        .line("0", 3, 3, 4, 4)
        .end_section()
        .section("BLOCKS")
        .block("C")
        .line("0", 0, 0, 1, 0)
        .line("0", 0, 0, 1, 0)
        .end_block()
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().ent_num, 3);
    EXPECT_EQ(entity_records_in_file(), 3);
    const auto e = entities();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_DOUBLE_EQ(e[0].x1, 1);
    EXPECT_EQ(e[1].block, 0);  // B was not yet known
    EXPECT_DOUBLE_EQ(e[2].x1, 3);
    // The second BLOCKS section goes on where the first ended.
    EXPECT_EQ(header().bro_num, 2);
    EXPECT_EQ(block(2).first, 1);
    EXPECT_EQ(block_entities(2).size(), 2u);
}

TEST_F(Blocks, BlocksThatInsertThemselvesAreStoredAsTheyAre) {
    DxfFixture dxf;
    dxf.section("BLOCKS")
        .block("A")
        .insert("0", "A", 1, 0)
        .insert("0", "B", 0, 1)
        .end_block()
        .block("B")
        .insert("0", "A", 0, 0)
        .end_block()
        .end_section()
        .section("ENTITIES")
        .insert("0", "A", 0, 0)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    const auto a = block_entities(1);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].block, 1);
    EXPECT_EQ(a[1].block, 2);
    EXPECT_EQ(block_entities(2)[0].block, 1);
}

TEST_F(Blocks, AMissingEndOfBlockOrSectionEndsWithTheSection) {
    // No ENDBLK and no ENDSEC: the ENTITIES section that follows still counts.
    DxfFixture dxf;
    dxf.section("BLOCKS")
        .block("A")
        .line("0", 0, 0, 1, 0)
        .end_block()
        .block("B")
        .line("0", 0, 0, 2, 0)
        .line("0", 0, 0, 3, 0)
        .section("ENTITIES")
        .insert("0", "B", 0, 0)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().bro_num, 2);
    EXPECT_EQ(block(2).count, 2);
    const auto e = entities();
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].block, 2);
    EXPECT_EQ(tallies_.size(), 2u);
    for (const BlockTally& tally : tallies_) EXPECT_EQ(tally.counted, tally.written);

    // A file that ends inside a block keeps that block.
    DxfFixture cut;
    cut.section("BLOCKS").block("A").line("0", 0, 0, 1, 0).line("0", 5, 5, 6, 6);
    ASSERT_EQ(import(cut), 0);
    EXPECT_EQ(header().bro_num, 1);
    EXPECT_EQ(block(1).count, 2);
    EXPECT_EQ(header().ent_num, 0);
}

TEST_F(Blocks, SplinesInBlocksAreKept) {
    DxfFixture dxf;
    dxf.section("BLOCKS")
        .block("S")
        .item("SPLINE")
        .group(10, 0.0)
        .group(20, 0.0)
        .group(10, 1.0)
        .group(20, 1.0)
        .group(10, 2.0)
        .group(20, 0.0)
        .end_block()
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(block(1).count, 2);
    EXPECT_EQ(block_entities(1).size(), 2u);
}

TEST_F(Blocks, InsertsOfBlocksBeyondTheStoreNumbersAreCountedAsLeftOut) {
    // The first block inserts one beyond the store's numbers, defined later.
    DxfFixture dxf;
    dxf.section("BLOCKS").block("B1").insert("0", "B32769", 0, 0).end_block();
    for (int i = 2; i <= kMaxTableRecords + 3; ++i) dxf.block("B" + std::to_string(i)).end_block();
    dxf.end_section()
        .section("ENTITIES")
        .insert("0", "B1", 0, 0)
        .insert("0", "B32767", 0, 0)
        .insert("0", "B32768", 0, 0)
        .insert("0", "B32770", 0, 0)
        .item("DIMENSION")
        .group(2, "B32770")
        .insert("0", "MISSING", 0, 0)
        .end_section()
        .end_of_file();
    dxf.write(path("IN.DXF"));
    ImportState state(folder_.string(), messages_);
    ASSERT_EQ(import_dxf_file(path("IN.DXF"), state), 0);
    EXPECT_EQ(state.header.bro_num, kMaxTableRecords);
    const std::string hint =
        " left out (the drawing has more than 32767 blocks, the most the store holds)";
    EXPECT_EQ(state.notes, (std::vector<std::string>{"3 BLOCK" + hint, "3 INSERT" + hint,
                                                     "1 DIMENSION" + hint}));
    ASSERT_GE(messages_.entries.size(), 3u);
    EXPECT_EQ(messages_.entries.back().icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace zov
