// The JW_CAD import of layers, lines, circles, ellipses and points, the
// scale and coordinate factor, the header and the dump.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

#include "jw_import_fixture.h"

namespace zov {
namespace {

using fixtures::jw_angle;
using fixtures::JwCircle;
using fixtures::JwDataSpec;
using fixtures::JwLine;
using fixtures::JwPoint;
using fixtures::JwSymbolSpec;

// A data file whose file units are 1/10 mm on paper: with S = 100 the
// coordinate factor is exactly 100.
JwDataSpec plain_data_file() {
    JwDataSpec content;
    content.paper_width = 420;
    return content;
}

TEST_F(JwImportTest, UsedLayersBecomeNumberedLayerRecords) {
    JwDataSpec content = plain_data_file();
    content.elements.lines = {{0, 0, 1, 1, 1, 1, 0x2B}, {0, 0, 2, 2, 1, 1, 0x00}};
    content.elements.points = {{1, 1, 0x2B}};
    content.layer_names[0x2B] = "A";
    content.group_names[2] = "WALLS";
    ASSERT_EQ(import(build_jw_data_file(content)), 0) << message(0);
    EXPECT_TRUE(messages_.entries.empty());
    expect_consistent_store();

    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[0].source_number, 1);
    EXPECT_EQ(layers[1].source_number, 44);
    EXPECT_STREQ(layers[0].name, "0-0");
    EXPECT_STREQ(layers[1].name, "WALLS-2-A");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(layers[i].used_index, i);
        EXPECT_EQ(layers[i].used_number, i + 1);
        EXPECT_EQ(layers[i].use_count, 1);
        EXPECT_EQ(layers[i].colour, 2);
        EXPECT_EQ(layers[i].line_type, kLineContinuous);
        EXPECT_STREQ(layers[i].line_type_name, "CONTINUOUS");
        float scale;
        std::memcpy(&scale, &layers[i].reserved_164, sizeof scale);
        EXPECT_EQ(scale, 100.0f);
    }
    ASSERT_EQ(entities.size(), 3u);
    EXPECT_EQ(entities[0].layer, 2);
    EXPECT_EQ(entities[1].layer, 1);
    EXPECT_EQ(entities[2].layer, 2);
}

TEST_F(JwImportTest, DisplayAndProtectionStatesGiveHiddenAndLockedLayers) {
    JwDataSpec content = plain_data_file();
    content.elements.lines = {{0, 0, 1, 1, 1, 1, 0x10},
                              {0, 0, 1, 1, 1, 1, 0x11},
                              {0, 0, 1, 1, 1, 1, 0x12},
                              {0, 0, 1, 1, 1, 1, 0x13}};
    content.group_display[1] = 1;
    content.layer_display[0x10] = 0;  // 1: hidden
    content.layer_display[0x11] = 1;  // 2: shown
    content.layer_display[0x12] = 1;
    content.layer_display[0x13] = 1;
    content.group_protection[1] = 1;
    content.layer_protection[0x12] = 2;  // 1 | 2 = 3: locked
    content.layer_protection[0x13] = 1;  // 1 | 1 = 1: writable
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    ASSERT_EQ(layers.size(), 4u);
    EXPECT_EQ(layers[0].flags, 1 << kLayerHiddenBit);
    EXPECT_EQ(layers[1].flags, 0);
    EXPECT_EQ(layers[2].flags, 1 << kLayerLockedBit);
    EXPECT_EQ(layers[3].flags, 0);

    // A group protection of 0 with a layer byte 0 is not writable either.
    content.group_protection[1] = 0;
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    EXPECT_EQ(layers[1].flags, 1 << kLayerLockedBit);
}

TEST_F(JwImportTest, LinesAndPointsAreScaledRoundedAndTakeThePenAndLineType) {
    JwDataSpec content;  // paper width 518 file units on A3: u = 420 / 518 x 10
    content.elements.lines = {{1.5f, -2.25f, 3, 4, 0, 9}, {0, 0, 1, 1, 8, 6}, {0, 0, 1, 1, 12, 0}};
    content.elements.points = {{1, 2, 0, 3}};
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    std::vector<EntityRecord> lines = of_kind(kEntityLine);
    ASSERT_EQ(lines.size(), 3u);
    double f = 420.0 / 518 * 10 * 100 / 10;
    EXPECT_DOUBLE_EQ(lines[0].x1, std::round(1.5 * f * 100) / 100);
    EXPECT_DOUBLE_EQ(lines[0].y1, std::round(-2.25 * f * 100) / 100);
    EXPECT_DOUBLE_EQ(lines[0].line.end_x, std::round(3 * f * 100) / 100);
    EXPECT_DOUBLE_EQ(lines[0].line.end_y, std::round(4 * f * 100) / 100);
    EXPECT_EQ(lines[0].line_type, 1) << "line type 0 counts as 1";
    EXPECT_EQ(lines[0].colour, 2) << "pen 9 counts as pen 2";
    EXPECT_EQ(lines[1].line_type, 8) << "auxiliary lines keep their code";
    EXPECT_EQ(lines[1].colour, 6);
    EXPECT_EQ(lines[2].line_type, 1);
    EXPECT_EQ(lines[2].colour, 2) << "pen 0 counts as pen 2";

    std::vector<EntityRecord> points = of_kind(kEntityPoint);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].line_type, 0);
    EXPECT_EQ(points[0].colour, 3);
    EXPECT_DOUBLE_EQ(points[0].y1, std::round(2 * f * 100) / 100);
}

TEST_F(JwImportTest, RecordsOutsideTheClipBoxAreZeroedButCirclesAndTextsAreNot) {
    JwDataSpec content = plain_data_file();  // f = 100; X = 63000, Y = 44547.7
    content.elements.lines = {{629, 445, -629, -445}, {631, 0, 1, 1}, {1, 1, 0, -446}};
    content.elements.points = {{700, 0}};
    content.elements.circles = {{1000, 0, 5}};
    content.elements.texts = {{0, -1000, 10, -1000, 1, 0, 0, "far"}};
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    std::vector<EntityRecord> lines = of_kind(kEntityLine);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_DOUBLE_EQ(lines[0].x1, 62900);
    EXPECT_DOUBLE_EQ(lines[0].line.end_y, -44500);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(lines[i].x1, 0);
        EXPECT_EQ(lines[i].y1, 0);
        EXPECT_EQ(lines[i].line.end_x, 0);
        EXPECT_EQ(lines[i].line.end_y, 0);
    }
    EXPECT_EQ(of_kind(kEntityPoint)[0].x1, 0);
    EXPECT_DOUBLE_EQ(of_kind(kEntityArc)[0].x1, 100000);
    EXPECT_DOUBLE_EQ(of_kind(kEntityText)[0].y1, -100000) << "a text keeps its place";
}

TEST_F(JwImportTest, CirclesAndArcs) {
    JwDataSpec content = plain_data_file();
    content.elements.circles = {
        {1, 2, 3, 10000, jw_angle(45), jw_angle(45), 0},
        {0, 0, 1, 10000, jw_angle(0), jw_angle(90), jw_angle(30), 5, 4},
        {0, 0, 1, 10000, jw_angle(0), jw_angle(360), 0},
        {0, 0, 1, 10000, jw_angle(10), jw_angle(369.8), 0},
        {0, 0, 1, 10000, jw_angle(10), jw_angle(369.9), 0},
        {0, 0, 1, 10000, jw_angle(350), jw_angle(10), 0},
    };
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    std::vector<EntityRecord> arcs = of_kind(kEntityArc);
    ASSERT_EQ(arcs.size(), 6u);
    EXPECT_DOUBLE_EQ(arcs[0].x1, 100);
    EXPECT_DOUBLE_EQ(arcs[0].y1, 200);
    EXPECT_DOUBLE_EQ(arcs[0].arc.radius, 300);
    EXPECT_EQ(arcs[0].arc.axis_ratio, 1.0);
    EXPECT_EQ(arcs[0].arc.unused_one, 1.0);
    EXPECT_EQ(arcs[0].arc.tilt, 0.0);
    EXPECT_EQ(arcs[0].arc.start_angle, 0.0) << "equal angles: a full circle";
    EXPECT_EQ(arcs[0].arc.end_angle, 0.0);
    EXPECT_DOUBLE_EQ(arcs[1].arc.start_angle, 30) << "the tilt turns the arc";
    EXPECT_DOUBLE_EQ(arcs[1].arc.end_angle, 120);
    EXPECT_EQ(arcs[1].line_type, 5);
    EXPECT_EQ(arcs[1].colour, 4);
    EXPECT_EQ(arcs[2].arc.start_angle, 0.0) << "360 degrees apart: a full circle";
    EXPECT_NEAR(arcs[3].arc.end_angle, 369.8, 1e-4) << "359.8 degrees apart is still an arc";
    EXPECT_EQ(arcs[4].arc.end_angle, 0.0) << "359.9 degrees apart is a full circle";
    EXPECT_DOUBLE_EQ(arcs[5].arc.start_angle, 350);
    EXPECT_DOUBLE_EQ(arcs[5].arc.end_angle, 10);
}

// Ellipses and elliptic arcs keep their geometry as store ellipses: the
// semi-axis along the tilt, the ratio of the other, and parameter angles.
TEST_F(JwImportTest, EllipsesBecomeStoreEllipses) {
    JwSymbolSpec content;  // coordinates as stored
    content.elements.circles = {{5, 5, 10, 5000, jw_angle(0), jw_angle(360), 0, 3, 4, 0},
                                {0, 0, 10, 5000, jw_angle(0), jw_angle(90), jw_angle(90)},
                                {0, 0, 10, 5000, jw_angle(0), jw_angle(0) + 65536 * 3600, 0},
                                {0, 0, 10, -5000, jw_angle(10), jw_angle(90), 0},
                                {0, 0, 10, 5000, jw_angle(300), jw_angle(30), 0}};
    ASSERT_EQ(import(build_jw_symbol_file(content)), 0);
    EXPECT_TRUE(of_kind(kEntityLine).empty());
    std::vector<EntityRecord> arcs = of_kind(kEntityArc);
    ASSERT_EQ(arcs.size(), 5u);
    const struct {
        double tilt, start, end;
    } kExpected[] = {{0, 0, 360},     // whole: one turn from the start
                     {90, 0, 90},     // a quarter, tilted
                     {0, 0, 360},     // ten turns are drawn once
                     {0, -90, -10},   // negative flatness: mirrored parameters
                     {0, 300, 390}};  // the end raised above the start
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        EXPECT_DOUBLE_EQ(arcs[i].arc.radius, 10) << i;
        EXPECT_DOUBLE_EQ(arcs[i].arc.axis_ratio, 0.5) << i;
        EXPECT_DOUBLE_EQ(arcs[i].arc.tilt, kExpected[i].tilt) << i;
        EXPECT_DOUBLE_EQ(arcs[i].arc.start_angle, kExpected[i].start) << i;
        EXPECT_DOUBLE_EQ(arcs[i].arc.end_angle, kExpected[i].end) << i;
    }
    EXPECT_DOUBLE_EQ(arcs[0].x1, 5);
    EXPECT_DOUBLE_EQ(arcs[0].y1, 5);
    EXPECT_EQ(arcs[0].line_type, 3);
    EXPECT_EQ(arcs[0].colour, 4);
}

TEST_F(JwImportTest, TheScaleGrowsToTheLargestUsedGroupScale) {
    JwDataSpec content = plain_data_file();
    content.scale = 50;
    content.group_scales[1] = 200;  // used
    content.group_scales[2] = 500;  // not used
    content.elements.lines = {{1, 1, 2, 2, 1, 1, 0x13}};
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    EXPECT_DOUBLE_EQ(header.scale, 200);
    EXPECT_DOUBLE_EQ(header.max_x, 200 * 420.0);
    EXPECT_DOUBLE_EQ(header.max_y, 200 * 297.0);
    EXPECT_DOUBLE_EQ(entities[0].x1, 200) << "f = 10 x 200 / 10";
}

TEST_F(JwImportTest, RealValuedGroupScales) {
    JwDataSpec content = plain_data_file();
    content.real_variant = true;
    content.scale = 1;
    content.group_scales[0] = 150.5;
    content.elements.lines = {{1, 1, 2, 2}};
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    EXPECT_DOUBLE_EQ(header.scale, 150.5);
    ASSERT_EQ(entities.size(), 1u);
    EXPECT_DOUBLE_EQ(entities[0].x1, 150.5);
}

TEST_F(JwImportTest, SmallScaleLeavesCoordinatesUnroundedForTheRestOfTheProgram) {
    JwDataSpec content = plain_data_file();
    content.scale = 5;
    for (double& scale : content.group_scales) scale = 1;
    content.elements.lines = {{1.2345f, 0, 0, 0}};
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    EXPECT_EQ(settings_.decimals, 3);
    EXPECT_DOUBLE_EQ(entities[0].x1, static_cast<double>(1.2345f) * 5);

    JwSymbolSpec symbol;
    symbol.elements.lines = {{1.2345f, 0, 0, 0}};
    ASSERT_EQ(import(build_jw_symbol_file(symbol)), 0);
    EXPECT_DOUBLE_EQ(entities[0].x1, static_cast<double>(1.2345f)) << "still unrounded";

    JwImportSettings fresh;
    ASSERT_EQ(import(build_jw_symbol_file(symbol), fresh), 0);
    EXPECT_DOUBLE_EQ(entities[0].x1, 1.23);
}

TEST_F(JwImportTest, SymbolFileHasOneLayerAndDefaultScale) {
    JwSymbolSpec content;
    content.scale = 0;
    content.elements.lines = {{1.004f, 2, 3, 4, 2, 3, 5}};
    content.elements.circles = {{0, 0, 7, 10000, 0, 0, 0, 1, 1, 200}};
    content.elements.points = {{1, 1, 77}};
    ASSERT_EQ(import(build_jw_symbol_file(content)), 0) << message(0);
    expect_consistent_store();
    EXPECT_DOUBLE_EQ(header.scale, 100);
    EXPECT_DOUBLE_EQ(header.max_x, 42000);
    EXPECT_DOUBLE_EQ(header.max_y, 29700);
    EXPECT_DOUBLE_EQ(header.paper_x, 420);
    EXPECT_DOUBLE_EQ(header.paper_y, 297);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_STREQ(layers[0].name, "JW_ZUKEI");
    EXPECT_EQ(layers[0].flags, 0);
    ASSERT_EQ(entities.size(), 3u);
    for (const EntityRecord& e : entities) EXPECT_EQ(e.layer, 1);
    EXPECT_DOUBLE_EQ(entities[0].x1, 1.0) << "as stored, rounded to 2 decimals";
    EXPECT_DOUBLE_EQ(entities[1].arc.radius, 7);
}

TEST_F(JwImportTest, HeaderLineTypesAndDump) {
    JwDataSpec content = plain_data_file();
    content.elements.lines = {{1, 1, 2, 2}};
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    EXPECT_EQ(header.kind, kSourceJwCad);
    EXPECT_EQ(header.line_num, 9);
    EXPECT_EQ(header.bro_num, 0);
    EXPECT_EQ(header.bro_num2, 0);
    EXPECT_EQ(header.cir_num, 0);
    EXPECT_EQ(header.dsp_mode, 0);
    EXPECT_EQ(header.pe_flag, 0);
    EXPECT_EQ(header.str_num, 0);
    EXPECT_EQ(header.add_str, 0) << "no texts: no string section";
    EXPECT_EQ(header.add_lay, 576);
    EXPECT_DOUBLE_EQ(header.pe_max_x, 420);
    EXPECT_DOUBLE_EQ(header.pe_max_y, 297);
    EXPECT_EQ(header.min_x, 0);
    EXPECT_EQ(header.min_y, 0);
    EXPECT_EQ(header.fsize, static_cast<std::int32_t>(build_jw_data_file(content).size()));

    StoreReader reader;
    ASSERT_EQ(reader.open(path(kDataFileName)), 0);
    for (int code = 1; code <= 9; ++code) {
        LineTypeRecord type;
        ASSERT_EQ(reader.read_line_type(code, type), 0);
        EXPECT_EQ(type.line_type, code);
        EXPECT_STREQ(type.name, kLineTypeNames[code - 1]);
    }
    std::string dump = bytes_of(kHeaderDumpFileName);
    EXPECT_NE(dump.find("kind =1\r\n"), std::string::npos);
    EXPECT_NE(dump.find("lay_num  =1\r\nlay_num2 =1\r\n"), std::string::npos);
    EXPECT_NE(dump.find("add_str  =0\r\n"), std::string::npos);
    EXPECT_NE(dump.find("line_num =9\r\n"), std::string::npos);
    for (const char* left : {"JW_LAY.TMP"}) EXPECT_TRUE(files().count(left));
    for (const char* merged : {kLayerFileName, kEntityFileName, kLineTypeFileName})
        EXPECT_FALSE(files().count(merged)) << merged;
}

TEST_F(JwImportTest, FilesThatCannotBeReadAreReported) {
    EXPECT_EQ(import_jwc_file(path("missing.jwc"), state(), messages_, settings_), -1);
    EXPECT_EQ(message(0), "ファイルを開けない(read)");
    load_store();
    EXPECT_EQ(header.ent_num, 0) << "the store is assembled from empty sections";
    EXPECT_TRUE(files().count(kHeaderDumpFileName));

    messages_.entries.clear();
    EXPECT_EQ(import("jw_cad(c)dxf and some more text"), -1);
    EXPECT_EQ(message(0), "ＪＷ_ＣＡＤのファイルではない");
    EXPECT_EQ(messages_.entries.size(), 1u);
}

TEST_F(JwImportTest, SectionFilesThatCannotBeCreatedStopTheImport) {
    std::ofstream(path("not_a_folder")) << "x";
    ImportState blocked(path("not_a_folder"), messages_);
    JwSymbolSpec content;
    fixtures::write_jw_file(source_path(), build_jw_symbol_file(content));
    EXPECT_EQ(import_jwc_file(source_path(), blocked, messages_, settings_), -1);
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_NE(message(0).find("をオープンできない*9"), std::string::npos);
}

}  // namespace
}  // namespace zov
