// The HEADER and TABLES sections of the DXF file.
#include <cmath>
#include <cstdio>

#include "common/cp932.h"
#include "common/files.h"
#include "common/text_file_writer.h"
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

void write_viewport_table(TextFileWriter& out, const StoreHeader& stored) {
    const StoreHeader header = finite_header(stored);
    out.put("0\nTABLE\n2\nVPORT\n5\n%lx\n100\nAcDbSymbolTable\n70\n2\n", kViewportTableHandle);
    out.put("0\nVPORT\n5\n%lx\n100\nAcDbSymbolTableRecord\n100\nAcDbViewportTableRecord\n"
            "2\n*ACTIVE\n70\n0\n10\n0.0\n20\n0.0\n",
            kViewportHandle);
    out.put("11\n1.0\n21\n1.0\n12\n%f\n22\n%f\n13\n0.0\n23\n0.0\n14\n1.0\n24\n1.0\n15\n0.0\n"
            "25\n0.0\n16\n0.0\n26\n0.0\n36\n1.0\n",
            header.max_x / 2, header.max_y / 2);
    out.put("17\n0.0\n27\n0.0\n37\n0.0\n40\n%f\n41\n2.0\n42\n50.0\n43\n0.0\n44\n0.0\n50\n0.0\n"
            "51\n0.0\n71\n0\n",
            header.max_x / 0.6);
    out.put("72\n100\n73\n1\n74\n1\n75\n0\n76\n0\n77\n0\n78\n0\n");
    out.put("0\nENDTAB\n");
}

namespace {

// Copies the template as a text file is read and written: its line ends,
// CR LF or LF, become the output's CR LF.
bool copy_template(TextFileWriter& out, const std::string& path) {
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
        out.put_text(text);
    }
    if (pending_cr) out.put_text("\r");
    std::fclose(in);
    return true;
}

void write_layer_table(TextFileWriter& out, DxfHandles& handles, StoreReader& layers) {
    out.put("0\nTABLE\n2\nLAYER\n5\n%lx\n100\nAcDbSymbolTable\n70\n10\n", handles.next());
    const std::int32_t count = layers.layer_count();
    for (std::int32_t n = 1; n <= count; ++n) {
        LayerRecord layer;
        if (layers.read_layer(n, layer) != 0 || layer.use_count == 0) continue;
        const std::string name(fixed_text(layer.name));
        out.put("0\nLAYER\n5\n%lx\n100\nAcDbSymbolTableRecord\n100\nAcDbLayerTableRecord\n"
                "2\n%s\n70\n%d\n62\n%s%d\n6\n%s\n",
                handles.next(), name.c_str(), test_bit(layer.flags, kLayerLockedBit) ? 4 : 64,
                test_bit(layer.flags, kLayerHiddenBit) ? "-" : "", layer.colour,
                line_type_name(layer.line_type));
    }
    out.put("0\nENDTAB\n");
}

}  // namespace

void write_header_section(TextFileWriter& out, const StoreHeader& stored,
                          unsigned long handle_seed) {
    const StoreHeader header = finite_header(stored);
    out.put("0\nSECTION\n2\nHEADER\n");
    out.put("9\n$ACADVER\n1\nAC1014\n");
    out.put("9\n$DWGCODEPAGE\n3\nANSI_932\n");
    out.put("9\n$EXTMIN\n10\n%0.3f\n20\n%0.3f\n30\n0\n", header.min_x, header.min_y);
    out.put("9\n$EXTMAX\n10\n%0.3f\n20\n%0.3f\n30\n0\n", header.max_x, header.max_y);
    out.put("9\n$LIMMIN\n10\n%0.3f\n20\n%0.3f\n30\n0\n", header.min_x, header.min_y);
    out.put("9\n$LIMMAX\n10\n%0.3f\n20\n%0.3f\n30\n0\n", header.max_x, header.max_y);
    out.put("9\n$LTSCALE\n40\n%0.3f\n", kLineTypeScaleSetting * header.scale / 10);
    out.put("9\n$DIMSCALE\n40\n%0.3f\n", header.scale);
    out.put("9\n$PDMODE\n70\n%d\n", 0);
    out.put("9\n$PDSIZE\n40\n%d\n", 40);
    out.put("9\n$HANDSEED\n  5\n%lx\n", handle_seed);
    out.put(" 9\n$CMLSTYLE\n  2\nSTANDARD\n");
    out.put(" 9\n$CMLJUST\n 70\n 0\n");
    out.put(" 9\n$CMLSCALE\n 40\n1.0\n");
    out.put("0\nENDSEC\n");
}

void write_tables_section(TextFileWriter& out, DxfHandles& handles, StoreReader& layers,
                          const std::string& program_folder, Messages& messages) {
    out.put("0\nSECTION\n2\nTABLES\n");
    write_viewport_table(out, layers.header());
    const std::string template_path = program_folder + kHeaderTemplateFileName;
    if (!copy_template(out, template_path) && write_header_template(program_folder, messages))
        copy_template(out, template_path);
    write_layer_table(out, handles, layers);
    out.put("0\nENDSEC\n");
}

}  // namespace zov
