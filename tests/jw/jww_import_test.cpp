// JW_CAD for Windows drawings through the importer: the real corpus files
// give the records they hold, layer names and states, blocks placed where
// the file puts them; damaged files keep what was read and say so.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>

#include "common/cp932.h"
#include "fixtures/jww_hand_built.h"
#include "fixtures/jww_writer.h"
#include "jw/jw_messages.h"
#include "jw/jww_import.h"
#include "jw/jww_pens.h"
#include "jw/jww_scan.h"
#include "jw_import_fixture.h"
#include "jww_contents.h"

namespace zov {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(ZOV_CORPUS_DIR).parent_path() / "jww";

// What a corpus file holds: top-level records by store kind (arcs, circles
// and ellipses are all kind 2), block definitions and their records.
struct CorpusFile {
    const char* name;
    int lines, arcs, points, texts, solids, inserts, blocks, block_records;
};

constexpr CorpusFile kCorpusFiles[] = {
    {"Test1", 1642, 4, 4, 36, 0, 0, 0, 0},
    {"Test2", 38, 4, 6, 23, 0, 0, 0, 0},
    {"Test3", 104, 6, 33, 56, 0, 0, 0, 0},
    {"Test4", 72, 1, 18, 21, 0, 0, 0, 0},
    {"Test5", 46, 0, 0, 43, 0, 0, 0, 0},
    {"Test6", 1641, 67, 19, 235, 0, 0, 0, 0},
    {"Test7", 4083, 5, 26, 93, 0, 0, 0, 0},
    {"サンプル", 592, 64, 19, 20, 0, 0, 0, 0},
    {"天空率表", 6037, 35, 52, 351, 0, 0, 0, 0},
    {"敷地図", 9, 0, 0, 0, 0, 0, 0, 0},
    {"日影図", 1385, 6, 50, 299, 0, 0, 0, 0},
    {"木造平面例", 751, 20, 0, 9, 0, 0, 0, 0},
    {"Ａマンション25d", 2150, 0, 12, 70, 0, 0, 0, 0},
    {"Ａマンション平面例", 1394, 215, 10, 56, 79, 0, 0, 0},
    {"Ａマンション立面例", 612, 0, 0, 1, 0, 0, 0, 0},
    {"block_regressions_2-circles-blocks", 4, 0, 0, 6, 0, 1, 1, 2},
    {"block_regressions_2blocks", 0, 0, 0, 6, 0, 2, 2, 4},
    {"block_regressions_3blocks", 0, 0, 0, 6, 0, 1, 1, 6},
    {"block_regressions_copy-block", 0, 0, 0, 6, 0, 1, 1, 8},
    {"block_regressions_non_block", 4, 2, 0, 6, 0, 0, 0, 0},
    {"block_regressions_out1_in2", 1, 0, 0, 6, 0, 1, 1, 2},
    {"block_regressions_sqr-circle-blocks", 0, 1, 0, 6, 0, 1, 1, 5},
};

class JwwImportTest : public JwImportTest {
protected:
    static std::string corpus_path(const std::string& name) {
        return (kCorpus / (name + ".jww")).string();
    }

    int import_file(const std::string& path) {
        const int result = import_jw_cad_file(path, state(), messages_, settings_);
        load_store();
        return result;
    }

    int import_corpus(const std::string& name) { return import_file(corpus_path(name)); }

    // The records of every block, each block's in order.
    std::vector<std::vector<EntityRecord>> block_contents() {
        std::vector<std::vector<EntityRecord>> contents;
        StoreReader reader;
        if (reader.open(path(kDataFileName)) != 0) return contents;
        for (std::int32_t n = 1; n <= reader.block_count(); ++n) {
            BlockRecord block;
            reader.read_block(n, block);
            std::vector<EntityRecord>& records = contents.emplace_back();
            for (std::int32_t i = 0; i < block.count; ++i) {
                EntityRecord e;
                EXPECT_EQ(reader.read_block_entity(block, i, e), 0);
                records.push_back(e);
            }
        }
        return contents;
    }

    int count(std::int32_t kind) const { return static_cast<int>(of_kind(kind).size()); }

    // A file of `bytes` named copy`extension`.
    std::string written(const std::string& bytes, const char* extension) {
        const std::string copy = (folder_ / "copy").string() + extension;
        std::ofstream(copy, std::ios::binary) << bytes;
        return copy;
    }
    // Corpus file `name` cut `cut` bytes short, with `extension`.
    std::string cut_copy(const std::string& name, std::size_t cut, const char* extension) {
        std::ifstream in(corpus_path(name), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return written(bytes.substr(0, bytes.size() - std::min(cut, bytes.size())), extension);
    }
};

#define SKIP_WITHOUT_CORPUS() \
    if (!std::filesystem::exists(kCorpus)) GTEST_SKIP() << kCorpus << " is missing"

TEST_F(JwwImportTest, EveryCorpusFileGivesTheRecordsItHolds) {
    SKIP_WITHOUT_CORPUS();
    for (const CorpusFile& file : kCorpusFiles) {
        SCOPED_TRACE(file.name);
        messages_.entries.clear();
        ASSERT_EQ(import_corpus(file.name), 0);
        EXPECT_TRUE(messages_.entries.empty()) << message(0);
        expect_consistent_store();
        EXPECT_EQ(header.kind, kSourceJwCad);
        EXPECT_EQ(count(kEntityLine), file.lines);
        EXPECT_EQ(count(kEntityArc), file.arcs);
        EXPECT_EQ(count(kEntityPoint), file.points);
        EXPECT_EQ(count(kEntityText), file.texts);
        EXPECT_EQ(count(kEntitySolid), file.solids);
        EXPECT_EQ(count(kEntityInsert), file.inserts);
        EXPECT_EQ(header.ent_num,
                  file.lines + file.arcs + file.points + file.texts + file.solids + file.inserts);
        EXPECT_EQ(header.bro_num, file.blocks);
        int block_records = 0;
        for (const auto& block : block_contents()) block_records += static_cast<int>(block.size());
        EXPECT_EQ(block_records, file.block_records);
        for (const EntityRecord& insert : of_kind(kEntityInsert)) {
            EXPECT_GE(insert.block, 1);
            EXPECT_LE(insert.block, header.bro_num);
        }
        // The paper lies centred on the origin, S times its size.
        EXPECT_DOUBLE_EQ(header.max_x - header.min_x, header.paper_x * header.scale);
        EXPECT_DOUBLE_EQ(header.min_x, -header.max_x);
    }
}

TEST_F(JwwImportTest, LayersAreNamedFromGroupAndLayerAndKeepTheirStates) {
    SKIP_WITHOUT_CORPUS();
    ASSERT_EQ(import_corpus("Test6"), 0);
    ASSERT_EQ(layers.size(), 44u);
    EXPECT_EQ(cp932_to_utf8(std::string(fixed_text(layers[0].name))), "敷地建物-敷地");
    EXPECT_EQ(layers[0].flags, 0);
    EXPECT_EQ(cp932_to_utf8(std::string(fixed_text(layers[15].name))), "_サッシ-搭屋建具");
    EXPECT_EQ(test_bit(layers[15].flags, kLayerHiddenBit), 1);
    EXPECT_DOUBLE_EQ(header.scale, 200);
    ASSERT_EQ(import_corpus("木造平面例"), 0);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(std::string(fixed_text(layers[0].name)), "0-0");  // unnamed: its own number
}

TEST_F(JwwImportTest, ABlockInsertPlacesItsContentsWhereTheFreeCopyLies) {
    SKIP_WITHOUT_CORPUS();
    ASSERT_EQ(import_corpus("block_regressions_non_block"), 0);
    const std::vector<EntityRecord> free_circles = of_kind(kEntityArc);
    // The setting texts at (0, -1000) paper mm stay there, below the paper.
    for (std::size_t i = 0; i < entities.size(); ++i) {
        if (entities[i].kind != kEntityText) continue;
        EXPECT_NE(texts[i].find(" = "), std::string::npos) << texts[i];
        EXPECT_DOUBLE_EQ(entities[i].y1, -1000 * header.scale);
    }
    ASSERT_EQ(import_corpus("block_regressions_2-circles-blocks"), 0);
    const std::vector<EntityRecord> inserts = of_kind(kEntityInsert);
    const auto blocks = block_contents();
    ASSERT_EQ(inserts.size(), 1u);
    ASSERT_EQ(blocks.size(), 1u);
    ASSERT_EQ(blocks[0].size(), free_circles.size());
    for (std::size_t i = 0; i < free_circles.size(); ++i) {
        EXPECT_NEAR(inserts[0].x1 + blocks[0][i].x1, free_circles[i].x1, 0.02);
        EXPECT_NEAR(inserts[0].y1 + blocks[0][i].y1, free_circles[i].y1, 0.02);
        EXPECT_NEAR(blocks[0][i].arc.radius, free_circles[i].arc.radius, 0.02);
    }
}

TEST_F(JwwImportTest, DamagedAndForeignFilesKeepWhatWasReadAndSaySo) {
    SKIP_WITHOUT_CORPUS();
    const struct {
        const char* name;
        std::size_t cut;
        const char* extension;
        int result, blocks, min_entities;
        const char* message;
    } cases[] = {
        {"Test1", 60000, ".jww", -1, 0, 100, " が途中で切れている(read)"},
        {"block_regressions_3blocks", 40, ".jww", -1, 1, 6, " が途中で切れている(read)"},
        {"敷地図", 0, ".jwc", 0, 0, 9, nullptr},  // read as what it holds
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages_.entries.clear();
        ASSERT_EQ(import_file(cut_copy(c.name, c.cut, c.extension)), c.result);
        if (c.message != nullptr) {
            EXPECT_NE(message(0).find(c.message), std::string::npos);
        }
        EXPECT_GE(header.ent_num, c.min_entities);
        EXPECT_EQ(header.bro_num, c.blocks);
        expect_consistent_store();
        // A cut inside a definition keeps its stretch of the block data whole.
        for (const auto& block : block_contents())
            for (const EntityRecord& e : block) EXPECT_NE(e.kind, 0);
    }
    messages_.entries.clear();
    EXPECT_EQ(import_file(written("JwwData." + std::string(64, '\xff'), ".jww")), -1);
    EXPECT_NE(message(0).find("(read)"), std::string::npos);
    messages_.entries.clear();
    EXPECT_EQ(import_file(written("JwcData. not a drawing", ".jww")), -1);
    EXPECT_EQ(messages_.entries.at(0).text, kJwNotJwCadFile);
}

TEST_F(JwwImportTest, ABlockThatInsertsItselfIsStoredAsTheFileSays) {
    SKIP_WITHOUT_CORPUS();
    const std::optional<std::string> bytes =
        fixtures::jww_block_loop(corpus_path("block_regressions_non_block"));
    ASSERT_TRUE(bytes);
    const std::string loop = (folder_ / "loop.jww").string();
    std::ofstream(loop, std::ios::binary) << *bytes;
    ASSERT_EQ(import_file(loop), 0) << message(0);
    ASSERT_EQ(header.bro_num, 1);
    ASSERT_EQ(count(kEntityInsert), 1);
    EXPECT_EQ(of_kind(kEntityInsert)[0].block, 1);
    const auto contents = block_contents();
    ASSERT_EQ(contents.at(0).size(), 2u);
    EXPECT_EQ(contents[0][0].kind, kEntityLine);
    EXPECT_EQ(contents[0][1].kind, kEntityInsert);
    EXPECT_EQ(contents[0][1].block, 1);
}

TEST_F(JwwImportTest, InsertsOfDefinitionsBeyondTheStoreNumbersAreCountedAsLeftOut) {
    fixtures::JwwContent content;
    content.header.kind = JwwFileKind::Drawing;
    content.header.version = 700;
    const auto last = static_cast<std::uint32_t>(kJwwMaxStoreBlocks) + 2;
    for (std::uint32_t number = 1; number <= last; ++number)
        content.blocks.push_back(jww_block(number, "b", {}));
    for (const std::uint32_t number : {1u, last - 1, last, last + 1})
        content.entities.push_back(JwwInsert{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1, 0, number});
    ASSERT_EQ(import_file(written(fixtures::build_jww(content).bytes, ".jww")), 0);
    EXPECT_EQ(header.bro_num, static_cast<std::int32_t>(kJwwMaxStoreBlocks));
    ASSERT_EQ(count(kEntityInsert), 4);
    const std::string hint =
        " left out (the drawing has more than 32767 blocks, the most the store holds)";
    EXPECT_EQ(state().notes,
              (std::vector<std::string>{"2 block definition" + hint, "2 block insert" + hint}));
}

TEST_F(JwwImportTest, ASymbolLiesOnItsOneLayerAtItsLargestScale) {
    const std::string symbol = (folder_ / "door.JWS").string();
    std::ofstream(symbol, std::ios::binary) << fixtures::jws_symbol();
    ASSERT_EQ(import_file(symbol), 0) << message(0);
    expect_consistent_store();
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(std::string(fixed_text(layers[0].name)), "JW_ZUKEI");
    EXPECT_DOUBLE_EQ(header.scale, 50);  // the group in use, not the others
    EXPECT_EQ((std::vector<double>{header.min_x, header.min_y, header.max_x, header.max_y}),
              (std::vector<double>{0, 0, 500, 250}));
    EXPECT_DOUBLE_EQ(header.paper_x, 420);
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_DOUBLE_EQ(entities[0].line.end_x, 500);
    EXPECT_DOUBLE_EQ(entities[0].line.end_y, 250);
    EXPECT_EQ(texts[1], "AB");
    EXPECT_DOUBLE_EQ(entities[1].text.height, 150);
    EXPECT_DOUBLE_EQ(entities[1].text.width_factor, 1);  // width over height
    for (const EntityRecord& e : entities) EXPECT_EQ(e.layer, 1);
}

TEST(JwwPens, ColoursAndLineTypesTakeTheNearestTheStoreHolds) {
    JwwHeader drawing, symbol;  // a symbol has no SXF tables of its own
    drawing.version = 600;
    drawing.sxf_colours[2] = 0x0000FF;  // red
    drawing.sxf_colours[20] = 0xC0C0C0;
    drawing.sxf_line_type_names[5] = "dotted";
    symbol.kind = JwwFileKind::Symbol;
    // Pens 0-9 and a colour number beyond every table.
    const int pens[] = {2, 1, 2, 3, 4, 5, 6, 1, 7, 2};
    for (std::uint32_t pen = 0; pen < 10; ++pen)
        EXPECT_EQ(jww_store_colour(pen, drawing), pens[pen]);
    EXPECT_EQ(jww_store_colour(400, drawing), 2);
    EXPECT_EQ(jww_store_colour(102, drawing), 7);
    EXPECT_EQ(jww_store_colour(120, drawing), 2);  // grey
    EXPECT_EQ(jww_store_colour(104, symbol), 6);   // standard SXF blue
    EXPECT_EQ(jww_rgb_store_colour(0x00A5FF), 4);  // orange is nearer yellow than red
    // Line types 1-9, random, double-length, the standard SXF names, others.
    const std::pair<std::uint32_t, int> line_types[] = {{9, 9},  {12, 1}, {17, 7}, {31, 1},
                                                        {32, 3}, {33, 4}, {34, 5}, {35, 7},
                                                        {37, 2}, {38, 5}, {60, 1}, {63, 1}};
    for (const auto& [style, code] : line_types)
        EXPECT_EQ(jww_store_line_type(style, symbol), code) << style;
    EXPECT_EQ(jww_store_line_type(35, drawing), 2);  // the drawing's own name
    EXPECT_EQ(jww_paper_size(14).width, 100000);
}

}  // namespace
}  // namespace zov
