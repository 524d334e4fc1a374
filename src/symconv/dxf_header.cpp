// HEADER and TABLES sections of the converter's DXF file.
#include <initializer_list>

#include "dxf/structure_writer.h"
#include "dxf/viewport_writer.h"
#include "symconv/dxf_entities.h"
#include "symconv/dxf_sections.h"
#include "symconv/texts.h"

namespace zov {

namespace {

// A point variable of the header in whole units, with a z of 0.0 when
// `with_z`.
void put_point_variable(DxfGroupWriter& out, std::string_view name, double x, double y,
                        bool with_z) {
    out.text(9, name);
    out.whole(10, x);
    out.whole(20, y);
    if (with_z) out.text(30, "0.0");
}

void write_header(const ConverterContext& context, DxfGroupWriter& out) {
    const bool thumbnail = context.thumbnail_mode;
    const double max_x = thumbnail ? kThumbnailPaperW : context.survey.ext_max_x;
    const double max_y = thumbnail ? kThumbnailPaperH : context.survey.ext_max_y;
    const double S = thumbnail ? 1.0 : context.survey.scale();
    put_section_start(out, "HEADER");
    // Block names and texts are CP932: said so, a reader does not take them
    // for its own code page (where a trail byte 0x5C is a backslash).
    out.texts({{9, "$DWGCODEPAGE"}, {3, "ANSI_932"}});
    put_point_variable(out, "$EXTMIN", 0.0, 0.0, true);
    put_point_variable(out, "$EXTMAX", max_x, max_y, true);
    put_point_variable(out, "$LIMMIN", 0.0, 0.0, false);
    put_point_variable(out, "$LIMMAX", max_x, max_y, false);
    out.text(9, "$LTSCALE");
    out.coordinate(40, S);
    out.text(9, "$DIMSCALE");
    out.coordinate(40, S);
    if (context.settings.point_form == 0) {
        out.text(9, "$PDMODE");
        out.integer(70, context.settings.point_display_mode);
        out.text(9, "$PDSIZE");
        out.integer(40, context.settings.point_size);
    }
    put_section_end(out);
}

// "0 TABLE 2 name 70 count".
void put_table_head(DxfGroupWriter& out, std::string_view name, long count) {
    out.texts({{0, "TABLE"}, {2, name}});
    out.integer(70, count);
}

void write_vport_table(const ConverterContext& context, DxfGroupWriter& out) {
    const bool thumbnail = context.thumbnail_mode;
    put_table_head(out, "VPORT", 2);
    out.text(0, "VPORT");
    write_active_viewport(
        out, {thumbnail ? 195.0 : context.layout.cell_w * 5,
              thumbnail ? 148.0 : context.layout.cell_h * 2.5,
              thumbnail ? 312.0 : context.layout.cell_w * 8, thumbnail ? "2.1" : "2.0"});
    put_table_end(out);
}

// A dashed line type: its picture, total length and dash and gap lengths
// (group 49) as the file has always held them.
struct DashedLineType {
    const char* name;
    const char* picture;
    const char* total_length;
    std::initializer_list<const char*> elements;
};

void write_ltype_table(DxfGroupWriter& out) {
    static const DashedLineType kDashed[] = {
        {"DOT",
         "--  --  --  --  --  --  --  --  ",
         "10.0",
         {"1.25", "-1.25", "1.25", "-1.25", "1.25", "-1.25", "1.25", "-1.25"}},
        {"DASHED", "----    ----    ----    ----    ", "10.0", {"2.5", "-2.5", "2.5", "-2.5"}},
        {"DASHED2", "------  ------  ------  ------  ", "10.0", {"3.75", "-1.25", "3.75", "-1.25"}},
        {"CENTER", "----- - ----- - ----- - ----- - ", "10.0", {"6.25", "-1.25", "1.25", "-1.25"}},
        {"CENTER2", "----------  --  ----------  --  ", "20.0", {"12.5", "-2.5", "2.5", "-2.5"}},
        {"PHANTOM",
         "--- - - --- - - --- - - --- - - ",
         "10.0",
         {"3.25", "-1.25", "1.25", "-1.25", "1.25", "-1.25"}},
        {"PHANTOM2",
         "--------  -  -  --------  -  -  ",
         "20.0",
         {"10.0", "-2.5", "1.25", "-2.5", "1.25", "-2.5"}},
        // Line type 9 writes HIDDEN, so the table defines it too: every line
        // type the file uses resolves.
        {"HIDDEN", "---  ---  ---  ---  ---  ---  ", "3.75", {"2.5", "-1.25"}},
    };
    put_table_head(out, "LTYPE", 9);
    // BYBLOCK and BYLAYER have always had their numbers in three columns.
    for (const char* name : {"BYBLOCK", "BYLAYER"}) {
        out.texts({{0, "LTYPE"}, {2, name}});
        out.integer(70, 0, 3);
        out.text(3, "");
        out.integer(72, 65, 3);
        out.integer(73, 0, 3);
        out.text(40, "0.0");
    }
    out.texts({{0, "LTYPE"},
               {2, kContinuous},
               {70, "0"},
               {3, kContinuousLineType},
               {72, "65"},
               {73, "0"},
               {40, "0.0"}});
    for (const DashedLineType& type : kDashed) {
        out.texts({{0, "LTYPE"}, {2, type.name}, {70, "0"}, {3, type.picture}, {72, "65"}});
        out.integer(73, static_cast<long>(type.elements.size()));
        out.text(40, type.total_length);
        for (const char* element : type.elements) out.text(49, element);
    }
    put_table_end(out);
}

void write_style_table(DxfGroupWriter& out) {
    put_table_head(out, "STYLE", 1);
    for (const auto& [name, flags] : {std::pair{"STANDARD", "0"}, {kVerticalTextStyle, "4"}}) {
        out.text(0, "STYLE");
        put_text_style_body(out, name, flags, "txt.shx", "extfont.shx");
    }
    put_table_end(out);
}

// The layers, all on and in colour 7 but the guide lines' layer, which is
// off. Their flag and line-type codes have always been written in these
// widths; readers take them as the same codes, and users' files hold them.
void write_layer_table(const ConverterContext& context, DxfGroupWriter& out) {
    struct SheetLayer {
        const char* name;
        int flags_code_width;
        int colour;
    };
    const SheetLayer layers[] = {{kLayerZero, 8, 7},
                                 {kFrameLayer, 5, 7},
                                 {kNameLayer, 4, 7},
                                 {kSymbolLayer, 4, 7},
                                 {kGuideLayer, 0, -7}};
    put_table_head(out, "LAYER", 10);
    for (const SheetLayer& layer : layers) {
        if (context.thumbnail_mode && std::string_view(layer.name) == kGuideLayer) continue;
        out.texts({{0, "LAYER"}, {2, layer.name}, {{70, layer.flags_code_width}, "64"}});
        out.colour(62, layer.colour);
        out.text({6, 3}, kContinuous);
    }
    put_table_end(out);
    put_section_end(out);
}

}  // namespace

void write_header_and_tables(const ConverterContext& context, DxfGroupWriter& out) {
    write_header(context, out);
    put_section_start(out, "TABLES");
    write_vport_table(context, out);
    write_ltype_table(out);
    write_style_table(out);
    write_layer_table(context, out);
}

}  // namespace zov
