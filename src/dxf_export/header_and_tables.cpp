// The HEADER and TABLES sections of the DXF file.
#include <cmath>
#include <cstdio>
#include <string_view>

#include "common/cp932.h"
#include "common/files.h"
#include "dxf/viewport_writer.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"
#include "store/store_reader.h"

namespace zov {

namespace {

// The fixed line-type scale setting: $LTSCALE = setting x scale / 10.
constexpr double kLineTypeScaleSetting = 10.0;
constexpr unsigned long kViewportTableHandle = 400;
constexpr unsigned long kViewportHandle = 401;

// The header with every value the DXF header and viewport take made finite:
// a value that is not a finite number (a damaged drawing) is written as its
// default, since no DXF reader takes "nan" or "inf".
StoreHeader finite_header(const StoreHeader& stored) {
    StoreHeader header = stored;
    for (double* value : {&header.min_x, &header.min_y, &header.max_x, &header.max_y})
        if (!std::isfinite(*value)) *value = 0;
    if (!std::isfinite(header.scale)) header.scale = 1;
    return header;
}

}  // namespace

void write_viewport_table(DxfGroupWriter& out, const StoreHeader& stored) {
    const StoreHeader header = finite_header(stored);
    put_table_head(out, "VPORT", kViewportTableHandle, 2);
    put_record_head(out, "VPORT", kViewportHandle, "AcDbViewportTableRecord");
    write_active_viewport(out, {header.max_x / 2, header.max_y / 2, header.max_x / 0.6, "2.0"});
    put_table_end(out);
}

namespace {

// Copies the template as a text file is read and written: its line ends,
// CR LF or LF, become the output's CR LF.
bool copy_template(DxfGroupWriter& out, const std::string& path) {
    if (!file_exists(path)) return false;  // a folder under the name is no template
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) return false;
    char chunk[4096];
    std::string text;
    bool pending_cr = false;
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        text.clear();
        for (std::size_t i = 0; i < n; ++i) {
            if (pending_cr && chunk[i] != '\n') text += '\r';
            pending_cr = chunk[i] == '\r';
            if (!pending_cr) text += chunk[i];
        }
        out.verbatim(text);
    }
    if (pending_cr) out.verbatim("\r");
    std::fclose(in);
    return true;
}

bool has_used_layer_zero(StoreReader& layers) {
    for (std::int32_t n = 1; n <= layers.layer_count(); ++n) {
        LayerRecord layer;
        if (layers.read_layer(n, layer) != 0) break;
        if (layer.use_count != 0 && fixed_text(layer.name) == kLayerZero) return true;
    }
    return false;
}

// The LAYER table: layer "0", which the fixed blocks stand on (written as
// the drawing has it when it uses one), and every layer in use.
void write_layer_table(DxfGroupWriter& out, DxfHandles& handles, StoreReader& layers) {
    put_table_head(out, "LAYER", handles.next(), 10);
    if (!has_used_layer_zero(layers)) {
        put_record_head(out, "LAYER", handles.next(), "AcDbLayerTableRecord");
        out.text(2, kLayerZero);
        out.integer(70, 64);
        out.integer(62, 7);
        out.text(6, line_type_name(kLineContinuous));
    }
    const std::int32_t count = layers.layer_count();
    for (std::int32_t n = 1; n <= count; ++n) {
        LayerRecord layer;
        if (layers.read_layer(n, layer) != 0 || layer.use_count == 0) continue;
        put_record_head(out, "LAYER", handles.next(), "AcDbLayerTableRecord");
        out.text(2, fixed_text(layer.name));
        out.integer(70, test_bit(layer.flags, kLayerLockedBit) ? 4 : 64);
        const long colour = layer.colour;
        out.integer(62, test_bit(layer.flags, kLayerHiddenBit) ? -colour : colour);
        out.text(6, line_type_name(layer.line_type));
    }
    put_table_end(out);
}

// A point variable of the header: its x and y, and a z of 0.
void put_point_variable(DxfGroupWriter& out, std::string_view name, double x, double y) {
    out.text(9, name);
    out.coordinate(10, x);
    out.coordinate(20, y);
    out.text(30, "0");
}

}  // namespace

void write_header_section(DxfGroupWriter& out, const StoreHeader& stored,
                          unsigned long handle_seed) {
    const StoreHeader header = finite_header(stored);
    put_section_start(out, "HEADER");
    out.texts({{9, "$ACADVER"}, {1, "AC1014"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_932"}});
    put_point_variable(out, "$EXTMIN", header.min_x, header.min_y);
    put_point_variable(out, "$EXTMAX", header.max_x, header.max_y);
    put_point_variable(out, "$LIMMIN", header.min_x, header.min_y);
    put_point_variable(out, "$LIMMAX", header.max_x, header.max_y);
    out.text(9, "$LTSCALE");
    out.coordinate(40, kLineTypeScaleSetting * header.scale / 10);
    out.text(9, "$DIMSCALE");
    out.coordinate(40, header.scale);
    out.texts({{9, "$PDMODE"}, {70, "0"}, {9, "$PDSIZE"}, {40, "40"}, {9, "$HANDSEED"}});
    // The last variables have always been written with their codes in
    // other widths; readers take them as the same codes.
    out.handle({5, 3}, handle_seed);
    out.texts({{{9, 2}, "$CMLSTYLE"}, {{2, 3}, "STANDARD"}, {{9, 2}, "$CMLJUST"}});
    out.integer({70, 3}, 0, 2);
    out.texts({{{9, 2}, "$CMLSCALE"}, {{40, 3}, "1.0"}});
    put_section_end(out);
}

void write_tables_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& layers,
                          const std::string& program_folder, Messages& messages) {
    put_section_start(out, "TABLES");
    write_viewport_table(out, layers.header());
    const std::string template_path = program_folder + kHeaderTemplateFileName;
    if (!copy_template(out, template_path) && write_header_template(program_folder, messages))
        copy_template(out, template_path);
    write_layer_table(out, handles, layers);
    put_section_end(out);
}

}  // namespace zov
