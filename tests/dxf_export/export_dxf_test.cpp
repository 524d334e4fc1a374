#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <set>
#include <sstream>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"

namespace zov {
namespace {

const std::string kGoldenFolder = ZOV_SOURCE_DIR "/tests/dxf_export/golden/";

// Lines of a CR LF file, without their line ends.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The handles (groups 5 and 105, not $HANDSEED) of a DXF text, in file order, until the
// OBJECTS section.
std::vector<unsigned long> handles_of(const std::string& text) {
    std::vector<unsigned long> handles;
    const std::vector<std::string> lines = lines_of(text);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (lines[i + 1] == "OBJECTS") break;
        if (lines[i] == "5" || lines[i] == "105")
            handles.push_back(std::stoul(lines[i + 1], nullptr, 16));
    }
    return handles;
}

// The value that follows the first `code` line after the line `after`.
std::string value_after(const std::string& text, const std::string& after,
                        const std::string& code) {
    const std::vector<std::string> lines = lines_of(text);
    auto it = std::find(lines.begin(), lines.end(), after);
    for (; it != lines.end() && it + 1 != lines.end(); ++it)
        if (*it == code) return *(it + 1);
    return "";
}

// A drawing for the writer: the store's kind, extents, layers and entities.
struct TestDrawing {
    std::int32_t kind = kSourceJwCad;
    double min_x = 0, min_y = 0, max_x = 0, max_y = 0;
    double scale = 1.0;
    std::vector<LayerRecord> layers;
    std::vector<EntityRecord> entities;
};

int build_test_store(const std::string& folder, const TestDrawing& drawing) {
    RecordingMessages messages;
    StoreBuilder store(folder, messages);
    for (const LayerRecord& layer : drawing.layers) store.add_layer(layer);
    for (const EntityRecord& entity : drawing.entities) store.add_entity(entity);
    StoreHeader& header = store.header();
    header.kind = drawing.kind;
    header.min_x = drawing.min_x;
    header.min_y = drawing.min_y;
    header.max_x = drawing.max_x;
    header.max_y = drawing.max_y;
    header.scale = drawing.scale;
    return store.finish();
}

LayerRecord test_layer(const char* name, std::int32_t colour, std::int32_t flags = 0,
                       std::int16_t line_type = kLineContinuous, bool used = true) {
    LayerRecord layer;
    copy_bounded(layer.name, name);
    layer.colour = colour;
    layer.flags = flags;
    layer.line_type = line_type;
    layer.use_count = used ? 1 : 0;
    return layer;
}

EntityRecord with_pen(EntityRecord e, std::int32_t colour,
                      std::int32_t line_type = kLineContinuous) {
    e.colour = colour;
    e.line_type = line_type;
    return e;
}

EntityRecord test_line(std::int16_t layer, std::int32_t colour, double x1, double y1, double x2,
                       double y2, std::int32_t line_type = kLineContinuous) {
    return with_pen(line_record(layer, x1, y1, x2, y2), colour, line_type);
}

// Kind 2: a ratio of 1.0 gives a circle or an arc, any other an ellipse.
EntityRecord test_arc(std::int16_t layer, std::int32_t colour, double cx, double cy, double radius,
                      double start, double end, double ratio = 1.0, double rotation = 0.0) {
    EntityRecord e = with_pen(circle_record(layer, cx, cy, radius, start, end), colour);
    e.arc.axis_ratio = ratio;
    e.arc.tilt = rotation;
    return e;
}

EntityRecord test_other(std::int16_t layer, std::int32_t kind) {
    EntityRecord e = with_pen(line_record(layer, 5, 5, 0, 0), 1);
    e.kind = kind;
    return e;
}

TestDrawing small_jw_drawing() {
    TestDrawing d;
    d.kind = kSourceJwCad;
    d.max_x = 420;
    d.max_y = 297;
    d.scale = 100;
    d.layers = {test_layer("0-0", 2), test_layer("unused", 2, 0, kLineContinuous, false),
                test_layer("0-F", 3, (1 << kLayerHiddenBit) | (1 << kLayerLockedBit), kLineDashed)};
    d.entities = {test_line(1, 2, 0, 0, 100, 50),      test_line(3, 3, 10, 10, 20, 10, kLineDashed),
                  test_arc(1, 1, 50, 50, 10, 0, 0),    test_arc(0, 9, 50, 50, 20, 0, 359.9),
                  test_arc(1, 7, 50, 50, 30, 30, 120), test_other(1, kEntityPoint),
                  test_other(1, kEntityText)};
    return d;
}

TestDrawing small_dxf_drawing() {
    TestDrawing d;
    d.kind = kSourceDxf;
    d.min_x = -10.5;
    d.min_y = -20.25;
    d.max_x = 1000;
    d.max_y = 500;
    d.scale = 50;
    d.layers = {test_layer("WALL", 1), test_layer(utf8_to_cp932("壁").c_str(), 5, 0, kLineCenter),
                test_layer("GRID", 250, 1 << kLayerLockedBit, kLineHidden)};
    d.entities = {test_line(1, 2, 0, 0, 1000, 0),
                  test_line(2, 256, 0, 0, 0, 500, kLineCenter),
                  test_line(3, 16777215, 1, 2, 3, 4, kLineHidden),
                  test_arc(1, 3, 100, 100, 25, 90, 180),
                  test_arc(1, 3, 200, 100, 40, 0, 0, 0.5, 30),
                  test_arc(2, 4, 300, 100, 40, 45, 135, 0.25, 0),
                  test_other(2, kEntityInsert),
                  test_other(2, kEntityDimension),
                  test_other(2, kEntitySolid)};
    return d;
}

class ExportDxf : public ::testing::Test {
protected:
    std::string build_and_export(const TestDrawing& drawing) {
        EXPECT_EQ(build_test_store(folder.path(), drawing), 0);
        return export_again();
    }
    std::string export_again() {
        EXPECT_TRUE(export_dxf(handles, folder.path(), kDataFileName, messages));
        return read_file_bytes(folder.file(kDxfOutputFileName));
    }

    TempFolder folder;
    DxfHandles handles;
    RecordingMessages messages;
};

TEST_F(ExportDxf, WritesSmallJwCadDrawingByteForByte) {
    const std::string dxf = build_and_export(small_jw_drawing());
    EXPECT_EQ(dxf, read_file_bytes(kGoldenFolder + "jw_small.dxf"));
    EXPECT_EQ(read_file_bytes(folder.file(kHeaderTemplateFileName)),
              read_file_bytes(kGoldenFolder + "VV_HED.DAT"));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Information);
    EXPECT_EQ(messages.last(), "DXF Write");

    // JW_CAD pen 2 is DXF colour 7; pen 9 has no entry and becomes 7 as well.
    EXPECT_NE(dxf.find("0\r\nLINE\r\n5\r\ne\r\n100\r\nAcDbEntity\r\n8\r\n0-0\r\n6\r\nCONTINUOUS\r\n"
                       "70\r\n64\r\n62\r\n  7\r\n"),
              std::string::npos);
    // A layer that is off and locked: 70 = 4, colour -3; its entity keeps its colour.
    EXPECT_NE(dxf.find("2\r\n0-F\r\n70\r\n4\r\n62\r\n-3\r\n6\r\nDASHED\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("8\r\n0-F\r\n6\r\nDASHED\r\n70\r\n4\r\n62\r\n  3\r\n"), std::string::npos);
    // The unused layer, the point and the text are left out; 0 to 359.9 is a circle.
    EXPECT_EQ(dxf.find("unused"), std::string::npos);
    EXPECT_EQ(dxf.find("POINT"), std::string::npos);
    EXPECT_NE(dxf.find("0\r\nCIRCLE\r\n5\r\n10\r\n"), std::string::npos);
    EXPECT_EQ(value_after(dxf, "$HANDSEED", "  5"), "9c47");  // 0 + 7 + 40000
}

TEST_F(ExportDxf, WritesSmallDxfDrawingByteForByte) {
    const std::string dxf = build_and_export(small_dxf_drawing());
    EXPECT_EQ(dxf, read_file_bytes(kGoldenFolder + "dxf_small.dxf"));
    // DXF colours stay as they are: 2, 256 and the grey 250 of a layer.
    EXPECT_NE(dxf.find("62\r\n  2\r\n100\r\nAcDbLine"), std::string::npos);
    EXPECT_NE(dxf.find("62\r\n256\r\n100\r\nAcDbLine"), std::string::npos);
    EXPECT_NE(dxf.find("2\r\nGRID\r\n70\r\n4\r\n62\r\n250\r\n6\r\nHIDDEN\r\n"), std::string::npos);
}

TEST_F(ExportDxf, ColoursByStoreKind) {
    TestDrawing d = small_jw_drawing();
    d.kind = 4;  // neither JW_CAD nor DXF
    const std::string dxf = build_and_export(d);
    const std::vector<std::string> lines = lines_of(dxf);
    const auto entities = std::find(lines.begin(), lines.end(), "ENTITIES");
    int colour_lines = 0;
    for (auto it = entities; it + 1 < lines.end(); ++it) {
        if (*it != "62") continue;
        ++colour_lines;
        EXPECT_TRUE(*(it + 1) == "  7" || *(it + 1) == " -7") << *(it + 1);
    }
    EXPECT_EQ(colour_lines, 5);
}

TEST_F(ExportDxf, EntitiesWithoutALayerRecordGoOnLayerZero) {
    TestDrawing d = small_dxf_drawing();
    d.layers.clear();
    d.entities = {test_line(1, 2, 0, 0, 1, 1), test_line(0, 2, 0, 0, 1, 1)};
    const std::string dxf = build_and_export(d);
    EXPECT_EQ(dxf.find("8\r\n\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("AcDbEntity\r\n8\r\n0\r\n6\r\nCONTINUOUS"), std::string::npos);
    // Layer "0", which the fixed blocks stand on, is in the LAYER table.
    EXPECT_NE(dxf.find("AcDbLayerTableRecord\r\n2\r\n0\r\n70\r\n64\r\n62\r\n7\r\n"),
              std::string::npos);
}

TEST_F(ExportDxf, EllipsesCarryTheirAxisRatioAndParametersInRadians) {
    TestDrawing d = small_dxf_drawing();
    d.entities = {test_arc(1, 3, 200, 100, 40, 0, 0, 0.5, 30),
                  test_arc(1, 3, 0, 0, 10, 0, 90, 2.0, 0)};
    const std::string dxf = build_and_export(d);
    const std::vector<std::string> lines = lines_of(dxf);
    auto first = std::find(lines.begin(), lines.end(), "ELLIPSE");
    ASSERT_NE(first, lines.end());
    auto value = [&](std::vector<std::string>::const_iterator from, const char* code) {
        for (auto it = from; it + 1 < lines.end(); it += 1)
            if (*it == code) return *(it + 1);
        return std::string();
    };
    EXPECT_EQ(value(first, "100"), "AcDbEntity");
    EXPECT_EQ(value(first, "11"), "34.641");  // 40 cos 30
    EXPECT_EQ(value(first, "21"), "20.000");  // 40 sin 30
    EXPECT_EQ(value(first, "40"), "0.500000");
    EXPECT_EQ(value(first, "41"), "0.000000");
    EXPECT_EQ(value(first, "42"), "6.283185");  // whole ellipse

    // A ratio above 1 swaps the axes: major axis 20 upward, ratio 0.5, and
    // the parameters turned back by a quarter.
    auto second = std::find(first + 1, lines.end(), "ELLIPSE");
    ASSERT_NE(second, lines.end());
    EXPECT_EQ(value(second, "11"), "0.000");
    EXPECT_EQ(value(second, "21"), "20.000");
    EXPECT_EQ(value(second, "40"), "0.500000");
    EXPECT_EQ(value(second, "41"), "4.712389");  // -90 degrees
    EXPECT_EQ(value(second, "42"), "0.000000");
}

TEST_F(ExportDxf, HandlesContinueAcrossExports) {
    const std::string first = build_and_export(small_jw_drawing());
    const std::string second = export_again();
    const std::vector<unsigned long> a = handles_of(first);
    const std::vector<unsigned long> b = handles_of(second);
    ASSERT_EQ(a.size(), b.size());
    // VPORT 400, 401 and the template's 500 to 524 are the same every time.
    for (std::size_t i = 0; i < 27; ++i) EXPECT_EQ(a[i], b[i]);
    EXPECT_EQ(a[0], 400u);
    EXPECT_EQ(a[2], 500u);
    EXPECT_EQ(a[26], 524u);
    // The counted handles start at 1 and go on from the first export's last one.
    EXPECT_EQ(a[27], 1u);
    EXPECT_EQ(b[27], a.back() + 1);
    EXPECT_EQ(b.back(), 2 * a.back());
    EXPECT_NE(second.find(" 0\r\nDICTIONARY\r\n  5\r\n3e7\r\n100\r\nAcDbDictionary\r\n"
                          "  3\r\nACAD_GROUP\r\n350\r\n3e8\r\n"),
              std::string::npos);
}

TEST_F(ExportDxf, CountedHandlesPassOverTheFixedOnes) {
    TestDrawing d = small_jw_drawing();
    d.entities.clear();
    for (int i = 0; i < 1100; ++i) d.entities.push_back(test_line(1, 2, i, 0, i, 10));
    const std::string dxf = build_and_export(d);
    const std::vector<unsigned long> handles = handles_of(dxf);
    const std::set<unsigned long> unique(handles.begin(), handles.end());
    EXPECT_EQ(unique.size(), handles.size());
    for (unsigned long fixed : {998ul, 999ul, 1000ul, 1001ul, 997ul})
        EXPECT_EQ(unique.count(fixed), 0u);
    const unsigned long seed = std::stoul(value_after(dxf, "$HANDSEED", "  5"), nullptr, 16);
    EXPECT_EQ(seed, 1100u + 40000u);

    // Many exports later the counter has passed 40000: $HANDSEED stays above it.
    for (int i = 0; i < 37; ++i) export_again();
    const std::string late = export_again();
    const std::vector<unsigned long> late_handles = handles_of(late);
    const unsigned long late_seed = std::stoul(value_after(late, "$HANDSEED", "  5"), nullptr, 16);
    EXPECT_GT(late_handles.back(), 40000u + 1100u);
    EXPECT_GT(late_seed, late_handles.back());
}

TEST_F(ExportDxf, ExistingTemplateIsCopiedAndNeverOverwritten) {
    const std::string mine = "0\nTABLE\n2\nLTYPE\n70\n0\n0\nENDTAB\r\n";
    ASSERT_TRUE(write_file_bytes(folder.file(kHeaderTemplateFileName), mine));
    const std::string dxf = build_and_export(small_jw_drawing());
    EXPECT_EQ(read_file_bytes(folder.file(kHeaderTemplateFileName)), mine);
    EXPECT_NE(dxf.find("0\r\nENDTAB\r\n0\r\nTABLE\r\n2\r\nLTYPE\r\n70\r\n0\r\n0\r\nENDTAB\r\n"
                       "0\r\nTABLE\r\n2\r\nLAYER\r\n"),
              std::string::npos);
    EXPECT_TRUE(write_header_template(folder.path(), messages));
    EXPECT_EQ(read_file_bytes(folder.file(kHeaderTemplateFileName)), mine);
}

TEST_F(ExportDxf, NumbersThatAreNotFiniteAreNeverWritten) {
    TestDrawing d = small_jw_drawing();
    d.scale = -std::numeric_limits<double>::infinity();
    d.max_x = std::numeric_limits<double>::quiet_NaN();
    d.entities.push_back(test_line(1, 2, std::numeric_limits<double>::quiet_NaN(), 0, 1, 1));
    d.entities.push_back(test_arc(1, 1, 0, 0, std::numeric_limits<double>::infinity(), 0, 0));
    const std::string dxf = build_and_export(d);
    for (const char* word : {"nan", "NAN", "inf", "INF"})
        EXPECT_EQ(dxf.find(word), std::string::npos) << word;
    EXPECT_EQ(value_after(dxf, "$LTSCALE", "40"), "1.000");
    EXPECT_EQ(value_after(dxf, "$EXTMAX", "10"), "0.000");
    // The two elements are left out and said so.
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(cp932_to_utf8(messages.entries[0].text),
              "数値でない座標の図形2個は書き出していません");
}

TEST_F(ExportDxf, TemplateThatCannotBeCreatedIsLeftOut) {
    // A folder in its place: no file can take the name.
    std::filesystem::create_directory(folder.file(kHeaderTemplateFileName));
    const std::string dxf = build_and_export(small_jw_drawing());
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_EQ(messages.entries[0].icon, MessageIcon::Stop);
    EXPECT_EQ(cp932_to_utf8(messages.entries[0].text),
              "ヘッダーファイル(" + folder.file(kHeaderTemplateFileName) + ")書込みエラー");
    EXPECT_EQ(messages.last(), "DXF Write");
    EXPECT_EQ(dxf.find("LTYPE"), std::string::npos);
    EXPECT_NE(dxf.find("0\r\nENDTAB\r\n0\r\nTABLE\r\n2\r\nLAYER\r\n"), std::string::npos);
}

TEST_F(ExportDxf, MissingStoreStopsTheExport) {
    EXPECT_FALSE(export_dxf(handles, folder.path(), kDataFileName, messages));
    EXPECT_EQ(cp932_to_utf8(messages.last()),
              folder.file(kDataFileName) + " をオープンできない(LAY_fp)");
    EXPECT_FALSE(std::filesystem::exists(folder.file(kDxfOutputFileName)));
    EXPECT_EQ(handles.last(), 0u);
}

TEST_F(ExportDxf, OutputThatCannotBeCreatedStopsTheExport) {
    ASSERT_EQ(build_test_store(folder.path(), small_jw_drawing()), 0);
    std::filesystem::create_directory(folder.file(kDxfOutputFileName));
    EXPECT_FALSE(export_dxf(handles, folder.path(), kDataFileName, messages));
    EXPECT_EQ(cp932_to_utf8(messages.last()),
              folder.file(kDxfOutputFileName) + " をオープンできない(dxf_fp)");
}

TEST_F(ExportDxf, DamagedStoresAreWrittenAsFarAsTheyGo) {
    ASSERT_EQ(build_test_store(folder.path(), small_dxf_drawing()), 0);
    std::string store = read_file_bytes(folder.file(kDataFileName));
    // Absurd counts and an entity section cut in the middle of a record.
    StoreHeader header;
    std::memcpy(&header, store.data(), sizeof header);
    header.ent_num = 2000000000;
    header.lay_num = 2000000000;
    header.bro_num = 2000000000;
    std::memcpy(store.data(), &header, sizeof header);
    store.resize(store.size() - 150);
    ASSERT_TRUE(write_file_bytes(folder.file(kDataFileName), store));
    const std::string dxf = export_again();
    EXPECT_NE(dxf.find("0\r\nEOF\r\n"), std::string::npos);
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = dxf.find(what); at != std::string::npos; at = dxf.find(what, at + 1))
            ++n;
        return n;
    };
    // Seven whole records remain: three lines, an arc and two ellipses are written.
    EXPECT_EQ(count("AcDbLine\r\n"), 3u);
    EXPECT_EQ(count("0\r\nARC\r\n"), 1u);
    EXPECT_EQ(count("AcDbEllipse\r\n"), 2u);

    // A file shorter than a header is not a store.
    ASSERT_TRUE(write_file_bytes(folder.file(kDataFileName), "short"));
    EXPECT_FALSE(export_dxf(handles, folder.path(), kDataFileName, messages));
}

TEST_F(ExportDxf, WhatIsLeftOutIsCountedByKind) {
    struct Case {
        DxfContent content;
        std::vector<std::string> lines;
        std::size_t written;
    };
    TestDrawing drawing = small_dxf_drawing();
    drawing.entities.push_back(test_other(1, kEntityText));
    drawing.entities.push_back(test_other(1, 42));
    ASSERT_EQ(build_test_store(folder.path(), drawing), 0);
    const Case cases[] = {
        {DxfContent::Curves,
         {"1 INSERT left out", "1 DIMENSION left out", "1 SOLID left out", "1 TEXT left out",
          "1 record of kind 42 left out"},
         6},
        // The insert names no block and the dimension no picture.
        {DxfContent::Full,
         {"1 INSERT left out", "1 DIMENSION left out", "1 record of kind 42 left out"},
         8},
    };
    for (const Case& c : cases) {
        DxfExportTally tally;
        ASSERT_TRUE(export_dxf(handles, folder.path(), kDataFileName, messages, c.content, &tally));
        EXPECT_EQ(tally.losses.lines(), c.lines);
        EXPECT_EQ(tally.records, drawing.entities.size());
        EXPECT_EQ(tally.written, c.written);
        EXPECT_EQ(tally.records - tally.written, tally.losses.total());
    }
}

TEST_F(ExportDxf, DrawingWithNothingToWriteIsRefused) {
    TestDrawing drawing = small_dxf_drawing();
    drawing.entities = {test_other(1, kEntityText), test_other(1, kEntityPoint)};
    ASSERT_EQ(build_test_store(folder.path(), drawing), 0);
    DxfExportTally tally;
    EXPECT_FALSE(
        export_dxf(handles, folder.path(), kDataFileName, messages, DxfContent::Curves, &tally));
    EXPECT_EQ(messages.last(), "DXF not written: none of the drawing's 2 entities can be written");
    EXPECT_FALSE(std::filesystem::exists(folder.file(kDxfOutputFileName)));
    EXPECT_EQ(tally.losses.total(), 2u);
}

}  // namespace
}  // namespace zov
