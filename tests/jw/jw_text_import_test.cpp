// Texts and layer names of JW_CAD files as they arrive in the store.
#include <gtest/gtest.h>

#include <cmath>

#include "jw/jw_format.h"
#include "jw_import_fixture.h"

namespace zov {
namespace {

using fixtures::JwDataSpec;
using fixtures::JwSymbolSpec;
using fixtures::JwText;

std::string sjis(const char* utf8) { return utf8_to_cp932(utf8); }

// A data file with f = 100 at S = 100 (see the import tests).
JwDataSpec text_file(std::vector<JwText> texts) {
    JwDataSpec content;
    content.paper_width = 420;
    content.elements.texts = std::move(texts);
    return content;
}

TEST_F(JwImportTest, TextHeightColourAndPosition) {
    JwDataSpec content = text_file({{1, 2, 5, 2, 3, 0, 0, sjis("居間")},
                                    {0, 0, 1, 0, 4, 0, 0, "x"},
                                    {0, 0, 1, 0, 5, 0, 0, "y"},
                                    {0, 0, 1, 0, 6, 0, 0, "z"}});
    content.kind_height[3] = 30;
    content.kind_pen[3] = 5;
    content.kind_pen[4] = 200;
    content.kind_pen[5] = 50;
    content.kind_pen[6] = 0;
    content.group_scales[0] = 50;  // cancels out of the height
    ASSERT_EQ(import(build_jw_data_file(content)), 0) << message(0);
    ASSERT_EQ(entities.size(), 4u);
    const EntityRecord& t = entities[0];
    EXPECT_EQ(t.kind, kEntityText);
    EXPECT_DOUBLE_EQ(t.text.height, 292.5) << "30 x 0.78 x 100 / 10 x 1.25";
    EXPECT_EQ(t.text.width_factor, 1.0);
    EXPECT_EQ(t.text.angle, 0.0);
    EXPECT_DOUBLE_EQ(t.x1, 100);
    EXPECT_DOUBLE_EQ(t.y1, 200);
    EXPECT_EQ(t.colour, 5);
    EXPECT_EQ(t.h_align, 0);
    EXPECT_EQ(t.v_align, 0);
    EXPECT_EQ(t.layer, 1);
    EXPECT_EQ(texts[0], sjis("居間"));
    EXPECT_EQ(entities[1].colour, 7) << "a pen colour beyond 127";
    EXPECT_EQ(entities[2].colour, 50);
    EXPECT_EQ(entities[3].colour, 0);

    EXPECT_EQ(header.str_num, 4);
    EXPECT_EQ(header.add_str, 576) << "the string section comes first";
    EXPECT_EQ(entities[1].text_offset, 4);
    EXPECT_EQ(entities[3].text_offset, 6);

    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    EXPECT_EQ(entities[3].text_offset, 6) << "every import starts its string section afresh";
}

TEST_F(JwImportTest, TextAngleFollowsTheTextLine) {
    struct Case {
        float dx, dy;
        double angle;
    };
    const Case cases[] = {{1, 0, 0},  {0, 1, 90},    {-1, 0, 180}, {0, -1, 270},
                          {1, 1, 45}, {-1, -1, 225}, {1, -1, 315}, {-1, 1, 135}};
    std::vector<JwText> texts;
    for (const Case& c : cases) texts.push_back({0, 0, c.dx, c.dy, 1, 0, 0, "a"});
    ASSERT_EQ(import(build_jw_data_file(text_file(texts))), 0);
    ASSERT_EQ(entities.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_NEAR(entities[i].text.angle, cases[i].angle, 1e-4) << i;
}

TEST_F(JwImportTest, VerticalTextsTakeTheWidthAndMoveHalfAHeight) {
    JwDataSpec content = text_file({{1, 1, 1, 0, 3, 0, kJwTextVertical, "abc"}});
    content.kind_width[3] = 30;
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    const EntityRecord& t = entities[0];
    double h = 30 * 100 / 10 * 0.8;
    EXPECT_DOUBLE_EQ(t.text.height, h * 1.25);
    EXPECT_DOUBLE_EQ(t.text.angle, 270);
    // Degrees turn into radians with the factor 0.017453289, a little off pi / 180.
    EXPECT_NEAR(t.x1, 100, 1e-3);
    EXPECT_NEAR(t.y1, 100 - h / 2, 1e-6);
    EXPECT_EQ(t.text_style, 1);

    // A symbol file's vertical text turns a quarter more; its heights are fixed.
    JwSymbolSpec symbol;
    symbol.scale = 50;
    symbol.elements.texts = {{2, 3, 12, 3, 1, 0, kJwTextVertical, "abc"},
                             {0, 0, 1, 0, 0, 0, 0, "k0"},
                             {0, 0, 1, 0, 10, 0, 0, "k10"}};
    ASSERT_EQ(import(build_jw_symbol_file(symbol)), 0);
    double symbol_h = 20 * 50 / 10 * 0.8;
    EXPECT_DOUBLE_EQ(entities[0].text.angle, 90);
    EXPECT_DOUBLE_EQ(entities[0].text.height, symbol_h * 1.25);
    EXPECT_NEAR(entities[0].x1, 2, 1e-3);
    EXPECT_NEAR(entities[0].y1, 3 + symbol_h / 2, 1e-6);
    EXPECT_EQ(entities[0].colour, 0) << "symbol texts take the layer's colour";
    EXPECT_DOUBLE_EQ(entities[1].text.height, 7 * 50 / 10.0 * 1.25);
    EXPECT_DOUBLE_EQ(entities[2].text.height, 100 * 50 / 10.0 * 1.25);
}

TEST_F(JwImportTest, TextStylesAndCuts) {
    std::string kanji_text = sjis("壁") + std::string(248, 'a');
    std::string ascii_text(250, 'b');
    JwDataSpec content = text_file({{0, 0, 1, 0, 1, 0, 0, "size ^u"},
                                    {0, 0, 1, 0, 1, 0, 0, sjis("見出し・")},
                                    {0, 0, 1, 0, 1, 0, kJwTextVertical, "^3"},
                                    {0, 0, 1, 0, 1, 0, kJwTextVertical, sjis("^u・")},
                                    {0, 0, 1, 0, 1, 0, 0, kanji_text},
                                    {0, 0, 1, 0, 1, 0, 0, ascii_text},
                                    {0, 0, 1, 0, 1, 0, 0, ""}});
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    ASSERT_EQ(entities.size(), 7u);
    EXPECT_EQ(entities[0].text_style, 10);
    EXPECT_EQ(entities[1].text_style, 20);
    EXPECT_EQ(entities[2].text_style, 11);
    EXPECT_EQ(entities[3].text_style, 21);
    EXPECT_EQ(entities[4].text_length, 236);
    EXPECT_EQ(texts[4], kanji_text.substr(0, 236));
    EXPECT_EQ(entities[5].text_length, 250);
    EXPECT_EQ(entities[6].text_length, 0);
    EXPECT_EQ(header.str_num, 6) << "an empty text is not counted";
}

TEST_F(JwImportTest, TextKindsBeyondTheTableAreFolded) {
    JwDataSpec content = text_file({{0, 0, 1, 0, 11, 0, 0, "a"}, {0, 0, 1, 0, 255, 0, 0, "b"}});
    content.kind_height[2] = 40;
    content.kind_height[3] = 50;
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    EXPECT_DOUBLE_EQ(entities[0].text.height, 40 * 0.78 * 100 / 10 * 1.25);
    EXPECT_DOUBLE_EQ(entities[1].text.height, 50 * 0.78 * 100 / 10 * 1.25);
}

TEST_F(JwImportTest, LayerAndGroupNames) {
    JwDataSpec content = text_file({});
    auto use = [&](int layer) { content.elements.points.push_back({0, 0, layer}); };
    content.layer_names[0x00] = "ab c";
    content.layer_names[0x01] = "#lname";
    content.layer_names[0x02] = "__hid";
    content.layer_names[0x03] = "1-3";  // its own default form
    content.layer_names[0x04] = sjis("ｶｰﾃﾝ");
    content.layer_names[0x05] = sjis("★α壁");
    content.layer_names[0x2B] = "A";
    content.layer_names[0x2C] = "";
    content.layer_names[0x3A] = "door";
    content.layer_names[0x4F] = "abcdefg";
    content.group_names[0] = "";
    content.group_names[2] = "WALLS";
    content.group_names[3] = "__x";
    content.group_names[4] = sjis("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ");
    for (int layer : {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x2B, 0x2C, 0x3A, 0x4F}) use(layer);
    ASSERT_EQ(import(build_jw_data_file(content)), 0);
    ASSERT_EQ(layers.size(), 10u);
    EXPECT_EQ(std::string(layers[0].name), "0-AB_C");
    EXPECT_EQ(std::string(layers[1].name), "0-JW_25D");
    EXPECT_EQ(std::string(layers[2].name), "0-2");
    EXPECT_EQ(std::string(layers[3].name), "0-1-3");
    EXPECT_EQ(cp932_to_utf8(layers[4].name), "0-カ-テン");
    EXPECT_EQ(cp932_to_utf8(layers[5].name), "0-壁");
    EXPECT_EQ(std::string(layers[6].name), "WALLS-2-A");
    EXPECT_EQ(std::string(layers[7].name), "2-C") << "its own default form alone";
    EXPECT_EQ(std::string(layers[8].name), "3-DOOR") << "group name beginning with __";
    // 32 bytes of group name + "-" + 7 letters: 40 bytes, of which bytes 30-31
    // hold タ; the name is cut to 30 bytes.
    EXPECT_EQ(std::string(layers[9].name), sjis("アイウエオカキクケコサシスセソ"));
}

}  // namespace
}  // namespace zov
