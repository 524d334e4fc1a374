// Header variables, line types, layers and text styles as they reach the store.
#include <cmath>

#include "common/cp932.h"
#include "common/encoding.h"
#include "dxf_import/dxf_tables.h"
#include "import_folder.h"

namespace zov {
namespace {

using HeaderAndTables = ImportFolder;

TEST_F(HeaderAndTables, ExtentsComeFromTheHeaderOrElseFromTheEntities) {
    DxfFixture with_header;
    with_header.section("HEADER")
        .header_point("$EXTMIN", -5, -6)
        .header_point("$EXTMAX", 50, 60)
        .header_point("$LIMMIN", -500, -600)
        .header_point("$LIMMAX", 500, 600)
        .group(9, "$DIMSCALE")
        .group(40, 2.5)
        .header_point("$PLIMMIN", 1, 2)
        .header_point("$PLIMMAX", 420, 297)
        .end_section()
        .section("ENTITIES")
        .line("0", 0, 0, 1000, 1000)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(with_header), 0);
    EXPECT_EQ(header().kind, 2);
    EXPECT_DOUBLE_EQ(header().min_x, -5);
    EXPECT_DOUBLE_EQ(header().min_y, -6);
    EXPECT_DOUBLE_EQ(header().max_x, 50);
    EXPECT_DOUBLE_EQ(header().max_y, 60);
    EXPECT_DOUBLE_EQ(header().scale, 2.5);
    EXPECT_DOUBLE_EQ(header().pe_min_x, 1);
    EXPECT_DOUBLE_EQ(header().pe_min_y, 2);
    EXPECT_DOUBLE_EQ(header().pe_max_x, 420);
    EXPECT_DOUBLE_EQ(header().pe_max_y, 297);

    DxfFixture limits_only;
    limits_only.section("HEADER")
        .header_point("$LIMMIN", -1, -2)
        .header_point("$limmax", 10, 20)
        .end_section()
        .section("ENTITIES")
        .line("0", 0, 0, 1000, 1000)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(limits_only), 0);
    EXPECT_DOUBLE_EQ(header().min_x, -1);
    EXPECT_DOUBLE_EQ(header().max_y, 20);

    DxfFixture no_header;
    no_header.section("ENTITIES")
        .line("0", -3, 4, 7, -8)
        .item("CIRCLE")
        .group(10, 500.0)
        .group(20, 500.0)
        .group(40, 1.0)
        .item("POINT")
        .group(10, 9.0)
        .group(20, 1.0)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(no_header), 0);
    EXPECT_DOUBLE_EQ(header().min_x, -3);
    EXPECT_DOUBLE_EQ(header().min_y, -8);
    EXPECT_DOUBLE_EQ(header().max_x, 9);  // circles do not count, the point does
    EXPECT_DOUBLE_EQ(header().max_y, 4);
}

TEST_F(HeaderAndTables, LineTypesAndLayersBecomeRecords) {
    DxfFixture dxf;
    dxf.section("TABLES")
        .item("TABLE")
        .group(2, "LTYPE")
        .item("LTYPE")
        .group(2, "CONTINUOUS")
        .group(73, 0)
        .item("LTYPE")
        .group(2, "DASHED")
        .group(73, 2)
        .group(49, 12.7)
        .group(49, -6.35)
        .item("LTYPE")
        .group(2, "DOTTY")
        .group(73, 2)
        .group(49, 1.0)
        .group(49, -0.5)
        .item("LTYPE")
        .group(2, "HIDDEN2")
        .group(73, 2)
        .group(49, 12.7)
        .group(49, -6.35)
        .item("ENDTAB")
        .item("TABLE")
        .group(2, "LAYER")
        .layer("0", 7)
        .item("LAYER")
        .group(2, "OFF")
        .group(70, 0)
        .group(62, -7)
        .group(6, "DOTTY")
        .item("LAYER")
        .group(2, "FROZEN")
        .group(70, 1)
        .group(62, 3)
        .group(6, "CONTINUOUS")
        .item("LAYER")
        .group(2, "LOCKED")
        .group(70, 4)
        .group(62, 4)
        .group(6, "HIDDEN2")
        .item("ENDTAB")
        .end_section()
        .section("ENTITIES")
        .line("OFF", 0, 0, 1, 1)
        .line("LOCKED", 0, 0, 1, 1)
        .item("LINE")
        .group(8, "LOCKED")
        .group(6, "DASHED")
        .group(62, 5)
        .item("LINE")
        .group(8, "OFF")
        .group(6, "BYLAYER")
        .group(62, 256)
        .item("LINE")
        .group(8, "OFF")
        .group(6, "NO SUCH TYPE")
        .group(62, -2)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().line_num, 3);  // the continuous type is not kept
    EXPECT_EQ(header().lay_num, 4);
    EXPECT_EQ(header().lay_num2, 2);

    EXPECT_EQ(layer(1).used_index, -1);
    EXPECT_EQ(layer(1).used_number, 0);
    const LayerRecord off = layer(2);
    EXPECT_EQ(std::string(off.name), "OFF");
    EXPECT_EQ(off.colour, 7);
    EXPECT_EQ(test_bit(off.flags, kLayerHiddenBit), 1);
    EXPECT_EQ(off.line_type, kLineDot);
    EXPECT_EQ(off.used_number, 1);
    EXPECT_EQ(test_bit(layer(3).flags, kLayerFrozenBit), 1);
    EXPECT_EQ(layer(3).line_type, kLineContinuous);
    EXPECT_EQ(test_bit(layer(4).flags, kLayerLockedBit), 1);
    EXPECT_EQ(layer(4).line_type, kLineHidden);
    EXPECT_EQ(layer(4).used_number, 2);

    const auto lines = entities();
    ASSERT_EQ(lines.size(), 5u);
    // Line type 0 and colour 0 take the layer's; BYLAYER colour 256 stays.
    EXPECT_EQ(lines[0].layer, 2);
    EXPECT_EQ(lines[0].line_type, kLineDot);
    EXPECT_EQ(lines[0].colour, 7);
    EXPECT_EQ(lines[1].line_type, kLineHidden);
    EXPECT_EQ(lines[1].colour, 4);
    EXPECT_EQ(lines[2].line_type, kLineDashed2);
    EXPECT_EQ(lines[2].colour, 5);
    EXPECT_EQ(lines[3].line_type, kLineDot);
    EXPECT_EQ(lines[3].colour, 256);
    EXPECT_EQ(lines[4].line_type, kLineContinuous);
    EXPECT_EQ(lines[4].colour, 2);
    EXPECT_EQ(lines[4].flags & 1, 1);
}

TEST_F(HeaderAndTables, UnknownLayerNamesGiveTheFirstLayerWithTheLastLayersDefaults) {
    DxfFixture dxf;
    dxf.section("TABLES")
        .layer("A", 1)
        .layer("B", 2)
        .layer("C", 3)
        .end_section()
        .section("ENTITIES")
        .line("NOWHERE", 0, 0, 1, 1)
        .line("", 0, 0, 1, 1)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    const auto lines = entities();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].layer, 1);
    EXPECT_EQ(lines[0].colour, 3);
    EXPECT_EQ(lines[1].layer, 0);
    // An unknown name does not make the first layer a used one.
    EXPECT_EQ(header().lay_num2, 0);
}

TEST_F(HeaderAndTables, TextsInVerticalStylesStandUp) {
    DxfFixture dxf;
    dxf.section("TABLES");
    for (const char* style : {"V1", "V2", "V3", "V4"})
        dxf.item("STYLE").group(2, style).group(70, 4);
    dxf.item("STYLE").group(2, "VERTICAL_STYLE_WITH_A_LONG_NAME").group(70, 68);
    dxf.item("STYLE").group(2, "PLAIN").group(70, 0);
    dxf.end_section().section("ENTITIES");
    for (const char* style : {"V1", "V4", "PLAIN"})
        dxf.item("TEXT")
            .group(7, style)
            .group(10, 10.0)
            .group(20, 0.0)
            .group(40, 4.0)
            .group(50, 30.0)
            .group(1, "x");
    dxf.end_section().end_of_file();
    ASSERT_EQ(import(dxf), 0);
    const auto texts = entities();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text_style, 1);
    EXPECT_DOUBLE_EQ(texts[0].text.angle, -60);
    EXPECT_DOUBLE_EQ(texts[0].x1, 12);
    // Only three vertical styles are kept.
    EXPECT_EQ(texts[1].text_style, 0);
    EXPECT_DOUBLE_EQ(texts[1].text.angle, 30);
    EXPECT_EQ(texts[2].text_style, 0);
}

TEST_F(HeaderAndTables, Utf8TextOfNewerFilesIsStoredAsCp932) {
    auto drawing = [](const char* version) {
        DxfFixture dxf;
        dxf.section("HEADER")
            .group(9, "$ACADVER")
            .group(1, version)
            .end_section()
            .section("TABLES")
            .layer("壁", 1)
            .end_section()
            .section("BLOCKS")
            .block("扉")
            .line("0", 0, 0, 1, 1)
            .end_block()
            .end_section()
            .section("ENTITIES")
            .insert("壁", "扉", 0, 0)
            .text("壁", 0, 0, 1, "玄関 €")
            .end_section()
            .end_of_file();
        return dxf;
    };
    ASSERT_EQ(import(drawing("AC1021")), 0);
    EXPECT_EQ(std::string(layer(1).name), utf8_to_cp932("壁"));
    EXPECT_EQ(std::string(block(1).name), utf8_to_cp932("扉"));
    auto records = entities();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].layer, 1);
    EXPECT_EQ(records[0].block, 1);
    EXPECT_EQ(text_of(records[1]), utf8_to_cp932("玄関 ?"));

    // Before AC1021 the bytes are kept as they are.
    ASSERT_EQ(import(drawing("AC1018")), 0);
    EXPECT_EQ(std::string(layer(1).name), "壁");
    records = entities();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].block, 1);
}

TEST_F(HeaderAndTables, TablesKeepAtMostTheRecordsThatSixteenBitNumbersReach) {
    DxfFixture dxf;
    dxf.section("TABLES");
    for (int i = 1; i <= kMaxTableRecords + 10; ++i) dxf.layer("L" + std::to_string(i), 1);
    dxf.end_section()
        .section("ENTITIES")
        .line("L32767", 0, 0, 1, 1)
        .line("L32770", 0, 0, 1, 1)
        .end_section()
        .end_of_file();
    ASSERT_EQ(import(dxf), 0);
    EXPECT_EQ(header().lay_num, kMaxTableRecords);
    const auto lines = entities();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].layer, kMaxTableRecords);
    EXPECT_EQ(lines[1].layer, 1);
}

// A layer named again, also after an unknown name, is found, counted and
// made the current layer each time.
TEST(DxfTablesTest, LayersNamedInARowAreCountedEachTime) {
    DxfTables tables;
    for (int colour = 1; colour <= 3; ++colour) {
        LayerRecord layer;
        copy_bounded(layer.name, std::string(1, static_cast<char>('A' + colour - 1)));
        layer.colour = colour;
        tables.add_layer(layer);
    }
    const struct {
        const char* name;
        int number, current_colour;
    } steps[] = {{"A", 1, 1}, {"A", 1, 1}, {"NOWHERE", 1, 3}, {"A", 1, 1},
                 {"B", 2, 2}, {"A", 1, 1}, {"BYLAYER", 0, 1}, {"A", 1, 1}};
    for (const auto& step : steps) {
        EXPECT_EQ(tables.find_layer(step.name), step.number) << step.name;
        EXPECT_EQ(tables.current_layer_colour(), step.current_colour) << step.name;
    }
    const std::vector<LayerRecord> layers = tables.layers();
    EXPECT_EQ(layers[0].use_count, 5);
    EXPECT_EQ(layers[1].use_count, 1);
    EXPECT_EQ(layers[2].use_count, 0);
}

TEST(NameIndexTest, TheFirstNumberOfANameStandsAmongThousands) {
    NameIndex index;
    EXPECT_EQ(index.find("A"), 0);  // nothing added yet
    EXPECT_EQ(index.find("A", 7), 7);
    for (int i = 1; i <= 20000; ++i) index.add("LAYER-" + std::to_string(i), i);
    index.add("LAYER-5", 99999);  // a second record of a name: the first stays
    index.add("", 42);
    EXPECT_EQ(index.size(), 20001u);
    for (int i = 1; i <= 20000; ++i) ASSERT_EQ(index.find("LAYER-" + std::to_string(i)), i);
    EXPECT_EQ(index.find("LAYER-5"), 5);
    EXPECT_EQ(index.find(""), 42);
    EXPECT_EQ(index.find("LAYER-"), 0);
    EXPECT_EQ(index.find("layer-5"), 0);  // names compare case-sensitively
    EXPECT_EQ(index.find(std::string("LAYER-5\0", 8)), 0);
}

// Names around the length a slot holds itself, sharing their beginnings.
TEST(NameIndexTest, ShortAndLongNamesAreToldApart) {
    const std::string base = "A-WALL-FULL-HATCH-PATTERN-NEW-45";
    NameIndex index;
    for (std::size_t length = 1; length <= base.size(); ++length)
        index.add(base.substr(0, length), static_cast<int>(length));
    for (std::size_t length = 1; length <= base.size(); ++length)
        EXPECT_EQ(index.find(base.substr(0, length)), static_cast<int>(length)) << length;
    EXPECT_EQ(index.find(base + "X"), 0);
    EXPECT_EQ(index.find(base.substr(0, 19) + "x"), 0);
    EXPECT_EQ(index.find(base.substr(0, 18) + "x"), 0);
}

}  // namespace
}  // namespace zov
