// The TABLES section of the full export. The template's tables are written
// afresh rather than copied from VV_HED.DAT, because every block of the
// drawing needs its BLOCK_RECORD and the vertical text style TMT must exist.
#include "common/cp932.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/full_export.h"
#include "store/store_reader.h"

namespace zov {

namespace {

constexpr int kFrozenFlag = 1;
constexpr int kLockedFlag = 4;
constexpr int kLayerColourWhenUnset = 7;

void put_layer(DxfGroupWriter& out, DxfHandles& handles, const std::string& name, int flags,
               int colour, const char* line_type) {
    put_record_head(out, "LAYER", handles.next(), "AcDbLayerTableRecord");
    out.text(2, name);
    out.integer(70, flags);
    out.integer(62, colour);
    out.text(6, line_type);
}

// Layer "0", which every DXF file has, and the layers in use: off as a
// negative colour, frozen and locked as their flags.
void write_full_layer_table(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                            const FullExportNames& names) {
    bool has_layer_zero = false;
    for (std::int32_t n : names.layer_table) has_layer_zero |= names.layer_name(n) == kLayerZero;
    put_table_head(out, "LAYER", handles.next(),
                   static_cast<long>(names.layer_table.size()) + (has_layer_zero ? 0 : 1));
    if (!has_layer_zero)
        put_layer(out, handles, kLayerZero, 0, kLayerColourWhenUnset,
                  line_type_name(kLineContinuous));
    for (std::int32_t n : names.layer_table) {
        LayerRecord layer;
        if (store.read_layer(n, layer) != 0) continue;
        int colour = dxf_colour(store.header().kind, layer.colour);
        if (colour <= 0 || colour > 255) colour = kLayerColourWhenUnset;
        const int flags = (test_bit(layer.flags, kLayerFrozenBit) ? kFrozenFlag : 0) |
                          (test_bit(layer.flags, kLayerLockedBit) ? kLockedFlag : 0);
        const std::string* source = names.source_line_type(fixed_text(layer.line_type_name));
        put_layer(out, handles, names.layer_name(n), flags,
                  test_bit(layer.flags, kLayerHiddenBit) ? -colour : colour,
                  source != nullptr ? source->c_str() : line_type_name(layer.line_type));
    }
    put_table_end(out);
}

}  // namespace

void write_full_tables_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                               const FullExportNames& names) {
    put_section_start(out, "TABLES");
    write_viewport_table(out, store.header());
    std::vector<NamedHandle> block_records;
    for (const std::string& name : names.blocks)
        if (!name.empty()) block_records.push_back({handles.next(), name});
    // A source line type of a fixed name takes the fixed one's record.
    std::vector<NamedLineType> line_types = names.line_types;
    for (NamedLineType& type : line_types)
        if (!is_fixed_line_type_name(type.name)) type.handle = handles.next();
    write_template_tables(out, block_records, line_types);
    write_full_layer_table(out, handles, store, names);
    put_section_end(out);
}

}  // namespace zov
