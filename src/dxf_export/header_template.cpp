// VV_HED.DAT: the editable part of the DXF writer's TABLES section (line
// types, text styles, the empty VIEW and UCS tables, APPID, DIMSTYLE and
// BLOCK_RECORD). The writer creates it once; a user may then edit it, and the
// writer copies whatever it holds.
#include <algorithm>
#include <string>
#include <string_view>

#include "common/files.h"
#include "common/japanese_texts.h"
#include "common/paths.h"
#include "common/utf8_messages.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"
#include "dxf_export/dxf_text_file.h"
#include "dxf_export/text_fonts.h"

namespace zov {

namespace {

// The template's own handles start here, so they are the same in every file.
constexpr unsigned long kFirstTemplateHandle = 500;

constexpr char kLineTypeRecord[] = "AcDbLinetypeTableRecord";
constexpr char kTextStyleRecord[] = "AcDbTextStyleTableRecord";
constexpr char kBlockRecord[] = "BLOCK_RECORD";
constexpr char kPlainFont[] = "txt.shx";
constexpr char kBigFont[] = "extfont.shx";
constexpr char kStandard[] = "STANDARD";

struct DashedLineType {
    const char* name;
    const char* picture;  // group 3
    double total_length;  // group 40
    int element_count;    // group 73
    double elements[6];   // group 49: dashes positive, gaps negative
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

void put_line_type_head(DxfGroupWriter& out, unsigned long& handle, std::string_view name,
                        std::string_view picture) {
    put_record_head(out, "LTYPE", handle++, kLineTypeRecord);
    out.texts({{2, name}, {70, "0"}, {3, picture}, {72, "65"}});
}

void put_line_type_pattern(DxfGroupWriter& out, const SourceLineTypeRecord& pattern) {
    out.integer(73, pattern.elements);
    out.real(40, pattern.total_length);
    for (int i = 0; i < pattern.elements; ++i) {
        out.real(49, pattern.lengths[i]);
        out.text(74, "0");
    }
}

// The source's line type that takes the place of the fixed one `name`.
const NamedLineType* replacing(const std::vector<NamedLineType>& line_types,
                               std::string_view name) {
    for (const NamedLineType& type : line_types)
        if (type.handle == 0 && equals_ignore_case(type.name, name)) return &type;
    return nullptr;
}

// The nine fixed line types, each with the source's pattern where the
// source has one of that name, then the source's other line types.
void write_line_types(DxfGroupWriter& out, unsigned long& handle,
                      const std::vector<NamedLineType>& line_types) {
    const auto added = std::count_if(line_types.begin(), line_types.end(),
                                     [](const NamedLineType& type) { return type.handle != 0; });
    put_table_head(out, "LTYPE", handle++, 9 + static_cast<long>(added));
    put_line_type_head(out, handle, line_type_name(kLineContinuous),
                       cp932_text(JaText::ContinuousLineType));
    out.texts({{73, "0"}, {40, "0.0"}});
    for (const DashedLineType& type : kDashedLineTypes) {
        if (const NamedLineType* source = replacing(line_types, type.name)) {
            put_line_type_head(out, handle, source->name, source->pattern.description);
            put_line_type_pattern(out, source->pattern);
            continue;
        }
        put_line_type_head(out, handle, type.name, type.picture);
        out.integer(73, type.element_count);
        out.coordinate(40, type.total_length);
        for (int i = 0; i < type.element_count; ++i) {
            out.coordinate(49, type.elements[i]);
            out.text(74, "0");
        }
    }
    for (const NamedLineType& type : line_types) {
        if (type.handle == 0) continue;
        unsigned long own = type.handle;
        put_line_type_head(out, own, type.name, type.pattern.description);
        put_line_type_pattern(out, type.pattern);
    }
    put_table_end(out);
}

// A text style with no fixed height, upright, its fonts named.
void put_text_style(DxfGroupWriter& out, unsigned long& handle, std::string_view name,
                    std::string_view flags, std::string_view font, std::string_view big_font) {
    put_record_head(out, "STYLE", handle++, kTextStyleRecord);
    put_text_style_body(out, name, flags, font, big_font);
}

void write_text_styles(DxfGroupWriter& out, unsigned long& handle) {
    const std::string font = mt_font_name(kTextFontChoice);
    put_table_head(out, "STYLE", handle++, 1);
    put_text_style(out, handle, kStandard, "0", kPlainFont, kBigFont);
    put_text_style(out, handle, "TATEGAKI", "4", kPlainFont, kBigFont);
    put_text_style(out, handle, "MT", "0", font, "");
    put_text_style(out, handle, "TMT", "4", "@" + font, "");
}

void put_block_record(DxfGroupWriter& out, unsigned long handle, std::string_view name) {
    put_record_head(out, kBlockRecord, handle, "AcDbBlockTableRecord");
    out.text(2, name);
}

// The STYLE table's end comes first; the tables after it are empty but for
// the ACAD application, the standard dimension style and the block records.
void write_other_tables(DxfGroupWriter& out, unsigned long& handle,
                        const std::vector<NamedHandle>& block_records) {
    put_table_end(out);
    put_table_head(out, "VIEW", handle++, 0);
    put_table_end(out);
    put_table_head(out, "UCS", handle++, 0);
    put_table_end(out);
    put_table_head(out, "APPID", handle++, 1);
    put_record_head(out, "APPID", handle++, "AcDbRegAppTableRecord");
    out.texts({{2, "ACAD"}, {70, "0"}});
    put_table_end(out);
    put_table_head(out, "DIMSTYLE", handle++, 1);
    put_record_head(out, "DIMSTYLE", handle++, "AcDbDimStyleTableRecord", 105);
    out.texts({{2, kStandard}, {70, "0"}});
    put_table_end(out);
    put_table_head(out, kBlockRecord, handle++, 0);
    for (const char* name : {kModelSpaceBlock, kPaperSpaceBlock, kRevisionDateBlock})
        put_block_record(out, handle++, name);
    for (const NamedHandle& record : block_records)
        put_block_record(out, record.handle, record.name);
    put_table_end(out);
}

}  // namespace

void write_template_tables(DxfGroupWriter& out, const std::vector<NamedHandle>& block_records,
                           const std::vector<NamedLineType>& line_types) {
    unsigned long handle = kFirstTemplateHandle;
    write_line_types(out, handle, line_types);
    write_text_styles(out, handle);
    write_other_tables(out, handle, block_records);
}

bool write_header_template(const std::string& program_folder, Messages& messages) {
    const std::string path = program_folder + kHeaderTemplateFileName;
    if (file_exists(path)) return true;
    DxfTextFile out;
    if (out.open(path)) {
        write_template_tables(out.groups(), {});
        if (out.close()) return true;  // a half-written template never takes the name
    }
    show_error_utf8(messages, "ヘッダーファイル(%s)書込みエラー", path.c_str());
    return false;
}

}  // namespace zov
