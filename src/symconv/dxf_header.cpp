// HEADER and TABLES sections of the converter's DXF file.
#include "symconv/dxf_sections.h"
#include "symconv/texts.h"

namespace zov {

namespace {

void write_header(const ConverterContext& context, DxfLineWriter& out) {
    const bool thumbnail = context.thumbnail_mode;
    const double max_x = thumbnail ? kThumbnailPaperW : context.survey.ext_max_x;
    const double max_y = thumbnail ? kThumbnailPaperH : context.survey.ext_max_y;
    const double S = thumbnail ? 1.0 : context.survey.scale();
    out.write_dxf_line("0\r\nSECTION\r\n2\r\nHEADER");
    out.write_dxf_line("9\r\n$EXTMIN\r\n10\r\n%0.0f\r\n20\r\n%0.0f\r\n30\r\n0.0", 0.0, 0.0);
    out.write_dxf_line("9\r\n$EXTMAX\r\n10\r\n%0.0f\r\n20\r\n%0.0f\r\n30\r\n0.0", max_x, max_y);
    out.write_dxf_line("9\r\n$LIMMIN\r\n10\r\n%0.0f\r\n20\r\n%0.0f", 0.0, 0.0);
    out.write_dxf_line("9\r\n$LIMMAX\r\n10\r\n%0.0f\r\n20\r\n%0.0f", max_x, max_y);
    out.write_dxf_line("9\r\n$LTSCALE\r\n40\r\n%0.3f", S);
    out.write_dxf_line("9\r\n$DIMSCALE\r\n40\r\n%0.3f", S);
    if (context.settings.point_form == 0) {
        out.write_dxf_line("9\r\n$PDMODE\r\n70\r\n%d", context.settings.point_display_mode);
        out.write_dxf_line("9\r\n$PDSIZE\r\n40\r\n%d", context.settings.point_size);
    }
    out.write_dxf_line("0\r\nENDSEC");
}

void write_vport_table(const ConverterContext& context, DxfLineWriter& out) {
    const bool thumbnail = context.thumbnail_mode;
    const double centre_x = thumbnail ? 195.0 : context.layout.cell_w * 5;
    const double centre_y = thumbnail ? 148.0 : context.layout.cell_h * 2.5;
    const double height = thumbnail ? 312.0 : context.layout.cell_w * 8;
    out.write_dxf_line("0\r\nTABLE\r\n2\r\nVPORT\r\n70\r\n2");
    out.write_dxf_line("0\r\nVPORT\r\n2\r\n*ACTIVE\r\n70\r\n0\r\n10\r\n0.0\r\n20\r\n0.0");
    out.write_dxf_line(
        "11\r\n1.0\r\n21\r\n1.0\r\n12\r\n%f\r\n22\r\n%f\r\n13\r\n0.0\r\n23\r\n0.0\r\n14\r\n1.0\r\n"
        "24\r\n1.0\r\n15\r\n0.0\r\n25\r\n0.0\r\n16\r\n0.0\r\n26\r\n0.0\r\n36\r\n1.0",
        centre_x, centre_y);
    out.write_dxf_line(
        "17\r\n0.0\r\n27\r\n0.0\r\n37\r\n0.0\r\n40\r\n%f\r\n41\r\n%s\r\n42\r\n50.0\r\n43\r\n0.0\r\n"
        "44\r\n0.0\r\n50\r\n0.0\r\n51\r\n0.0\r\n71\r\n0",
        height, thumbnail ? "2.1" : "2.0");
    out.write_dxf_line(
        "72\r\n100\r\n73\r\n1\r\n74\r\n1\r\n75\r\n0\r\n76\r\n0\r\n77\r\n0\r\n78\r\n0");
    out.write_dxf_line("0\r\nENDTAB");
}

void write_ltype_table(DxfLineWriter& out) {
    out.write_dxf_line("0\r\nTABLE\r\n2\r\nLTYPE\r\n70\r\n9");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nBYBLOCK\r\n70\r\n  0\r\n3\r\n\r\n72\r\n 65\r\n73\r\n  0\r\n40\r\n0.0");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nBYLAYER\r\n70\r\n  0\r\n3\r\n\r\n72\r\n 65\r\n73\r\n  0\r\n40\r\n0.0");
    out.write_dxf_line("%s", kContinuousLineType);
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nDOT\r\n70\r\n0\r\n3\r\n--  --  --  --  --  --  --  --  \r\n72\r\n65\r\n"
        "73\r\n8\r\n40\r\n10.0\r\n49\r\n1.25\r\n49\r\n-1.25\r\n49\r\n1.25\r\n49\r\n-1.25\r\n49\r\n"
        "1.25\r\n49\r\n-1.25\r\n49\r\n1.25\r\n49\r\n-1.25");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nDASHED\r\n70\r\n0\r\n3\r\n----    ----    ----    ----    \r\n72\r\n65"
        "\r\n73\r\n4\r\n40\r\n10.0\r\n49\r\n2.5\r\n49\r\n-2.5\r\n49\r\n2.5\r\n49\r\n-2.5");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nDASHED2\r\n70\r\n0\r\n3\r\n------  ------  ------  ------  \r\n72\r\n"
        "65\r\n73\r\n4\r\n40\r\n10.0\r\n49\r\n3.75\r\n49\r\n-1.25\r\n49\r\n3.75\r\n49\r\n-1.25");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nCENTER\r\n70\r\n0\r\n3\r\n----- - ----- - ----- - ----- - \r\n72\r\n"
        "65\r\n73\r\n4\r\n40\r\n10.0\r\n49\r\n6.25\r\n49\r\n-1.25\r\n49\r\n1.25\r\n49\r\n-1.25");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nCENTER2\r\n70\r\n0\r\n3\r\n----------  --  ----------  --  \r\n72\r\n"
        "65\r\n73\r\n4\r\n40\r\n20.0\r\n49\r\n12.5\r\n49\r\n-2.5\r\n49\r\n2.5\r\n49\r\n-2.5");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nPHANTOM\r\n70\r\n0\r\n3\r\n--- - - --- - - --- - - --- - - \r\n72\r\n"
        "65\r\n73\r\n6\r\n40\r\n10.0\r\n49\r\n3.25\r\n49\r\n-1.25\r\n49\r\n1.25\r\n49\r\n-1.25\r\n"
        "49\r\n1.25\r\n49\r\n-1.25");
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nPHANTOM2\r\n70\r\n0\r\n3\r\n--------  -  -  --------  -  -  \r\n72\r\n"
        "65\r\n73\r\n6\r\n40\r\n20.0\r\n49\r\n10.0\r\n49\r\n-2.5\r\n49\r\n1.25\r\n49\r\n-2.5\r\n49"
        "\r\n1.25\r\n49\r\n-2.5");
    // Line type 9 writes HIDDEN, so the table defines it too: every line type
    // the file uses resolves.
    out.write_dxf_line(
        "0\r\nLTYPE\r\n2\r\nHIDDEN\r\n70\r\n0\r\n3\r\n---  ---  ---  ---  ---  ---  \r\n72\r\n"
        "65\r\n73\r\n2\r\n40\r\n3.75\r\n49\r\n2.5\r\n49\r\n-1.25");
    out.write_dxf_line("0\r\nENDTAB");
}

void write_style_table(DxfLineWriter& out) {
    out.write_dxf_line("0\r\nTABLE\r\n2\r\nSTYLE\r\n70\r\n1");
    out.write_dxf_line(
        "0\r\nSTYLE\r\n2\r\nSTANDARD\r\n70\r\n0\r\n40\r\n0.0\r\n41\r\n1.0\r\n50\r\n0.0\r\n71\r\n0"
        "\r\n42\r\n0.0\r\n3\r\ntxt.shx\r\n4\r\nextfont.shx");
    out.write_dxf_line(
        "0\r\nSTYLE\r\n2\r\nTATEGAKI\r\n70\r\n4\r\n40\r\n0.0\r\n41\r\n1.0\r\n50\r\n0.0\r\n71\r\n0"
        "\r\n42\r\n0.0\r\n3\r\ntxt.shx\r\n4\r\nextfont.shx");
    out.write_dxf_line("0\r\nENDTAB");
}

void write_layer_table(const ConverterContext& context, DxfLineWriter& out) {
    out.write_dxf_line("0\r\nTABLE\r\n2\r\nLAYER\r\n70\r\n10");
    out.write_dxf_line("0\r\nLAYER\r\n2\r\n0\r\n      70\r\n64\r\n62\r\n  7\r\n  6\r\nCONTINUOUS");
    out.write_dxf_line("0\r\nLAYER\r\n2\r\nWaku\r\n   70\r\n64\r\n62\r\n  7\r\n  6\r\nCONTINUOUS");
    out.write_dxf_line("0\r\nLAYER\r\n2\r\nFname\r\n  70\r\n64\r\n62\r\n  7\r\n  6\r\nCONTINUOUS");
    out.write_dxf_line("0\r\nLAYER\r\n2\r\nZukei\r\n  70\r\n64\r\n62\r\n  7\r\n  6\r\nCONTINUOUS");
    if (!context.thumbnail_mode) {
        out.write_dxf_line(
            "0\r\nLAYER\r\n2\r\nAddLine\r\n70\r\n64\r\n62\r\n -7\r\n  6\r\nCONTINUOUS");
    }
    out.write_dxf_line("0\r\nENDTAB");
    out.write_dxf_line("0\r\nENDSEC");
}

}  // namespace

void write_header_and_tables(const ConverterContext& context, DxfLineWriter& out) {
    write_header(context, out);
    out.write_dxf_line("0\r\nSECTION\r\n2\r\nTABLES");
    write_vport_table(context, out);
    write_ltype_table(out);
    write_style_table(out);
    write_layer_table(context, out);
}

}  // namespace zov
