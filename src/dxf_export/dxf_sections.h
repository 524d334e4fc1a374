#pragma once
// The sections of the DXF file, written in this order by export_dxf.
#include <string>

#include "store/records.h"

namespace zov {

class DxfHandles;
class Messages;
class StoreReader;
class TextFileWriter;

// HEADER. `handle_seed` is the $HANDSEED value.
void write_header_section(TextFileWriter& out, const StoreHeader& header,
                          unsigned long handle_seed);

// TABLES: VPORT, the template VV_HED.DAT of `program_folder` (created when
// missing), and the LAYER table with every layer in use.
void write_tables_section(TextFileWriter& out, DxfHandles& handles, StoreReader& layers,
                          const std::string& program_folder, Messages& messages);

// BLOCKS: *MODEL_SPACE, *PAPER_SPACE and REVDATE with its three attributes.
void write_blocks_section(TextFileWriter& out, DxfHandles& handles);

// ENTITIES: the store's lines, circles, arcs and ellipses; `layers` and
// `data` are two readers of the same store file. An entity with a number that
// is not finite is left out; returns how many were.
int write_entities_section(TextFileWriter& out, DxfHandles& handles, StoreReader& layers,
                           StoreReader& data);

// OBJECTS: the fixed dictionaries.
void write_objects_section(TextFileWriter& out);

// DXF colour of a store colour by the store's source kind: JW_CAD pens through
// their table, DXF colour numbers unchanged; a number DXF cannot hold becomes 7.
int dxf_colour(std::int32_t store_kind, std::int32_t colour);

// Name of a line-type code; 0 and unknown codes give "CONTINUOUS".
const char* line_type_name(std::int32_t code);

}  // namespace zov
