#pragma once
// The sections of the DXF file, written in this order by export_dxf.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/group_writer.h"
#include "dxf/structure_writer.h"
#include "store/records.h"
#include "store/source_line_types.h"

namespace zov {

class DxfHandles;
class Messages;
struct DxfExportTally;
class StoreReader;

// A table record or block named in the file, with its handle.
struct NamedHandle {
    unsigned long handle = 0;
    std::string name;
};

// HEADER. `handle_seed` is the $HANDSEED value.
void write_header_section(DxfGroupWriter& out, const StoreHeader& header,
                          unsigned long handle_seed);

// TABLES: VPORT, the template VV_HED.DAT of `program_folder` (created when
// missing), and the LAYER table with every layer in use.
void write_tables_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& layers,
                          const std::string& program_folder, Messages& messages);

// The VPORT table: the active viewport on the drawing's extents.
void write_viewport_table(DxfGroupWriter& out, const StoreHeader& header);

// A source's line type as a file names it, with its pattern. Handle 0: it
// takes the place of the fixed line type of the same name.
struct NamedLineType {
    unsigned long handle = 0;
    std::string name;
    SourceLineTypeRecord pattern;
};

// The tables that VV_HED.DAT holds (line types, text styles, VIEW, UCS,
// APPID, DIMSTYLE and BLOCK_RECORD), with `block_records` added to the
// BLOCK_RECORD table after the three fixed ones and `line_types` to the
// LTYPE table.
void write_template_tables(DxfGroupWriter& out, const std::vector<NamedHandle>& block_records,
                           const std::vector<NamedLineType>& line_types = {});

// BLOCKS: *MODEL_SPACE, *PAPER_SPACE and REVDATE with its three attributes
// (write_fixed_blocks: the blocks without the section's start and end).
void write_blocks_section(DxfGroupWriter& out, DxfHandles& handles);
void write_fixed_blocks(DxfGroupWriter& out, DxfHandles& handles);

// ENTITIES: the store's lines, circles, arcs and ellipses; `layers` and
// `data` are two readers of the same store file. Every record is counted in
// `tally`. An entity with a number that is not finite is left out; returns
// how many were.
int write_entities_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& layers,
                           StoreReader& data, DxfExportTally& tally);

// The DXF entity name of what a store record holds, by which the losses of
// an export are counted ("LINE", "ELLIPSE", "TEXT", "INSERT", ...).
std::string store_entity_name(const EntityRecord& e);

// Whether every number of the record is finite: no DXF reader takes "nan"
// or "inf" for a coordinate, so a record with one is left out.
bool all_finite(const EntityRecord& e);

// A line (kind 1) or circle, arc or ellipse (kind 2): its DXF entity type
// and the groups of its subclasses, which follow the common head.
const char* curve_entity_type(const EntityRecord& e);
// A point of the plane, written with a z of 0.0.
struct PlanePoint {
    double x, y;
};
// The points under codes 10/20/30, 11/21/31, ... in order.
void put_points(DxfGroupWriter& out, std::initializer_list<PlanePoint> points);
void put_curve_geometry(DxfGroupWriter& out, const EntityRecord& e);

// OBJECTS: the fixed dictionaries.
void write_objects_section(DxfGroupWriter& out);

// DXF colour of a store colour by the store's source kind: JW_CAD pens through
// their table, DXF colour numbers unchanged; a number DXF cannot hold becomes 7.
int dxf_colour(std::int32_t store_kind, std::int32_t colour);

// Subclass markers.
inline constexpr char kSymbolTableMarker[] = "AcDbSymbolTable";
inline constexpr char kSymbolTableRecordMarker[] = "AcDbSymbolTableRecord";
inline constexpr char kEntityMarker[] = "AcDbEntity";
// The fixed blocks, which have their BLOCK_RECORDs in the template.
inline constexpr char kModelSpaceBlock[] = "*MODEL_SPACE";
inline constexpr char kPaperSpaceBlock[] = "*PAPER_SPACE";
inline constexpr char kRevisionDateBlock[] = "REVDATE";

// A table's head: its name, handle and record count.
void put_table_head(DxfGroupWriter& out, std::string_view name, unsigned long handle, long count);
// A table record's head: its type, its handle under `handle_code` and its
// subclass below the symbol table record's.
void put_record_head(DxfGroupWriter& out, std::string_view type, unsigned long handle,
                     std::string_view subclass, int handle_code = 5);
// The head of a BLOCK or ENDBLK on layer 0, in paper space when asked.
void put_block_begin(DxfGroupWriter& out, unsigned long handle, bool paper_space);
void put_block_end(DxfGroupWriter& out, unsigned long handle, bool paper_space);

}  // namespace zov
