#include <cstdint>

#include "common/files.h"
#include "common/utf8_messages.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"
#include "dxf_export/dxf_text_file.h"
#include "dxf_export/full_export.h"
#include "store/source_line_types.h"
#include "store/store_reader.h"

namespace zov {

namespace {

// Handles used by one export at most: the LAYER table, every layer and layer
// "0", the nine
// items of the BLOCKS section, every entity, and the fixed handles passed over.
unsigned long handle_bound(const DxfHandles& handles, const StoreReader& store) {
    return handles.last() + 1 + static_cast<unsigned long>(store.layer_count()) + 1 + 9 +
           static_cast<unsigned long>(store.entity_count()) + DxfHandles::kFixedCount + 1;
}

// $HANDSEED: 40000 above the block and entity counts, and in any case above
// `bound`, every handle of this file (the counter goes on from export to
// export).
unsigned long handle_seed(const StoreReader& store, unsigned long bound) {
    const StoreHeader& header = store.header();
    const std::int64_t seed = std::int64_t{header.bro_num} + header.ent_num + 40000;
    return seed > 0 && static_cast<unsigned long>(seed) >= bound ? static_cast<unsigned long>(seed)
                                                                 : bound;
}

}  // namespace

bool export_dxf(DxfHandles& handles, const std::string& program_folder,
                std::string_view store_file_name, Messages& messages, DxfContent content,
                DxfExportTally* tally) {
    DxfExportTally own_tally;
    DxfExportTally& counted = tally != nullptr ? *tally : own_tally;
    const std::string store_path = program_folder + std::string(store_file_name);
    StoreReader layers;
    if (layers.open(store_path) != 0) {
        show_error_utf8(messages, "%s をオープンできない(LAY_fp)", store_path.c_str());
        return false;
    }
    StoreReader data;
    if (data.open(store_path) != 0) {
        show_error_utf8(messages, "%s をオープンできない(dat_fp)", store_path.c_str());
        return false;
    }
    const std::string dxf_path = program_folder + kDxfOutputFileName;
    DxfTextFile file;
    if (!file.open(dxf_path)) {
        show_error_utf8(messages, "%s をオープンできない(dxf_fp)", dxf_path.c_str());
        return false;
    }

    DxfGroupWriter& out = file.groups();
    int left_out = 0;
    if (content == DxfContent::Full) {
        FullExportNames names = name_layers_and_blocks(data);
        // The side table belongs to the last import, whose store is the data file.
        if (store_file_name == kDataFileName && data.header().kind == kSourceDxf)
            name_source_line_types(read_source_line_types(program_folder), names);
        write_header_section(out, data.header(),
                             handle_seed(data, full_export_handle_bound(handles, data, names)));
        write_full_tables_section(out, handles, data, names);
        left_out += write_full_blocks_section(out, handles, data, names, counted);
        left_out += write_full_entities_section(out, handles, data, names, counted);
    } else {
        write_header_section(out, data.header(), handle_seed(data, handle_bound(handles, data)));
        write_tables_section(out, handles, layers, program_folder, messages);
        write_blocks_section(out, handles);
        left_out = write_entities_section(out, handles, layers, data, counted);
    }
    write_objects_section(out);
    out.text(0, "EOF");
    if (!file.close()) {
        show_error_utf8(messages, "%s 書込みエラー(dxf_fp)", dxf_path.c_str());
        return false;
    }
    if (counted.drawing_written == 0) {
        delete_file(dxf_path);
        show_error_utf8(messages,
                        "DXF not written: none of the drawing's %zu entities can be written",
                        counted.drawing_records);
        return false;
    }
    if (left_out > 0)
        show_information_utf8(messages, "数値でない座標の図形%d個は書き出していません", left_out);
    show_information_utf8(messages, "DXF Write");
    return true;
}

}  // namespace zov
