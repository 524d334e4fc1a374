#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "jw/jw_header.h"

namespace zov {
namespace {

// A header block holding `text`, NUL-padded.
struct Block {
    JwBlock bytes{};
    explicit Block(const std::string& text) {
        std::memcpy(bytes, text.data(), std::min(text.size(), kJwBlockSize));
    }
};

TEST(JwHeader, ClassifiesByMagic) {
    Block data("jw_cad(c)data");
    EXPECT_EQ(classify_jw_file(data.bytes).kind, JwFileKind::Data);
    EXPECT_FALSE(classify_jw_file(data.bytes).real_variant);
    data.bytes[22] = 'f';
    EXPECT_TRUE(classify_jw_file(data.bytes).real_variant);

    Block symbol("jw_cad(c)sym");
    symbol.bytes[22] = 'f';
    EXPECT_EQ(classify_jw_file(symbol.bytes).kind, JwFileKind::Symbol);
    EXPECT_FALSE(classify_jw_file(symbol.bytes).real_variant);

    EXPECT_EQ(classify_jw_file(Block("jw_cad(c)dat").bytes).kind, JwFileKind::None);
    EXPECT_EQ(classify_jw_file(Block("JW_CAD(C)DATA").bytes).kind, JwFileKind::None);
    EXPECT_EQ(classify_jw_file(Block("").bytes).kind, JwFileKind::None);
}

TEST(JwHeader, SymbolCountsOfAWellFormedBlockAgreeInBothPrograms) {
    Block block("12,3,4,5,0.000000,0.000000,0.000000,77,50.000000");
    for (JwProgram program : {JwProgram::Viewer, JwProgram::Converter}) {
        JwSymbolCounts counts = parse_symbol_counts(block.bytes, program);
        EXPECT_EQ(counts.lines, 12);
        EXPECT_EQ(counts.circles, 3);
        EXPECT_EQ(counts.points, 4);
        EXPECT_EQ(counts.texts, 5);
        EXPECT_EQ(counts.text_area_length, 77);
        EXPECT_FLOAT_EQ(counts.scale, 50.0f);
        EXPECT_EQ(counts.fields_read, 9);
    }
}

TEST(JwHeader, SymbolCountsDifferWhereTheProgramsReadDifferently) {
    // A blank before a comma stops the pattern; the field reader goes on.
    Block blank("1 ,2,3,4,0,0,0,0,20");
    JwSymbolCounts viewer = parse_symbol_counts(blank.bytes, JwProgram::Viewer);
    JwSymbolCounts converter = parse_symbol_counts(blank.bytes, JwProgram::Converter);
    EXPECT_EQ(viewer.lines, 1);
    EXPECT_EQ(viewer.circles, 0);
    EXPECT_EQ(viewer.fields_read, 1);
    EXPECT_FLOAT_EQ(viewer.scale, 0.0f);
    EXPECT_EQ(converter.circles, 2);
    EXPECT_FLOAT_EQ(converter.scale, 20.0f);

    // A malformed field: the pattern stops there, the field reader reads 0 for it.
    Block bad("1,x,3,4,0,0,0,0,20");
    EXPECT_EQ(parse_symbol_counts(bad.bytes, JwProgram::Viewer).texts, 0);
    EXPECT_EQ(parse_symbol_counts(bad.bytes, JwProgram::Converter).texts, 4);
    EXPECT_EQ(parse_symbol_counts(bad.bytes, JwProgram::Converter).circles, 0);
}

TEST(JwHeader, SymbolCountsAreNeverNegativeAndRealsAreFinite) {
    Block block("-5,99999999999999,3,4,nan,inf,1e999,5,1e50");
    for (JwProgram program : {JwProgram::Viewer, JwProgram::Converter}) {
        JwSymbolCounts counts = parse_symbol_counts(block.bytes, program);
        EXPECT_EQ(counts.lines, 0);
        EXPECT_EQ(counts.circles, 2147483647);
        EXPECT_EQ(counts.texts, 4);
        EXPECT_EQ(counts.unused[0], 0.0f);
        EXPECT_EQ(counts.unused[1], 0.0f);
        EXPECT_EQ(counts.unused[2], 0.0f);
        EXPECT_EQ(counts.scale, 0.0f) << "a scale beyond single precision reads as 0";
    }
}

TEST(JwHeader, TruncatedCountBlocksLeaveTheMissingCountsZero) {
    Block block("7,8");
    for (JwProgram program : {JwProgram::Viewer, JwProgram::Converter}) {
        JwSymbolCounts counts = parse_symbol_counts(block.bytes, program);
        EXPECT_EQ(counts.lines, 7);
        EXPECT_EQ(counts.circles, 8);
        EXPECT_EQ(counts.points, 0);
        EXPECT_EQ(counts.fields_read, 2);
    }
    JwDataCounts data = parse_data_counts(Block("7,8").bytes);
    EXPECT_EQ(data.lines, 7);
    EXPECT_EQ(data.circles, 8);
    EXPECT_EQ(data.texts, 0);
    EXPECT_EQ(data.fields_read, 2);
}

// A data count block whose field n holds `value(n)`.
std::string data_fields(int count, std::string (*value)(int)) {
    std::string text;
    for (int n = 1; n <= count; ++n) text += (n > 1 ? "," : "") + value(n);
    return text;
}

TEST(JwHeader, DataCountsTakeTheirFieldsByNumber) {
    auto value = [](int n) -> std::string {
        switch (n) {
            case 10: return " 50.5";
            case 12: return "2";
            case 19: return "125abc";
            case 31: return "600";
            default: return std::to_string(n * 10);
        }
    };
    JwDataCounts counts = parse_data_counts(Block(data_fields(31, value)).bytes);
    EXPECT_EQ(counts.lines, 10);
    EXPECT_EQ(counts.circles, 20);
    EXPECT_EQ(counts.texts, 30);
    EXPECT_EQ(counts.points, 40);
    EXPECT_DOUBLE_EQ(counts.scale, 50.5);
    EXPECT_EQ(counts.paper_code, 2);
    EXPECT_EQ(counts.editing_time, 125);
    EXPECT_EQ(counts.paper_width, 600);
    EXPECT_EQ(counts.fields_read, 31);

    // Without field 31 the paper width is 518; without field 12 the code is 0.
    JwDataCounts short_block = parse_data_counts(Block(data_fields(30, value)).bytes);
    EXPECT_EQ(short_block.paper_width, 518);
    EXPECT_EQ(short_block.paper_code, 2);
    EXPECT_EQ(parse_data_counts(Block(data_fields(11, value)).bytes).paper_code, 0);

    // A 32nd field is not read.
    EXPECT_EQ(parse_data_counts(Block(data_fields(32, value)).bytes).fields_read, 31);
}

TEST(JwHeader, DataCountsOfAFullBlockWithoutNul) {
    std::string text = "1,2,3,4";
    text.resize(kJwBlockSize, ' ');
    JwDataCounts counts = parse_data_counts(Block(text).bytes);
    EXPECT_EQ(counts.points, 4);
    EXPECT_EQ(counts.fields_read, 4);
}

TEST(JwHeader, TextAreaLengthIsTheDifferenceOfTwoAddresses) {
    EXPECT_EQ(text_area_length(Block("1000:0000:1002:0005").bytes), 0x25);
    EXPECT_EQ(text_area_length(Block("0ab0:000f 0AB1:000F").bytes), 16);
    EXPECT_EQ(text_area_length(Block("1000:0010:1000:0000").bytes), -16);
    EXPECT_EQ(text_area_length(Block("").bytes), 0);
    // An endless hexadecimal run saturates instead of overflowing.
    std::string run(kJwBlockSize, 'F');
    EXPECT_EQ(text_area_length(Block(run).bytes), 0);
    run[11] = ':';
    EXPECT_LT(text_area_length(Block(run).bytes), 0);
}

TEST(JwHeader, PaperCodes) {
    EXPECT_EQ(jw_paper_size(0).width, 1189);
    EXPECT_EQ(jw_paper_size(3).width, 420);
    EXPECT_EQ(jw_paper_size(3).height, 297);
    EXPECT_EQ(jw_paper_size(5).width, 841);
    EXPECT_EQ(jw_paper_size(5).height, 594);
    EXPECT_EQ(jw_paper_size(-1).width, 841);
    EXPECT_EQ(jw_paper_size(11).height, 3364);
    EXPECT_EQ(jw_paper_size(12).width, 10000);
    EXPECT_EQ(jw_paper_size(12).height, 7071);
}

}  // namespace
}  // namespace zov
