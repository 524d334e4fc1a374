// The DXF text of symbol elements inside a BLOCK.
#include <gtest/gtest.h>

#include "common/encoding.h"
#include "converter_test_support.h"
#include "symconv/converter_settings.h"
#include "symconv/dxf_line_writer.h"
#include "symconv/element_geometry.h"
#include "symconv/element_writer.h"

namespace zov {
namespace {

using testing::crlf_lines;
using testing::written_by;

// The DXF lines that follow `group` code lines equal to `code`, in order.
std::vector<std::string> values_of(const std::string& dxf, const std::string& code) {
    std::vector<std::string> lines = crlf_lines(dxf), values;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (lines[i] == code) values.push_back(lines[i + 1]);
    }
    return values;
}

TEST(DxfLineWriter, AppendsCrLfAndReplacesOverlongLines) {
    std::string exact(1021, 'a');
    std::string bytes = written_by([&](DxfLineWriter& out) {
        out.write_dxf_line("0\r\nEOF");
        out.write_dxf_line("%s", exact.c_str());
        out.write_dxf_line("%sb", exact.c_str());
    });
    EXPECT_EQ(bytes, "0\r\nEOF\r\n" + exact + "\r\n??\r\n");
}

TEST(ElementOutput, LineRoundsByJkeAndUsesPenColourAndLineType) {
    ConverterSettings settings;
    settings.decimals = 0;
    std::string rounded = written_by([&](DxfGroupWriter& out) {
        ElementWriter(out, settings, 1).line(3, 4, 12.46f, -0.5f, 1, 2);
    });
    EXPECT_EQ(rounded,
              "0\r\nLINE\r\n8\r\nZukei\r\n6\r\nDASHED\r\n62\r\n  2\r\n10\r\n12.000\r\n20\r\n-0.000"
              "\r\n11\r\n1.000\r\n21\r\n2.000\r\n");
    settings.decimals = 3;
    std::string kept = written_by(
        [&](DxfGroupWriter& out) { ElementWriter(out, settings, 1).line(1, 1, 12.46f, 0, 0, 0); });
    EXPECT_EQ(values_of(kept, "10"), std::vector<std::string>{"12.460"});
    settings.decimals = 1;
    EXPECT_DOUBLE_EQ(round_value(12.46, 1), 12.5);
}

TEST(ElementOutput, PensAndLineTypesOutsideTheirTablesCountAsPen2AndContinuous) {
    ConverterSettings settings;
    std::string bytes = written_by([&](DxfGroupWriter& out) {
        ElementWriter writer(out, settings, 1);
        writer.line(0, 0, 0, 0, 1, 1);
        writer.line(200, 9, 0, 0, 1, 1);
        writer.line(9, 6, 0, 0, 1, 1);
    });
    EXPECT_EQ(values_of(bytes, "6"),
              (std::vector<std::string>{"CONTINUOUS", "CONTINUOUS", "HIDDEN"}));
    EXPECT_EQ(values_of(bytes, "62"), (std::vector<std::string>{"  7", "  7", "  5"}));
}

TEST(ElementOutput, CircleArcAndWrappedArc) {
    ConverterSettings settings;
    auto circle = [&](std::int32_t start, std::int32_t end, std::int32_t tilt = 0) {
        return written_by([&](DxfGroupWriter& out) {
            ElementWriter(out, settings, 1).circle(1, 1, 5, 6, 2.5, 10000, start, end, tilt);
        });
    };
    std::string full = circle(0, 360 * 65536);
    EXPECT_EQ(full,
              "0\r\nCIRCLE\r\n8\r\nZukei\r\n6\r\nCONTINUOUS\r\n62\r\n  4\r\n10\r\n5.000\r\n20\r\n"
              "6.000\r\n40\r\n2.500\r\n");
    std::string quarter = circle(0, 90 * 65536);
    EXPECT_EQ(crlf_lines(quarter)[1], "ARC");
    EXPECT_EQ(values_of(quarter, "50"), std::vector<std::string>{"0.000000"});
    EXPECT_EQ(values_of(quarter, "51"), std::vector<std::string>{"90.000000"});
    std::string wrapped = circle(350 * 65536, 10 * 65536);
    EXPECT_EQ(values_of(wrapped, "50"), std::vector<std::string>{"350.000000"});
    EXPECT_EQ(values_of(wrapped, "51"), std::vector<std::string>{"370.000000"});
    std::string tilted = circle(0, 90 * 65536, 30 * 65536);
    EXPECT_EQ(values_of(tilted, "50"), std::vector<std::string>{"30.000000"});
    EXPECT_EQ(crlf_lines(circle(5 * 65536, 5 * 65536))[1], "CIRCLE");
}

TEST(ElementOutput, EllipseIsAChainOfLinesClosingOnItsStart) {
    ConverterSettings settings;
    settings.decimals = 3;
    std::string bytes = written_by([&](DxfGroupWriter& out) {
        ElementWriter(out, settings, 1).circle(2, 3, 0, 0, 10, 5000, 0, 360 * 65536, 0);
    });
    std::vector<std::string> starts = values_of(bytes, "10");
    EXPECT_EQ(starts.size(), 72u);
    EXPECT_EQ(values_of(bytes, "6")[0], "DOT");
    EXPECT_EQ(starts.front(), "10.000");
    EXPECT_EQ(values_of(bytes, "11").back(), "10.000");
    std::vector<ChainPoint> arc = ellipse_chain(0, 0, 10, 0.5, 0, 90, 90);
    EXPECT_NEAR(arc.front().x, 0, 1e-6);  // tilted a quarter turn: the radius points up
    EXPECT_NEAR(arc.front().y, 10, 1e-6);
    EXPECT_NEAR(arc.back().x, -5, 1e-6);
    EXPECT_EQ(arc.size(), 19u);  // 17 whole steps and a shorter last one
    // Angles many turns apart (a damaged record) draw the ellipse once.
    EXPECT_EQ(ellipse_chain(0, 0, 10, 0.5, -30000, 30000, 0).size(), 73u);
}

TEST(ElementOutput, PointsInTheThreeForms) {
    ConverterSettings settings;
    auto point = [&](int mode) {
        settings.point_form = mode;
        return written_by(
            [&](DxfGroupWriter& out) { ElementWriter(out, settings, 1).point(3, 1, 2); });
    };
    EXPECT_EQ(point(0), "0\r\nPOINT\r\n8\r\nZukei\r\n62\r\n  3\r\n10\r\n1.000\r\n20\r\n2.000\r\n");
    EXPECT_EQ(point(1),
              "0\r\nCIRCLE\r\n8\r\nZukei\r\n6\r\nCONTINUOUS\r\n62\r\n  3\r\n10\r\n1.000\r\n20\r\n"
              "2.000\r\n40\r\n0.200\r\n");
    EXPECT_EQ(
        point(2),
        "0\r\nPOLYLINE\r\n8\r\nZukei\r\n6\r\nCONTINUOUS\r\n62\r\n3\r\n66\r\n1\r\n10\r\n0\r\n20"
        "\r\n0\r\n70\r\n1\r\n40\r\n4.000\r\n41\r\n4.000\r\n"
        "0\r\nVERTEX\r\n8\r\nZukei\r\n6\r\nCONTINUOUS\r\n62\r\n3\r\n10\r\n0.800\r\n20\r\n2.000"
        "\r\n42\r\n1.000\r\n"
        "0\r\nVERTEX\r\n8\r\nZukei\r\n6\r\nCONTINUOUS\r\n62\r\n3\r\n10\r\n1.200\r\n20\r\n2.000"
        "\r\n42\r\n1.000\r\n"
        "0\r\nSEQEND\r\n8\r\nZukei\r\n");
    // At 1/50 the filled circle is 20 across and 200 wide: ten times its size, as at 1/1.
    std::string at_50 =
        written_by([&](DxfGroupWriter& out) { ElementWriter(out, settings, 50).point(3, 0, 0); });
    EXPECT_NE(at_50.find("\r\n40\r\n200.000\r\n41\r\n200.000\r\n"), std::string::npos);
    EXPECT_NE(at_50.find("\r\n10\r\n-10.000\r\n"), std::string::npos);
}

TEST(ElementOutput, HorizontalTurnedAndVerticalTexts) {
    ConverterSettings settings;  // kind 4: 40 / 10 x S x 78 / 100
    std::string flat = written_by([&](DxfGroupWriter& out) {
        ElementWriter(out, settings, 10).text(0, false, 1, 2, 9, 2, "AB");
    });
    EXPECT_EQ(
        flat,
        "0\r\nTEXT\r\n8\r\nZukei\r\n62\r\n7\r\n10\r\n1.000\r\n20\r\n2.000\r\n40\r\n31.200\r\n41"
        "\r\n1.000\r\n50\r\n0.000\r\n1\r\nAB\r\n");
    std::string vertical = written_by([&](DxfGroupWriter& out) {
        ElementWriter(out, settings, 10).text(4, true, 1, 2, 9, 2, utf8_to_cp932("流し"));
    });
    std::vector<std::string> lines = crlf_lines(vertical);
    EXPECT_EQ(values_of(vertical, "50"), std::vector<std::string>{"90.000"});
    EXPECT_EQ(values_of(vertical, "10"), std::vector<std::string>{"1.000"});
    EXPECT_EQ(values_of(vertical, "20"), std::vector<std::string>{"17.600"});  // 2 + h / 2
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "  7");
    EXPECT_EQ(lines.back(), "TATEGAKI");
    std::string turned = written_by([&](DxfGroupWriter& out) {
        ElementWriter(out, settings, 1).text(15, false, 0, 0, -1, -1, "x\r\ny");
    });
    EXPECT_EQ(values_of(turned, "50"), std::vector<std::string>{"225.000"});
    EXPECT_EQ(values_of(turned, "62"), std::vector<std::string>{"3"});    // kind 15 folds to 6
    EXPECT_EQ(values_of(turned, "1"), std::vector<std::string>{"x  y"});  // no line end inside
    EXPECT_EQ(text_angle(-3, 0, false), 180);
    EXPECT_EQ(text_angle(0, -2, true), 0);
}

}  // namespace
}  // namespace zov
