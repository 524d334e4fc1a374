#pragma once
// The sections of the DXF file, written in this order by export_dxf.
#include <string>
#include <vector>

#include "store/records.h"

namespace zov {

class DxfHandles;
class Messages;
class StoreReader;
class TextFileWriter;

// A table record or block named in the file, with its handle.
struct NamedHandle {
    unsigned long handle = 0;
    std::string name;
};

// HEADER. `handle_seed` is the $HANDSEED value.
void write_header_section(TextFileWriter& out, const StoreHeader& header,
                          unsigned long handle_seed);

// TABLES: VPORT, the template VV_HED.DAT of `program_folder` (created when
// missing), and the LAYER table with every layer in use.
void write_tables_section(TextFileWriter& out, DxfHandles& handles, StoreReader& layers,
                          const std::string& program_folder, Messages& messages);

// The VPORT table: the active viewport on the drawing's extents.
void write_viewport_table(TextFileWriter& out, const StoreHeader& header);

// The tables that VV_HED.DAT holds (line types, text styles, VIEW, UCS,
// APPID, DIMSTYLE and BLOCK_RECORD), with `block_records` added to the
// BLOCK_RECORD table after the three fixed ones.
void write_template_tables(TextFileWriter& out, const std::vector<NamedHandle>& block_records);

// BLOCKS: *MODEL_SPACE, *PAPER_SPACE and REVDATE with its three attributes
// (write_fixed_blocks: the blocks without the section's start and end).
void write_blocks_section(TextFileWriter& out, DxfHandles& handles);
void write_fixed_blocks(TextFileWriter& out, DxfHandles& handles);

// ENTITIES: the store's lines, circles, arcs and ellipses; `layers` and
// `data` are two readers of the same store file. An entity with a number that
// is not finite is left out; returns how many were.
int write_entities_section(TextFileWriter& out, DxfHandles& handles, StoreReader& layers,
                           StoreReader& data);

// Whether every number of the record is finite: no DXF reader takes "nan"
// or "inf" for a coordinate, so a record with one is left out.
bool all_finite(const EntityRecord& e);

// A line (kind 1) or circle, arc or ellipse (kind 2): its DXF entity type
// and the groups of its subclasses, which follow the common head.
const char* curve_entity_type(const EntityRecord& e);
void put_curve_geometry(TextFileWriter& out, const EntityRecord& e);

// OBJECTS: the fixed dictionaries.
void write_objects_section(TextFileWriter& out);

// DXF colour of a store colour by the store's source kind: JW_CAD pens through
// their table, DXF colour numbers unchanged; a number DXF cannot hold becomes 7.
int dxf_colour(std::int32_t store_kind, std::int32_t colour);

// Name of a line-type code; 0 and unknown codes give "CONTINUOUS".
const char* line_type_name(std::int32_t code);

}  // namespace zov
