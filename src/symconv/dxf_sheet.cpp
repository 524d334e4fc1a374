// The ENTITIES section of the converter's DXF file: the sheet's frame, title,
// guide lines and names, and one INSERT per symbol, in both layouts.
#include <cstdio>
#include <vector>

#include "common/paths.h"
#include "symconv/block_names.h"
#include "symconv/console.h"
#include "symconv/dxf_sections.h"
#include "symconv/library_list.h"
#include "symconv/texts.h"

namespace zov {

namespace {

// The thumbnail sheet: cells 39 x 54 from the origin 15 on A3.
constexpr double kThumbOrigin = 15;
constexpr double kThumbCellW = 39;
constexpr double kThumbCellH = 54;

void sheet_line(DxfLineWriter& out, const char* layer, int colour, double x1, double y1,
                double x2, double y2) {
    out.write_dxf_line(
        "0\r\nLINE\r\n8\r\n%s\r\n6\r\n%s\r\n62\r\n%3d\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n11\r\n%0.3f"
        "\r\n21\r\n%0.3f",
        layer, "DOT", colour, x1, y1, x2, y2);
}

void sheet_text(DxfLineWriter& out, const char* layer, int colour, double x, double y,
                double height, const std::string& text) {
    out.write_dxf_line("0\r\nTEXT\r\n8\r\n%s\r\n62\r\n%3d", layer, colour);
    out.write_dxf_line("10\r\n%0.3f\r\n20\r\n%0.3f\r\n40\r\n%0.3f\r\n41\r\n%0.3f", x, y, height,
                       1.0);
    out.write_dxf_line("1\r\n%s", dxf_value_text(text).c_str());
}

void write_normal_sheet(const ConverterContext& context, const std::vector<std::string>& paths,
                        DxfLineWriter& out) {
    const SheetLayout& l = context.layout;
    const double m = l.margin, cw = l.cell_w, ch = l.cell_h;
    for (int i = 0; i <= kColumns; ++i)
        sheet_line(out, "Waku", 4, m + i * cw, m, m + i * cw, m + kRows * ch);
    for (int i = 0; i <= kRows; ++i)
        sheet_line(out, "Waku", 4, m, m + i * ch, m + kColumns * cw, m + i * ch);
    sheet_text(out, "Waku", 7, m, 0.0, 0.8 * m, context.library_name);
    for (int i = 0; i < kColumns; ++i) {
        double x = m + i * cw + l.offset_x;
        sheet_line(out, "AddLine", 5, x, m, x, m + kRows * ch);
    }
    for (int i = 0; i < kRows; ++i) {
        double y = m + (kRows - 1 - i) * ch + l.offset_y;
        sheet_line(out, "AddLine", 5, m, y, m + kColumns * cw, y);
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        int col = static_cast<int>(i % kColumns), row = static_cast<int>(i / kColumns);
        sheet_text(out, "Fname", 7, col * cw + m, m + (kRows - row) * ch - 0.11 * ch, 0.1 * ch,
                   symbol_name(paths[i]));
    }
}

void write_thumbnail_sheet(const ConverterContext& context, const std::vector<std::string>& paths,
                           DxfLineWriter& out) {
    const double top = kThumbOrigin + kRows * kThumbCellH;
    const double right = 404.2;
    for (int i = 0; i <= kThumbnailColumns; ++i) {
        double x = kThumbOrigin + kThumbCellW * i;
        sheet_line(out, "Waku", 4, x, kThumbOrigin, x, top);
    }
    for (int i = 0; i <= kRows; ++i) {
        double y = kThumbOrigin + kThumbCellH * i;
        sheet_line(out, "Waku", 4, kThumbOrigin, y, right, y);
    }
    std::string folder = path_text(context.library_folder);
    std::string title = equals_ignore_case(context.library_name, kDefaultLibraryName)
                            ? folder
                            : context.library_name + "( " + folder + " )";
    sheet_text(out, "Waku", 7, 25.0, 286.2, 7.0, title);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        int col = static_cast<int>(i % kThumbnailColumns);
        int row = static_cast<int>(i / kThumbnailColumns);
        sheet_text(out, "Fname", 7, kThumbCellW * col + 25, 233.2 - kThumbCellH * row, 4.0,
                   symbol_name(paths[i]));
    }
}

// Reads the next record of JWK_BRO.TMP; a missing one leaves the symbol
// unscaled at the cell's centre.
ThumbnailRecord next_thumbnail_record(std::FILE* file) {
    ThumbnailRecord record{0, 0, 1};
    if (std::fread(&record, sizeof record, 1, file) != 1) record = {0, 0, 1};
    return record;
}

}  // namespace

void write_blocks_start(DxfLineWriter& out) { out.write_dxf_line("0\r\nSECTION\r\n2\r\nBLOCKS"); }

void write_blocks_end(DxfLineWriter& out) { out.write_dxf_line("0\r\nENDSEC"); }

int write_sheet_entities(const ConverterContext& context, DxfLineWriter& out) {
    out.write_dxf_line("0\r\nSECTION\r\n2\r\nENTITIES");
    std::vector<std::string> paths;
    int result = read_library_list(context, paths);
    if (context.thumbnail_mode) {
        write_thumbnail_sheet(context, paths, out);
    } else {
        write_normal_sheet(context, paths, out);
    }
    return result;
}

int write_inserts(const ConverterContext& context, DxfLineWriter& out) {
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
            out.write_dxf_line(
                "0\r\nINSERT\r\n8\r\n%s\r\n6\r\nBYBLOCK\r\n2\r\n%s\r\n10\r\n%0.3f\r\n20\r\n%0.3f",
                "Zukei", name.c_str(), col * l.cell_w + l.margin + l.offset_x,
                l.margin + (kRows - 1 - row) * l.cell_h + l.offset_y);
        } else {
            int col = static_cast<int>(i % kThumbnailColumns);
            int row = static_cast<int>(i / kThumbnailColumns);
            ThumbnailRecord t = next_thumbnail_record(thumbnails);
            out.write_dxf_line(
                "0\r\nINSERT\r\n8\r\n%s\r\n6\r\nBYBLOCK\r\n2\r\n%s\r\n10\r\n%0.3f\r\n20\r\n%0.3f\r\n"
                "41\r\n%f\r\n42\r\n%f",
                "Zukei", name.c_str(), kThumbCellW * col + 34.5 - t.cx * t.k,
                262.2 - kThumbCellH * row - t.cy * t.k, static_cast<double>(t.k),
                static_cast<double>(t.k));
        }
    }
    if (thumbnails != nullptr) std::fclose(thumbnails);
    return 0;
}

void write_end(DxfLineWriter& out) {
    out.write_dxf_line("0\r\nENDSEC");
    out.write_dxf_line("0\r\nEOF");
}

}  // namespace zov
