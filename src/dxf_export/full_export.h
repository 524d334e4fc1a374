#pragma once
// The full export: besides the lines, circles, arcs and ellipses of the
// viewer's writer, it writes texts, points, solids, leaders, dimensions (as
// their lines and texts), the drawing's blocks with their inserts, every
// layer's off, frozen and locked state, and line types by name.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dxf_export/dxf_sections.h"
#include "store/records.h"

namespace zov {

class DxfHandles;
struct DxfExportTally;
class StoreReader;

// The names the store's layers and blocks carry in the file, and the inserts
// left out because they would make a block contain itself.
struct FullExportNames {
    // Layer n (1-based) is written under layers[n]; layers[0] is "0". A layer
    // that is not in the LAYER table (unused, or a second one of the same
    // name) is written as the layer of the same name, or as "0".
    std::vector<std::string> layers;
    // The layer numbers that get a LAYER record, in store order.
    std::vector<std::int32_t> layer_table;
    // Block n (1-based) is written as blocks[n]; empty: not written (the
    // store's own model and paper space blocks, which the file has already).
    std::vector<std::string> blocks;
    // (block, inserted block): an insert, inside a block, of a block that
    // contains that block again, directly or further down. DXF readers
    // refuse such a loop, so these inserts are left out.
    std::set<std::pair<std::int32_t, std::int32_t>> looping_inserts;
    // The source's line types (the store's side table), named as the layers
    // are; entities name them by number, layers by their name. Empty for a
    // store without the table: the fixed line types are written then.
    std::vector<NamedLineType> line_types;

    const std::string& layer_name(std::int32_t n) const;
    const std::string& block_name(std::int32_t n) const;
    // The name of source line type n (1-based), or nullptr when there is none.
    const std::string* source_line_type(std::int32_t n) const;
    // The name of the source line type a layer names, or nullptr.
    const std::string* source_line_type(std::string_view stored_name) const;
};

// Reads the layers and blocks of `store` and names them: characters a DXF
// table name cannot hold become "_", an empty layer name "0", an empty block
// name "BLOCKn", and names met twice (in any letter case) are made unique
// for blocks and shared for layers.
FullExportNames name_layers_and_blocks(StoreReader& store);

// Names the source's line types as name_layers_and_blocks names layers; an
// empty name becomes "LTYPEn".
void name_source_line_types(const std::vector<SourceLineTypeRecord>& types, FullExportNames& names);

// True for the names of the nine fixed line types, in any letter case.
bool is_fixed_line_type_name(std::string_view name);

// The most handles the full export can take after `handles.last()`.
unsigned long full_export_handle_bound(const DxfHandles& handles, StoreReader& store,
                                       const FullExportNames& names);

// TABLES: VPORT, the template's tables written afresh (so that every block
// has its BLOCK_RECORD), and the LAYER table with layer "0" and every layer
// in use.
void write_full_tables_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                               const FullExportNames& names);

// BLOCKS (the fixed blocks, then the drawing's) and ENTITIES of the full
// export; every record is counted in `tally`. A record with a number that
// is not finite is left out; each returns how many were.
int write_full_blocks_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                              const FullExportNames& names, DxfExportTally& tally);
int write_full_entities_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                                const FullExportNames& names, DxfExportTally& tally);

// A text for a DXF value line: control characters as DXF's caret codes
// (^J for a line feed), "%%" doubled into "%%%" pairs so that readers show
// the percent signs, double-byte characters untouched.
std::string dxf_text_value(std::string_view cp932);

// DXF colour of a store colour in the full export: as dxf_colour, with the
// store's "as the layer" (0) written as BYLAYER (256).
int full_export_colour(std::int32_t store_kind, std::int32_t colour);

}  // namespace zov
