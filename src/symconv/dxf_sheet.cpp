// The ENTITIES section of the converter's DXF file: the sheet's frame, title,
// guide lines and names, and one INSERT per symbol, in both layouts.
#include <cstdio>
#include <vector>

#include "common/paths.h"
#include "dxf/structure_writer.h"
#include "symconv/block_names.h"
#include "symconv/console.h"
#include "symconv/dxf_entities.h"
#include "symconv/dxf_sections.h"
#include "symconv/library_list.h"
#include "symconv/texts.h"

namespace zov {

namespace {

// The thumbnail sheet: cells 39 x 54 from the origin 15 on A3.
constexpr double kThumbOrigin = 15;
constexpr double kThumbCellW = 39;
constexpr double kThumbCellH = 54;

// The sheet's lines are dotted.
void sheet_line(DxfGroupWriter& out, const char* layer, int colour, double x1, double y1, double x2,
                double y2) {
    put_line(out, layer, {line_type_name(kLineDot), colour}, x1, y1, x2, y2);
}

void sheet_text(DxfGroupWriter& out, const char* layer, int colour, double x, double y,
                double height, const std::string& text) {
    out.texts({{0, "TEXT"}, {8, layer}});
    out.colour(62, colour);
    put_xy(out, 10, x, y);
    out.coordinate(40, height);
    out.coordinate(41, 1.0);
    out.text(1, dxf_value_text(text));
}

void write_normal_sheet(const ConverterContext& context, const std::vector<std::string>& paths,
                        DxfGroupWriter& out) {
    const SheetLayout& l = context.layout;
    const double m = l.margin, cw = l.cell_w, ch = l.cell_h;
    for (int i = 0; i <= kColumns; ++i)
        sheet_line(out, kFrameLayer, 4, m + i * cw, m, m + i * cw, m + kRows * ch);
    for (int i = 0; i <= kRows; ++i)
        sheet_line(out, kFrameLayer, 4, m, m + i * ch, m + kColumns * cw, m + i * ch);
    sheet_text(out, kFrameLayer, 7, m, 0.0, 0.8 * m, context.library_name);
    for (int i = 0; i < kColumns; ++i) {
        double x = m + i * cw + l.offset_x;
        sheet_line(out, kGuideLayer, 5, x, m, x, m + kRows * ch);
    }
    for (int i = 0; i < kRows; ++i) {
        double y = m + (kRows - 1 - i) * ch + l.offset_y;
        sheet_line(out, kGuideLayer, 5, m, y, m + kColumns * cw, y);
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        int col = static_cast<int>(i % kColumns), row = static_cast<int>(i / kColumns);
        sheet_text(out, kNameLayer, 7, col * cw + m, m + (kRows - row) * ch - 0.11 * ch, 0.1 * ch,
                   symbol_name(paths[i]));
    }
}

void write_thumbnail_sheet(const ConverterContext& context, const std::vector<std::string>& paths,
                           DxfGroupWriter& out) {
    const double top = kThumbOrigin + kRows * kThumbCellH;
    const double right = 404.2;
    for (int i = 0; i <= kThumbnailColumns; ++i) {
        double x = kThumbOrigin + kThumbCellW * i;
        sheet_line(out, kFrameLayer, 4, x, kThumbOrigin, x, top);
    }
    for (int i = 0; i <= kRows; ++i) {
        double y = kThumbOrigin + kThumbCellH * i;
        sheet_line(out, kFrameLayer, 4, kThumbOrigin, y, right, y);
    }
    std::string folder = path_text(context.library_folder);
    std::string title = equals_ignore_case(context.library_name, kDefaultLibraryName)
                            ? folder
                            : context.library_name + "( " + folder + " )";
    sheet_text(out, kFrameLayer, 7, 25.0, 286.2, 7.0, title);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        int col = static_cast<int>(i % kThumbnailColumns);
        int row = static_cast<int>(i / kThumbnailColumns);
        sheet_text(out, kNameLayer, 7, kThumbCellW * col + 25, 233.2 - kThumbCellH * row, 4.0,
                   symbol_name(paths[i]));
    }
}

// A symbol's block inserted at (x, y).
void put_insert(DxfGroupWriter& out, const std::string& name, double x, double y) {
    out.texts({{0, "INSERT"}, {8, kSymbolLayer}, {6, "BYBLOCK"}, {2, name}});
    put_xy(out, 10, x, y);
}

// Reads the next record of JWK_BRO.TMP; a missing one leaves the symbol
// unscaled at the cell's centre.
ThumbnailRecord next_thumbnail_record(std::FILE* file) {
    ThumbnailRecord record{0, 0, 1};
    if (std::fread(&record, sizeof record, 1, file) != 1) record = {0, 0, 1};
    return record;
}

}  // namespace

void write_blocks_start(DxfGroupWriter& out) { put_section_start(out, "BLOCKS"); }

void write_blocks_end(DxfGroupWriter& out) { put_section_end(out); }

int write_sheet_entities(const ConverterContext& context, DxfGroupWriter& out) {
    put_section_start(out, "ENTITIES");
    std::vector<std::string> paths;
    int result = read_library_list(context, paths);
    if (context.thumbnail_mode) {
        write_thumbnail_sheet(context, paths, out);
    } else {
        write_normal_sheet(context, paths, out);
    }
    return result;
}

int write_inserts(const ConverterContext& context, DxfGroupWriter& out) {
    std::vector<std::string> paths;
    if (read_library_list(context, paths) != 0) return -1;
    std::FILE* thumbnails = nullptr;
    if (context.thumbnail_mode) {
        thumbnails = std::fopen(context.thumbnail_path().c_str(), "rb");
        if (thumbnails == nullptr) {
            report_error(context.messages, kCannotOpenBro);
            return -1;
        }
    }
    const SheetLayout& l = context.layout;
    const std::vector<std::string> names = symbol_block_names(context, paths);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& name = names[i];
        if (thumbnails == nullptr) {
            int col = static_cast<int>(i % kColumns), row = static_cast<int>(i / kColumns);
            put_insert(out, name, col * l.cell_w + l.margin + l.offset_x,
                       l.margin + (kRows - 1 - row) * l.cell_h + l.offset_y);
        } else {
            int col = static_cast<int>(i % kThumbnailColumns);
            int row = static_cast<int>(i / kThumbnailColumns);
            ThumbnailRecord t = next_thumbnail_record(thumbnails);
            put_insert(out, name, kThumbCellW * col + 34.5 - t.cx * t.k,
                       262.2 - kThumbCellH * row - t.cy * t.k);
            out.real(41, t.k);
            out.real(42, t.k);
        }
    }
    if (thumbnails != nullptr) std::fclose(thumbnails);
    return 0;
}

void write_end(DxfGroupWriter& out) {
    put_section_end(out);
    out.text(0, "EOF");
}

}  // namespace zov
