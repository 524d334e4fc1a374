#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/encoding.h"
#include "fixtures/jw_writer.h"
#include "fixtures/temp_folder.h"
#include "jw/jw_file.h"
#include "jw/jw_header.h"
#include "jw/jw_tables.h"

namespace zov {
namespace {

using fixtures::jw_angle;
using fixtures::JwDataSpec;
using fixtures::JwSymbolSpec;

class JwFileTest : public ::testing::Test {
protected:
    // Writes `bytes` and opens them.
    void open(const std::string& bytes) {
        std::string path = (folder_ / "test.jwc").string();
        ASSERT_TRUE(fixtures::write_jw_file(path, bytes));
        ASSERT_TRUE(file_.open(path));
    }

    TempFolder scratch_;
    std::filesystem::path folder_ = scratch_.folder();
    JwFile file_;
};

TEST_F(JwFileTest, MissingFileDoesNotOpen) {
    EXPECT_FALSE(file_.open((folder_ / "none.jwc").string()));
    EXPECT_FALSE(file_.is_open());
}

TEST_F(JwFileTest, SymbolFileReadsPointsAfterCirclesAndTextsLast) {
    JwSymbolSpec content;
    content.scale = 50;
    content.elements.lines = {{1, 2, 3, 4, 2, 3, 5}, {5, 6, 7, 8}};
    content.elements.circles = {
        {10, 20, 5, 5000, jw_angle(0), jw_angle(90), jw_angle(30), 9, 6, 7}};
    content.elements.points = {{-1.5f, 2.5f, 200, 4}};
    content.elements.texts = {{0, 0, 10, 0, 3, 1, 32, utf8_to_cp932("ドア")},
                              {1, 1, 1, 5, 0, 2, 0, "W1"}};
    open(fixtures::build_jw_symbol_file(content));

    JwBlock block;
    ASSERT_TRUE(read_jw_block(file_, block));
    EXPECT_EQ(classify_jw_file(block).kind, JwFileKind::Symbol);
    ASSERT_TRUE(read_jw_block(file_, block));
    JwSymbolCounts counts = parse_symbol_counts(block, JwProgram::Viewer);
    ASSERT_EQ(counts.lines, 2);
    ASSERT_EQ(counts.circles, 1);
    ASSERT_EQ(counts.points, 1);
    ASSERT_EQ(counts.texts, 2);
    EXPECT_FLOAT_EQ(counts.scale, 50);

    JwLineRecord line;
    ASSERT_TRUE(read_jw_line(file_, line));
    EXPECT_FLOAT_EQ(+line.start_x, 1);
    EXPECT_FLOAT_EQ(+line.end_y, 4);
    EXPECT_EQ(+line.line_type, 2);
    EXPECT_EQ(+line.pen, 3);
    EXPECT_EQ(+line.layer, 5);
    ASSERT_TRUE(read_jw_line(file_, line));
    EXPECT_FLOAT_EQ(+line.start_x, 5);

    JwCircleRecord circle;
    ASSERT_TRUE(read_jw_circle(file_, circle));
    EXPECT_FLOAT_EQ(+circle.radius, 5);
    EXPECT_EQ(+circle.flatness, 5000);
    EXPECT_EQ(+circle.end_angle, 90 * 65536);
    EXPECT_EQ(+circle.tilt, 30 * 65536);
    EXPECT_EQ(+circle.line_type, 9);
    EXPECT_EQ(+circle.pen, 6);
    EXPECT_EQ(+circle.layer, 7);

    JwPointRecord point;
    ASSERT_TRUE(read_jw_point(file_, point));
    EXPECT_FLOAT_EQ(+point.x, -1.5f);
    EXPECT_EQ(+point.layer, 200);
    EXPECT_EQ(+point.pen, 4);

    ASSERT_TRUE(file_.start_texts(counts.texts));
    JwTextRecord text;
    std::string string;
    ASSERT_TRUE(read_jw_text(file_, text));
    ASSERT_TRUE(read_jw_text_string(file_, string));
    EXPECT_EQ(+text.kind, 3);
    EXPECT_EQ(+text.layer, 1);
    EXPECT_EQ(+text.flags, kJwTextVertical);
    EXPECT_EQ(string, utf8_to_cp932("ドア"));
    ASSERT_TRUE(read_jw_text(file_, text));
    ASSERT_TRUE(read_jw_text_string(file_, string));
    EXPECT_FLOAT_EQ(+text.end_y, 5);
    EXPECT_EQ(string, "W1");
    EXPECT_EQ(file_.position(), file_.size() - 8) << "the text area ends the file";
}

// Reads a data file in the documented order and checks what it finds.
void expect_data_file(JwFile& file, bool real_variant) {
    JwBlock block;
    ASSERT_TRUE(read_jw_block(file, block));
    JwFileClass kind = classify_jw_file(block);
    EXPECT_EQ(kind.kind, JwFileKind::Data);
    EXPECT_EQ(kind.real_variant, real_variant);
    ASSERT_TRUE(read_jw_block(file, block));
    JwDataCounts counts = parse_data_counts(block);
    EXPECT_EQ(counts.paper_code, 3);
    EXPECT_DOUBLE_EQ(counts.scale, 100);
    ASSERT_TRUE(read_jw_block(file, block));
    ASSERT_TRUE(read_jw_block(file, block));
    std::int64_t area = text_area_length(block);
    EXPECT_EQ(area, 5);

    JwDataTables tables;
    ASSERT_TRUE(read_jw_data_tables(file, real_variant, tables));
    EXPECT_EQ(file.position(), jw_element_offset(real_variant));
    EXPECT_EQ(jw_element_offset(real_variant), real_variant ? 2421 : 2389);
    EXPECT_EQ(+tables.text_kinds.pen[3], 7);
    EXPECT_EQ(+tables.text_kinds.width[10], 95);
    EXPECT_EQ(+tables.text_kinds.height[0], -4);
    EXPECT_DOUBLE_EQ(tables.group_scales[2], real_variant ? 12.5 : 12);
    EXPECT_DOUBLE_EQ(tables.group_scales[15], 1000);
    EXPECT_EQ(jw_layer_protection(tables.layer_states, 0x2B), 3);
    EXPECT_EQ(jw_layer_display(tables.layer_states, 0x2B), 1);
    EXPECT_EQ(jw_layer_display(tables.layer_states, 0x00), 2);

    JwLineRecord line;
    ASSERT_TRUE(read_jw_line(file, line));
    EXPECT_EQ(+line.layer, 0x2B);
    JwCircleRecord circle;
    ASSERT_TRUE(read_jw_circle(file, circle));
    EXPECT_FLOAT_EQ(+circle.centre_x, 50);
    ASSERT_TRUE(file.start_texts(counts.texts));
    JwTextRecord text;
    std::string string;
    ASSERT_TRUE(read_jw_text(file, text));
    ASSERT_TRUE(read_jw_text_string(file, string));
    EXPECT_EQ(string, utf8_to_cp932("居間"));
    ASSERT_TRUE(file.seek(file.position() + area));
    JwPointRecord point;
    ASSERT_TRUE(read_jw_point(file, point));
    EXPECT_FLOAT_EQ(+point.y, 7);

    JwNames names;
    ASSERT_TRUE(read_jw_names(file, jw_names_offset(real_variant, counts, area), names));
    EXPECT_EQ(jw_name_text(names.layer[0x2B], kJwLayerNameSize), "ABCDEFGH");
    EXPECT_EQ(jw_name_text(names.layer[0x2A], kJwLayerNameSize), utf8_to_cp932("壁"));
    EXPECT_EQ(jw_name_text(names.group[15], kJwGroupNameSize), "last");
    EXPECT_EQ(file.position(), file.size());
}

JwDataSpec tables_spec(bool real_variant) {
    JwDataSpec content;
    content.real_variant = real_variant;
    content.kind_pen[3] = 7;
    content.kind_width[10] = 95;
    content.kind_height[0] = -4;
    content.group_scales[2] = real_variant ? 12.5 : 12;
    content.group_scales[15] = 1000;
    content.layer_protection[0x2B] = 2;
    content.group_display[2] = 0;
    content.layer_display[0x2B] = 1;
    content.elements.lines = {{0, 0, 1, 1, 1, 1, 0x2B}};
    content.elements.circles = {{50, 60, 5}};
    content.elements.texts = {{0, 0, 1, 0, 1, 0, 0, utf8_to_cp932("居間")}};
    content.elements.points = {{3, 7}};
    content.layer_names[0x2B] = "ABCDEFGHIJ";
    content.layer_names[0x2A] = utf8_to_cp932("壁");
    content.group_names[15] = "last";
    return content;
}

TEST_F(JwFileTest, DataFileWithIntegerGroupScales) {
    open(fixtures::build_jw_data_file(tables_spec(false)));
    expect_data_file(file_, false);
}

TEST_F(JwFileTest, DataFileWithRealGroupScales) {
    open(fixtures::build_jw_data_file(tables_spec(true)));
    expect_data_file(file_, true);
}

TEST_F(JwFileTest, TextsAreKeptTo255BytesAndEndAfterTheirNulOrAt1024Bytes) {
    std::string exact(255, 'a');
    std::string long_text(300, 'b');
    std::string kanji_at_end = std::string(254, 'c') + utf8_to_cp932("壁");  // bytes 254-255
    std::string endless(1030, 'd');
    std::string area =
        exact + '\0' + long_text + '\0' + kanji_at_end + '\0' + endless + '\0' + "next" + '\0';
    std::string bytes = "jw_cad(c)sym";
    bytes.resize(400, '\0');
    open(bytes + area);
    ASSERT_TRUE(file_.seek(400));
    ASSERT_TRUE(file_.start_texts(0));

    std::string text;
    ASSERT_TRUE(read_jw_text_string(file_, text));
    EXPECT_EQ(text, exact);
    ASSERT_TRUE(read_jw_text_string(file_, text));
    EXPECT_EQ(text, std::string(255, 'b'));
    ASSERT_TRUE(read_jw_text_string(file_, text));
    EXPECT_EQ(text, std::string(254, 'c')) << "a double-byte character is never split";
    ASSERT_TRUE(read_jw_text_string(file_, text));
    EXPECT_EQ(text, std::string(255, 'd'));
    // The endless text stopped after 1024 bytes: its last 6 bytes form the next text.
    ASSERT_TRUE(read_jw_text_string(file_, text));
    EXPECT_EQ(text, std::string(6, 'd'));
    ASSERT_TRUE(read_jw_text_string(file_, text));
    EXPECT_EQ(text, "next");
    EXPECT_FALSE(read_jw_text_string(file_, text));
    EXPECT_EQ(text, "");
}

TEST_F(JwFileTest, ShortReadsAreReportedAndZeroFilled) {
    JwSymbolSpec content;
    content.elements.lines = {{1, 2, 3, 4, 5, 6, 7}};
    std::string bytes = fixtures::build_jw_symbol_file(content);
    open(bytes.substr(0, bytes.size() - 5));
    JwBlock block;
    ASSERT_TRUE(read_jw_block(file_, block));
    ASSERT_TRUE(read_jw_block(file_, block));
    JwLineRecord line;
    EXPECT_FALSE(read_jw_line(file_, line));
    EXPECT_FLOAT_EQ(+line.end_y, 4);
    EXPECT_EQ(+line.line_type, 5);
    EXPECT_EQ(+line.pen, 0);
    EXPECT_EQ(+line.layer, 0);
    EXPECT_FALSE(read_jw_line(file_, line));
    EXPECT_FALSE(file_.seek(file_.size() + 1));
    EXPECT_FALSE(file_.seek(-1));
    EXPECT_FALSE(file_.start_texts(1)) << "the text area would lie beyond the end";

    JwDataTables tables;
    EXPECT_FALSE(read_jw_data_tables(file_, false, tables));
    JwNames names;
    EXPECT_FALSE(read_jw_names(file_, 0, names));
}

TEST(JwTables, TextKindRuleOfEachProgram) {
    EXPECT_EQ(jw_text_kind(0, JwProgram::Viewer), 0);
    EXPECT_EQ(jw_text_kind(0, JwProgram::Converter), 4);
    for (int kind = 1; kind <= 10; ++kind) {
        EXPECT_EQ(jw_text_kind(kind, JwProgram::Viewer), kind);
        EXPECT_EQ(jw_text_kind(kind, JwProgram::Converter), kind);
    }
    EXPECT_EQ(jw_text_kind(11, JwProgram::Converter), 2);
    EXPECT_EQ(jw_text_kind(18, JwProgram::Viewer), 9);
    EXPECT_EQ(jw_text_kind(255, JwProgram::Viewer), 3);
    for (int kind = 0; kind <= 255; ++kind) {
        EXPECT_GE(jw_text_kind(kind, JwProgram::Viewer), 0);
        EXPECT_LE(jw_text_kind(kind, JwProgram::Viewer), 10);
    }
}

}  // namespace
}  // namespace zov
