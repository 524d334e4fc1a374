// VV_HED.DAT: the editable part of the DXF writer's TABLES section (line
// types, text styles, the empty VIEW and UCS tables, APPID, DIMSTYLE and
// BLOCK_RECORD). The writer creates it once; a user may then edit it, and the
// writer copies whatever it holds.
#include <iterator>

#include "common/encoding.h"
#include "common/files.h"
#include "common/utf8_messages.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"
#include "common/text_file_writer.h"
#include "dxf_export/text_fonts.h"

namespace zov {

namespace {

// The template's own handles start here, so they are the same in every file.
constexpr unsigned long kFirstTemplateHandle = 500;

constexpr char kLineTypeRecordMarks[] = "100\nAcDbSymbolTableRecord\n100\nAcDbLinetypeTableRecord\n";
constexpr char kElementEnd[] = "74\n0\n";

struct DashedLineType {
    const char* name;
    const char* picture;   // group 3
    double total_length;   // group 40
    int element_count;     // group 73
    double elements[6];    // group 49: dashes positive, gaps negative
};

constexpr DashedLineType kDashedLineTypes[] = {
    {"DOT", "--  --  --  --  --  --  --  --     ", 5.0, 2, {1.0, -4.0}},
    {"DASHED", "----    ----    ----    ----    ", 5.0, 2, {2.0, -3.0}},
    {"DASHED2", "------  ------  ------  ------ ", 10.0, 2, {4.0, -6.0}},
    {"CENTER", "----- - ----- - ----- - ----- - ", 9.0, 4, {6.0, -1.0, 1.0, -1.0}},
    {"CENTER2", "----------  --  ----------  -- ", 18.0, 4, {12.0, -2.0, 2.0, -2.0}},
    {"PHANTOM", "--- - - --- - - --- - - --- - -", 10.0, 6, {5.0, -1.0, 1.0, -1.0, 1.0, -1.0}},
    {"PHANTOM2", "--------  -  -  --------  -  -", 16.0, 6, {6.0, -2.0, 2.0, -2.0, 2.0, -2.0}},
    {"HIDDEN", "-   -   -   -   -   -   -   -   ", 2.5, 2, {0.5, -2.0}},
};

void write_line_types(TextFileWriter& out, unsigned long& handle) {
    out.put("0\nTABLE\n2\nLTYPE\n5\n%lx\n100\nAcDbSymbolTable\n70\n9\n", handle++);
    const std::string solid_line = utf8_to_cp932("実線");
    out.put("0\nLTYPE\n5\n%lx\n%s2\nCONTINUOUS\n70\n0\n3\n%s\n72\n65\n73\n0\n40\n0.0\n", handle++,
            kLineTypeRecordMarks, solid_line.c_str());
    for (const DashedLineType& type : kDashedLineTypes) {
        out.put("0\nLTYPE\n5\n%lx\n%s2\n%s\n70\n0\n3\n%s\n72\n65\n73\n%d\n40\n%0.3f\n", handle++,
                kLineTypeRecordMarks, type.name, type.picture, type.element_count,
                type.total_length);
        for (int i = 0; i < type.element_count; ++i)
            out.put("49\n%0.3f\n%s", type.elements[i], kElementEnd);
    }
    out.put("0\nENDTAB\n");
}

void write_text_styles(TextFileWriter& out, unsigned long& handle) {
    constexpr char kStyleHead[] =
        "0\nSTYLE\n5\n%lx\n100\nAcDbSymbolTableRecord\n100\nAcDbTextStyleTableRecord\n";
    constexpr char kStyleBody[] = "40\n0.0\n41\n1.0\n50\n0.0\n71\n0\n42\n0.0\n";
    const char* font = mt_font_name(kTextFontChoice);
    out.put("0\nTABLE\n2\nSTYLE\n5\n%lx\n100\nAcDbSymbolTable\n70\n1\n", handle++);
    out.put(kStyleHead, handle++);
    out.put("2\nSTANDARD\n70\n0\n%s3\ntxt.shx\n4\n%s\n", kStyleBody, "extfont.shx");
    out.put(kStyleHead, handle++);
    out.put("2\nTATEGAKI\n70\n4\n%s3\ntxt.shx\n4\n%s\n", kStyleBody, "extfont.shx");
    out.put(kStyleHead, handle++);
    out.put("2\nMT\n70\n0\n%s3\n%s\n4\n\n", kStyleBody, font);
    out.put(kStyleHead, handle++);
    out.put("2\nTMT\n70\n4\n%s3\n@%s\n4\n\n", kStyleBody, font);
}

void write_other_tables(TextFileWriter& out, unsigned long& handle,
                        const std::vector<NamedHandle>& block_records) {
    out.put("0\nENDTAB\n0\nTABLE\n2\nVIEW\n5\n%lx\n100\nAcDbSymbolTable\n70\n0\n", handle++);
    out.put("0\nENDTAB\n0\nTABLE\n2\nUCS\n5\n%lx\n100\nAcDbSymbolTable\n70\n0\n", handle++);
    out.put("0\nENDTAB\n0\nTABLE\n2\nAPPID\n5\n%lx\n100\nAcDbSymbolTable\n70\n1\n", handle++);
    out.put("0\nAPPID\n5\n%lx\n100\nAcDbSymbolTableRecord\n100\nAcDbRegAppTableRecord\n"
            "2\nACAD\n70\n0\n0\nENDTAB\n",
            handle++);
    out.put("0\nTABLE\n2\nDIMSTYLE\n5\n%lx\n100\nAcDbSymbolTable\n70\n1\n", handle++);
    out.put("0\nDIMSTYLE\n105\n%lx\n100\nAcDbSymbolTableRecord\n100\nAcDbDimStyleTableRecord\n"
            "2\nSTANDARD\n70\n0\n0\nENDTAB\n",
            handle++);
    out.put("0\nTABLE\n2\nBLOCK_RECORD\n5\n%lx\n100\nAcDbSymbolTable\n70\n0\n", handle++);
    for (const char* name : {"*MODEL_SPACE", "*PAPER_SPACE", "REVDATE"}) {
        out.put("0\nBLOCK_RECORD\n5\n%lx\n100\nAcDbSymbolTableRecord\n100\nAcDbBlockTableRecord\n"
                "2\n%s\n",
                handle++, name);
    }
    for (const NamedHandle& record : block_records) {
        out.put("0\nBLOCK_RECORD\n5\n%lx\n100\nAcDbSymbolTableRecord\n100\nAcDbBlockTableRecord\n"
                "2\n%s\n",
                record.handle, record.name.c_str());
    }
    out.put("0\nENDTAB\n");
}

}  // namespace

void write_template_tables(TextFileWriter& out, const std::vector<NamedHandle>& block_records) {
    unsigned long handle = kFirstTemplateHandle;
    write_line_types(out, handle);
    write_text_styles(out, handle);
    write_other_tables(out, handle, block_records);
}

bool write_header_template(const std::string& program_folder, Messages& messages) {
    const std::string path = program_folder + kHeaderTemplateFileName;
    if (file_exists(path)) return true;
    TextFileWriter out;
    if (out.open(path)) {
        write_template_tables(out, {});
        if (out.close()) return true;  // a half-written template never takes the name
    }
    show_error_utf8(messages, "ヘッダーファイル(%s)書込みエラー", path.c_str());
    return false;
}

}  // namespace zov
