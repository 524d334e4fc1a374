#include "jww_contents.h"

#include "common/encoding.h"

namespace zov {

using fixtures::JwwBlock;
using fixtures::JwwContent;
using fixtures::JwwObject;

JwwEntityBase jww_base(std::uint32_t curve, std::uint8_t pen_style, std::uint16_t pen_colour,
                       std::uint16_t pen_width, std::uint16_t layer, std::uint16_t group,
                       std::uint16_t flags) {
    return {curve, pen_style, pen_colour, pen_width, layer, group, flags};
}

JwwBlock jww_block(std::uint32_t number, const std::string& name, std::vector<JwwObject> contents) {
    JwwBlockDefinition definition{jww_base(0, 1, 1, 0, 2, 3, 0x0800), number, number % 2 == 1,
                                  1'600'000'000 + number, name};
    return {definition, std::move(contents)};
}

JwwHeader busy_header(JwwFileKind kind, std::uint32_t version) {
    JwwHeader h;
    h.kind = kind;
    h.version = version;
    h.memo = utf8_to_cp932("図面メモ\r\n二行目 memo");
    h.paper = 2;
    h.write_group = 5;
    for (std::uint32_t g = 0; g < kJwwGroups; ++g) {
        JwwLayerGroup& group = h.groups[g];
        group.state = g % 4;
        group.write_layer = 15 - g;
        group.scale = 1 + g * 12.5;
        group.protection = g % 3;
        for (std::uint32_t l = 0; l < kJwwLayersPerGroup; ++l) {
            group.layer_state[l] = (g + l) % 4;
            group.layer_protection[l] = (g * l) % 3;
            if ((g + l) % 5 == 0) group.layer_names[l] = "L" + std::to_string(g * 16 + l);
        }
        group.name = "G" + std::to_string(g);
    }
    h.groups[0].layer_names[1] = utf8_to_cp932("壁");
    h.groups[15].layer_names[15] = std::string(300, 'n');  // beyond the one-byte length
    for (int n = 0; n < kJwwPens; ++n) {
        h.pen_colours[n] = 0x00102030u + static_cast<std::uint32_t>(n);
        h.pen_widths[n] = static_cast<std::uint32_t>(n + 1);
    }
    for (int n = 0; n < kJwwSxfColours; ++n) {
        h.sxf_colours[n] = static_cast<std::uint32_t>(n * 0x010101);
        if (n % 20 == 1) h.sxf_colour_names[n] = "colour" + std::to_string(n);
    }
    h.sxf_colour_names[2] = utf8_to_cp932("赤");
    h.sxf_line_type_names[0] = "continuous";
    h.sxf_line_type_names[32] = "undefined";
    for (int n = 0; n < kJwwTextKinds; ++n)
        h.text_kinds[n] = {n + 1.0, n + 2.0, n * 0.25, static_cast<std::uint32_t>(n % 9)};
    h.origin_x = -12.5;
    h.origin_y = 7.25;
    h.bounds_left = -100;
    h.bounds_bottom = -50.5;
    h.bounds_right = 100;
    h.bounds_top = 60.75;
    return h;
}

namespace {

JwwDimension dimension() {
    JwwDimension d;
    d.base = jww_base(0, 1, 1, 0, 4, 2, 0x2000);
    d.line = {jww_base(0, 1, 2, 18, 4, 2, 0x2000), 0, 0, 90, 0};
    d.text = {
        jww_base(0, 2, 3, 0x2043, 4, 2, 0x4010), 40, 1, 52, 1, 2, 3, 3, 0.5, 0, "MS", "9,000"};
    d.sxf_mode = 3;
    d.extension_lines = {JwwLine{jww_base(0, 1, 4, 0, 4, 2, 0), 0, -5, 0, 0},
                         JwwLine{jww_base(0, 1, 5, 0, 4, 2, 0), 90, -5, 90, 0}};
    d.points = {JwwPoint{jww_base(0, 100, 2, 0, 4, 2, 0), 0, 0, false, 3, 0.5, 1.5},
                JwwPoint{jww_base(0, 1, 2, 0, 4, 2, 0), 90, 0, false},
                JwwPoint{jww_base(0, 1, 2, 0, 4, 2, 0), 0, -5, true},
                JwwPoint{jww_base(0, 100, 6, 0, 4, 2, 0), 90, -5, false, 4, -0.5, 2}};
    return d;
}

}  // namespace

JwwContent every_kind(JwwFileKind kind, std::uint32_t version) {
    const std::string font = utf8_to_cp932("ＭＳ ゴシック");
    JwwContent content;
    content.header = busy_header(kind, version);
    JwwSolid own_colour{jww_base(0, 1, kJwwSolidOwnColour, 0, 1, 1, 0x0020),
                        {0, 10, 10, 0},
                        {0, 0, 5, 5},
                        0xC0C0C0};
    JwwSolid pen_colour{jww_base(0, 1, 3, 0, 1, 1, 0), {1, 2, 3, 4}, {5, 6, 7, 8}, 0x123456};
    JwwSolid round{jww_base(0, 101, kJwwSolidOwnColour, 0, 1, 1, 0),
                   {5, 3, 0, 2 * 3.14159},
                   {5, 1, 0.5, 100},
                   0x0000FF};
    content.entities = {
        JwwLine{jww_base(7, 2, 3, 25, 4, 5, 0x0800), 1.5, -2.25, 1e6, 3.0e-7},
        JwwArc{jww_base(0, 31, 101, 0, 15, 15, 0), 10, 20, 5, 0.5, -1.25, 0, 1, false},
        JwwArc{jww_base(0, 1, 1, 36, 0, 0, 0x0010), -3, 4, 2, 0, 6.283185307179586, 0, 1, true},
        JwwArc{jww_base(9, 1, 356, 0, 2, 3, 0), 0, 0, 8, 0, 6.283185307179586, 0.3, 0.4, true},
        JwwPoint{jww_base(0, 1, 2, 0, 1, 0, 0x0002), 1, 2, true},
        JwwPoint{jww_base(0, kJwwMarkerPoint, 2, 0, 1, 0, 0), 3, 4, false, 7, 0.25, 2},
        JwwPoint{jww_base(0, 1, 2, 0, 1, 0, 0), 5, 6, false, 9, 9,
                 9},  // marker only with style 100
        JwwText{jww_base(0, 5, 2, 0x2043, 1, 1, 0x4010), 0, 0, 13, 0, 20003, 4, 4, 0.5, 90, font,
                utf8_to_cp932("居間①㎡ (LDK)")},
        JwwText{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 0, 0, 0, 1, 1, 0, -109.44, "", ""},
        JwwText{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0, 1, 1, 1, 0, 0, font,
                std::string(300, 'w')},
        JwwText{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0, 1, 1, 1, 0, 0, font,
                std::string(0x10000, 'x') + utf8_to_cp932("終わり")},
        own_colour,
        pen_colour,
        round,
        JwwInsert{jww_base(0, 1, 1, 0, 3, 3, 0x0002), 55.404, -26.338, 2, -1, 0.5, 7},
        dimension(),
    };
    content.blocks = {
        jww_block(7, utf8_to_cp932("自分を含む@@SfigorgFlag@@4"),
                  {JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 1},
                   JwwInsert{jww_base(0, 1, 1, 0, 0, 0, 0), 1, 1, 0.5, 0.5, 0, 7},
                   jww_block(8, "inner",
                             {JwwArc{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0, 1, 0, 1, false},
                              jww_block(9, "innermost", {}), own_colour})}),
        jww_block(10, "", {}),
    };
    content.images = {{"photo.bmp", std::string("BM\0\x01\xFF", 5) + std::string(200, 'i')},
                      {utf8_to_cp932("空.png"), ""}};
    return content;
}

JwwContent small_content(JwwFileKind kind, std::uint32_t version) {
    JwwContent content;
    content.header.kind = kind;
    content.header.version = version;
    content.header.memo = "m";
    content.entities = {
        JwwLine{jww_base(1, 2, 3, 4, 5, 6, 7), 0, 0, 10, 0},
        JwwArc{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 5, 0, 1, 0, 1, false},
        JwwPoint{jww_base(0, kJwwMarkerPoint, 1, 0, 0, 0, 0), 1, 1, false, 2, 0.5, 1},
        JwwText{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 2, 0, 1, 1, 1, 0, 0, "F", "ab"},
        JwwSolid{jww_base(0, 1, kJwwSolidOwnColour, 0, 0, 0, 0), {0, 1, 1, 0}, {0, 0, 1, 1}, 0xFF},
        JwwInsert{jww_base(0, 1, 1, 0, 0, 0, 0), 2, 2, 1, 1, 0, 1},
        JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 1, 1, 2, 2},
    };
    content.blocks = {
        jww_block(1, "b",
                  {JwwLine{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0}, jww_block(2, "c", {}),
                   JwwArc{jww_base(0, 1, 1, 0, 0, 0, 0), 0, 0, 1, 0, 1, 0, 1, true}})};
    content.images = {{"i", "abc"}};
    return content;
}

}  // namespace zov
