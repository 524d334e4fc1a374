// JW_CAD for Windows symbols (.jws) through whole conversions: drawn as the
// same .jwk symbol is, side by side with .jwk symbols, their blocks drawn
// out in place, a block that inserts itself, and the limits of drawing out.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "converter_test_support.h"
#include "fixtures/windows_symbols.h"
#include "symconv/converter_settings.h"
#include "symconv/element_geometry.h"
#include "symconv/jws_drawing.h"
#include "symconv/jww_pens.h"
#include "symconv/texts.h"

namespace zov {
namespace {

using fixtures::jws_base;
using fixtures::jws_block;
using fixtures::jws_content;
using fixtures::jws_insert;
using fixtures::jws_line;
using fixtures::JwwContent;
using testing::entity_values;

constexpr double kQuarterTurn = std::numbers::pi / 2;

class JwsConversion : public testing::ConverterTest {
protected:
    void add_jws(const std::string& file_name, const JwwContent& content) {
        testing::write_bytes(library + file_name, fixtures::build_jww(content).bytes);
    }
};

TEST_F(JwsConversion, ASymbolConvertsAsTheSameJwkSymbolDoes) {
    // At 1/50: lines in two line types and pens, a circle, a quarter arc, a
    // tilted ellipse, a point, and a horizontal and a vertical text of kind
    // 1's height, in millimetres.
    fixtures::JwSymbolSpec jwk;
    jwk.scale = 50;
    jwk.elements.lines = {{0, 0, 800, 0, 2, 3, 0}, {0, 0, 0, 400, 9, 6, 0}};
    jwk.elements.circles = {
        {400, 200, 100, 10000, 0, 0, 0, 1, 1, 0},
        {0, 0, 800, 10000, 0, fixtures::jw_angle(90), 0, 5, 2, 0},
        {400, 200, 50, 5000, 0, fixtures::jw_angle(360), fixtures::jw_angle(30), 3, 4, 0}};
    jwk.elements.points = {{100, 100, 0, 4}};
    jwk.elements.texts = {{100, 50, 300, 50, 1, 0, 0, "AB"}, {100, 300, 100, 200, 1, 0, 32, "V"}};
    add_symbol("S.JWK", jwk);
    ASSERT_EQ(run({library}), kExitNormal);
    const std::string from_jwk = dxf();
    std::filesystem::remove(library + "S.JWK");

    // The same in paper millimetres around the insertion point (2, -1).
    JwwContent jws = jws_content(50, 2, -1);
    JwwArc circle{jws_base(1), 10, 3, 2, 0, 0, 0, 1, true};
    JwwArc quarter{jws_base(2, 5), 2, -1, 16, 0, kQuarterTurn, 0, 1, false};
    JwwArc ellipse{jws_base(4, 3), 10, 3, 1, 0, 0, kQuarterTurn / 3, 0.5, true};
    JwwPoint point;
    point.base = jws_base(4);
    point.x = 4;
    point.y = 1;
    JwwText text;
    text.start_x = 4;
    text.end_x = 8;
    text.width = text.height = 2;
    text.text = "AB";
    JwwText vertical = text;
    vertical.base.flags = kJwwTextVertical;
    vertical.start_y = 5;
    vertical.end_x = 4;
    vertical.end_y = 3;
    vertical.text = "V";
    jws.entities = {jws_line(2, -1, 18, -1, 3, 2),
                    jws_line(2, -1, 2, 7, 6, 9),
                    circle,
                    quarter,
                    ellipse,
                    point,
                    text,
                    vertical};
    add_jws("S.jws", jws);
    ASSERT_EQ(run({library}), kExitNormal);
    EXPECT_EQ(dxf(), from_jwk);
}

TEST_F(JwsConversion, AMixedFolderGivesOneBlockPerFileWithDistinctNames) {
    add_symbol("A.JWK", fixtures::JwSymbolSpec());
    JwwContent content = jws_content(1, 0, 0);
    content.entities = {jws_line(0, 0, 10, 10)};
    add_jws("a.jws", content);
    add_jws("B.JWS", content);
    for (const char* option : {"-s", "-n"}) {
        SCOPED_TRACE(option);
        ASSERT_EQ(run({library, option}), kExitNormal);
        const std::string out = dxf();
        const std::vector<std::string> blocks = entity_values(out, "BLOCK", "2");
        EXPECT_EQ(blocks, (std::vector<std::string>{"A", "B", "a1"}));
        EXPECT_EQ(entity_values(out, "INSERT", "2"), blocks);
        const std::vector<std::string> texts = entity_values(out, "TEXT", "1");
        ASSERT_EQ(texts.size(), 4u);  // the title, then the names of the cells
        EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end()),
                  (std::vector<std::string>{"A", "B", "a"}));
    }
}

TEST_F(JwsConversion, BlocksAreDrawnOutInPlaceAndASelfInsertIsLeftOut) {
    // At 1/10 around (1, 1): block 2 places block 1's unit line as it is and
    // turned a quarter at twice its length, and inserts itself.
    JwwContent content = jws_content(10, 1, 1);
    content.blocks = {jws_block(1, "unit", {jws_line(0, 0, 1, 0)}),
                      jws_block(2, "pair",
                                {jws_insert(1, 0, 0), jws_insert(1, 0, 2, 2, 1, kQuarterTurn),
                                 jws_insert(2, 5, 5)})};
    content.entities = {jws_insert(2, 3, 1)};
    add_jws("P.jws", content);
    ASSERT_EQ(run({library}), kExitNormal);
    const std::string out = dxf();
    const std::string block = out.substr(0, out.find("ENDBLK"));
    EXPECT_EQ(entity_values(block, "LINE", "10"), (std::vector<std::string>{"20.000", "20.000"}));
    EXPECT_EQ(entity_values(block, "LINE", "20"), (std::vector<std::string>{"0.000", "20.000"}));
    EXPECT_EQ(entity_values(block, "LINE", "11"), (std::vector<std::string>{"30.000", "20.000"}));
    EXPECT_EQ(entity_values(block, "LINE", "21"), (std::vector<std::string>{"0.000", "40.000"}));
    EXPECT_EQ(entity_values(block, "INSERT", "2").size(), 0u);
    EXPECT_NE(console().find(format_text(kSymbolInsertsLeftOut, (library + "P.jws").c_str(), 1)),
              std::string::npos);
}

// Counts the lines drawn.
struct CountingSink : ElementSink {
    void line(const DxfPen&, double, double, double, double) override { ++lines; }
    void curve(const DxfPen&, const EllipseArc&) override {}
    void point(const DxfPen&, double, double) override {}
    void text(const TextRun&, std::string_view) override {}
    void solid(int, const std::array<ChainPoint, 4>&) override {}
    int lines = 0;
};

TEST_F(JwsConversion, DrawingOutStopsAtItsLimitAndLeavesOutWhatIsNotFinite) {
    auto draw = [&](const JwwContent& content, CountingSink& sink) {
        add_jws("X.jws", content);
        JwsSymbol symbol;
        EXPECT_TRUE(read_jws_symbol(library + "X.jws", symbol));
        return draw_jws_symbol(symbol, ConverterSettings(), sink);
    };
    // Block k inserts block k - 1 twice: 2^21 elements from a small file.
    JwwContent doubling = jws_content(1, 0, 0);
    doubling.blocks.push_back(jws_block(0, "line", {jws_line(0, 0, 1, 1)}));
    for (std::uint32_t k = 1; k <= 20; ++k)
        doubling.blocks.push_back(
            jws_block(k, "twice", {jws_insert(k - 1, 0, 0), jws_insert(k - 1, 1, 0)}));
    doubling.entities = {jws_insert(20, 0, 0)};
    CountingSink many;
    JwsDrawingCounts counts = draw(doubling, many);
    EXPECT_TRUE(counts.cut);
    EXPECT_EQ(counts.elements, kJwsElementLimit);
    EXPECT_GT(many.lines, kJwsElementLimit / 4);
    // A scale that takes lengths beyond what a number holds, and a coordinate
    // that is no number.
    JwwContent far = jws_content(1e300, 0, 0);
    far.entities = {jws_line(0, 0, 1, 1), jws_line(0, 0, 1e10, 1), jws_line(std::nan(""), 0, 1, 1)};
    CountingSink few;
    counts = draw(far, few);
    EXPECT_FALSE(counts.cut);
    EXPECT_EQ(few.lines, 1);
    EXPECT_EQ(counts.non_finite, 2);
}

TEST(JwwPens, ColoursAndLineTypesTakeTheNearestOfTheConvertersOwn) {
    ConverterSettings settings;  // pen colours 4, 7, 3, 2, 6, 5
    const std::pair<std::uint16_t, int> colours[] = {
        {1, 4},   {2, 7},   {6, 5},   {9, 8},   {101, 7}, {102, 1}, {103, 3}, {104, 5},
        {105, 2}, {106, 6}, {107, 4}, {108, 7}, {115, 9}, {0, 7},   {10, 7},  {117, 7}};
    for (const auto& [number, expected] : colours)
        EXPECT_EQ(jww_colour(settings, number), expected) << number;
    const std::pair<std::uint8_t, std::string> line_types[] = {
        {1, "CONTINUOUS"}, {2, "DOT"},     {9, "HIDDEN"},      {12, "CONTINUOUS"},
        {16, "CENTER2"},   {19, "HIDDEN"}, {31, "CONTINUOUS"}, {32, "DASHED"},
        {37, "DOT"},       {38, "CENTER"}, {39, "PHANTOM"},    {46, "CONTINUOUS"}};
    for (const auto& [style, expected] : line_types)
        EXPECT_EQ(jww_line_type_name(style), expected) << int(style);
    JwwSolid solid;
    solid.base.pen_colour = kJwwSolidOwnColour;
    solid.rgb = 0x0000FF;  // red as COLORREF
    EXPECT_EQ(jww_solid_colour(settings, solid), 1);
    JwwText text;
    text.base.pen_colour = 3;
    EXPECT_EQ(jww_text_colour(settings, text), 3);
    settings.text_colour = 1;
    EXPECT_EQ(jww_text_colour(settings, text), 1);
}

TEST(CurveShape, CirclesAndArcsTurnedOrMirroredAndEllipses) {
    struct Case {
        EllipseAxes axes;
        double start, end;
        CurveShape::Kind kind;
        double a, b;
    };
    const Case cases[] = {
        {{0, 0, 2, 0, 0, 2}, 0, 90, CurveShape::Arc, 0, 90},
        {{0, 0, -2, 0, 0, 2}, 0, 90, CurveShape::Arc, 90, 180},  // mirrored in x
        {{0, 0, 0, 3, -3, 0}, 0, 90, CurveShape::Arc, 90, 180},  // turned a quarter
        {{0, 0, 1, 0, 0, 1}, 350, 370, CurveShape::Arc, 350, 370},
        {{0, 0, 1, 0, 0, 1}, 10, 370, CurveShape::Circle, 0, 360},
        {{0, 0, 2, 0, 0, 1}, 0, 90, CurveShape::Ellipse, 0, 90},  // scaled in x only
        {{0, 0, 1, 0, 1, 1}, 0, 90, CurveShape::Ellipse, 0, 90},  // sheared
    };
    for (const Case& c : cases) {
        CurveShape shape = curve_shape({c.axes, c.start, c.end});
        EXPECT_EQ(shape.kind, c.kind);
        EXPECT_NEAR(shape.a, c.a, 1e-9);
        EXPECT_NEAR(shape.b, c.b, 1e-9);
    }
}

}  // namespace
}  // namespace zov
