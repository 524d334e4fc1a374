#pragma once
// What the readers of one DXF import share: the group reader, the store being
// written, the tables kept for lookups and the entity output. In the counting
// pass of the BLOCKS section the readers run as usual but nothing is written:
// every write only reports the one record it would have written, so both
// passes give the same record counts by construction.
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/loss_report.h"
#include "dxf/group_reader.h"
#include "dxf_import/dxf_tables.h"
#include "dxf_import/object_coordinates.h"
#include "store/import_state.h"

namespace zov {

// The line type of a record read as "BYBLOCK" until it is written: inside a
// block it stays 0 (the insert's line type), elsewhere it takes the layer's.
inline constexpr std::int32_t kLineByBlockPending = -1;
// Likewise the colour of a record read as 0 (BYBLOCK). A colour that was not
// given at all means ByLayer: inside a block it becomes 256, elsewhere it
// takes the layer's colour.
inline constexpr std::int32_t kColourByBlockPending = -1;

// What one import may write: a base for any file and a few records for each
// byte of it. A record of a real drawing takes tens of bytes of DXF, so no
// real drawing comes near it; a few hundred bytes that ask for large arrays
// or fine pattern hatches cannot fill a disk (a 1 MB file makes at most
// about 320 MB of store).
inline constexpr std::int64_t kImportRecordBase = 1'000'000;
inline constexpr std::int64_t kImportRecordsPerByte = 2;
std::int64_t import_record_budget(std::int64_t source_bytes);

// Records of one block as counted by the counting pass and as written by the
// writing pass.
struct BlockTally {
    int counted = 0;
    int written = 0;
};

class DxfContext;

// While alive, what the context writes is projected from the plane of
// `extrusion` (nothing changes for the XY plane and its mirror).
class PlaneScope {
public:
    PlaneScope(DxfContext& context, const Extrusion& extrusion);
    ~PlaneScope();
    PlaneScope(const PlaneScope&) = delete;
    PlaneScope& operator=(const PlaneScope&) = delete;

private:
    DxfContext& context_;
    std::optional<PlaneProjection> projection_;
};

// File names of the IMAGEDEF objects by handle.
using ImageFileNames = std::map<std::string, std::string>;

class DxfContext {
public:
    explicit DxfContext(ImportState& state) : state(state) {}
    ~DxfContext();
    DxfContext(const DxfContext&) = delete;
    DxfContext& operator=(const DxfContext&) = delete;

    ImportState& state;
    std::string source_path;  // the file being read
    DxfGroupReader reader;
    DxfTables tables;
    BlockDirectory blocks;
    std::vector<BlockTally> block_tallies;

    // True in the counting pass of the BLOCKS section.
    bool counting = false;
    // Index of the next block entity record, counted over all blocks.
    int block_entity_index = 0;
    // The first paper-space layout block with entities in it ("*Paper_Space"
    // and its numbered siblings), 0 for none, and its base point: what a
    // drawing whose model space is empty shows.
    int paper_layout = 0;
    double paper_layout_x = 0.0, paper_layout_y = 0.0;
    // Set when a section file could not be created (already reported).
    bool failed = false;
    // Records the import may still write (import_record_budget); the records
    // met after it is spent are left out and counted in `left_out` by kind.
    // The BLOCKS section's counting pass spends it as its writing pass does.
    std::int64_t records_left = kImportRecordBase;
    LossReport left_out;
    // The blocks beyond the store's block numbers (kMaxTableRecords) and
    // the entities that name them, left out and counted by kind.
    LossReport beyond_block_numbers;
    // The plane of the entity being read when it is not the XY plane (or
    // its mirror): every record written and point reported is projected.
    const PlaneProjection* plane = nullptr;
    // Whether the file shows the frames of its wipeouts (its wipeout
    // variables), looked up at the first WIPEOUT.
    std::optional<bool> wipeout_frames;
    // The file names of the IMAGEDEF objects by handle (upper case), looked
    // up at the first IMAGE.
    std::optional<ImageFileNames> image_files;
    // Threads the ENTITIES section of an ASCII file of at least
    // `parts_from_bytes` is read on (entity_parts.h; 0: one per core).
    int entity_threads = 1;
    std::int64_t parts_from_bytes = 0;
    // Parts read on threads of their own and joined.
    int joined_parts = 0;

    // Sends entity records to $VV_BDA$.TMP (created on first use and kept
    // for every BLOCKS section of the file) or back to $VV_ENT$.TMP, which
    // stays open all along so that entities before the BLOCKS section are
    // kept. 0, or -1 after a reported failure to create the file.
    int write_to_block_data();
    void write_to_drawing();

    // Writes an entity record after replacing a line type of 0 (ByLayer) and
    // a colour of 0 by those of the current layer, and any number that is not
    // finite by 0. Inside a block, ByBlock colour and line type stay 0 (the
    // block's entities take them from the insert when drawn) and a colour
    // not given is 256 (the entity's own layer). Returns the record count:
    // 1, or 0 when the import's budget is spent.
    int write_entity(EntityRecord& record);
    // Writes a text record (kind 5) with its text: only the colour takes the
    // layer default. A non-empty text counts in str_num. Returns 1 (0 when
    // the budget is spent).
    int write_text(EntityRecord& record, std::string_view text);
    // Counts an entity that names a block beyond the store's block numbers
    // (outside the counting pass): it keeps its record, which shows nothing.
    void count_beyond_blocks(const EntityRecord& record);

    // A point for the drawing extents taken from the entities (ignored when
    // it is not finite).
    void report_point(double x, double y);

    // Writes the layer table kept in memory to $VV_LAY$.TMP and closes the
    // block-data file. 0, or -1 after a reported write failure.
    int finish_sections();

    // True while the records go to a block (and in the counting pass).
    bool in_block() const { return counting || state.entities_are_block_data; }

    // Notes a failed write of a section file; reported by finish_sections.
    void note_write(int result, const char* file_name);
    bool write_failed() const { return failed_file_ != nullptr; }

private:
    // Spends one record of the budget; false (the record counted as left
    // out) when it is spent.
    bool take_record(const EntityRecord& record);
    // Writes an entity record after its layer defaults; returns 1.
    int write_record(EntityRecord& record);

    std::FILE* block_data_ = nullptr;
    std::FILE* drawing_entities_ = nullptr;  // $VV_ENT$.TMP while blocks are written
    const char* failed_file_ = nullptr;
};

}  // namespace zov
