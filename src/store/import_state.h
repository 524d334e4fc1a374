#pragma once
// The state of one import into the drawing store: the header kept in memory,
// the current record buffers the importers fill, and the section files that
// collect the records until assemble_store joins them into $VV_DAT$.TMP.
// The caller owns the state; every store file lives in its program folder.
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_descriptor.h"
#include "common/loss_report.h"
#include "common/read_progress.h"
#include "common/whole_file.h"
#include "store/records.h"

namespace zov {

class Messages;

// The banner line the importers write into StoreHeader::ver.
inline constexpr char kStoreBanner[] = "ZovView Version 1.0";

// A box of points that only grows; starts as the empty box.
struct Extents {
    double min_x = kEmptyBoxMinimum, min_y = kEmptyBoxMinimum;
    double max_x = kEmptyBoxMaximum, max_y = kEmptyBoxMaximum;

    // Lowers the minimum and raises the maximum where the point lies beyond them.
    void include(double x, double y);
};

// Text offsets of entity records written apart from the STR section, from
// `from` on, moved to follow `to`: an offset o >= from becomes o - from + to.
struct TextOffsetMove {
    std::int32_t from = 0;
    std::int32_t to = 0;
};

class ImportState {
public:
    // `program_folder` is a file-system path; a "/" is added when it lacks one.
    ImportState(std::string program_folder, Messages& messages);
    ~ImportState();  // closes every stream still open
    ImportState(const ImportState&) = delete;
    ImportState& operator=(const ImportState&) = delete;

    // Full path of a store file in the program folder.
    std::string path(std::string_view file_name) const;

    const std::string program_folder;  // ends in "/"
    Messages& messages;

    StoreHeader header;

    // Current record buffers that the importers fill and append.
    EntityRecord entity;
    LayerRecord layer;
    BlockRecord block;
    LineTypeRecord line_type;

    // Open section files (nullptr when closed). `entities` is $VV_ENT$.TMP, or
    // $VV_BDA$.TMP between begin_block_data and end_block_data.
    std::FILE* line_types = nullptr;
    std::FILE* layers = nullptr;
    std::FILE* blocks = nullptr;
    std::FILE* entities = nullptr;
    std::FILE* strings = nullptr;
    bool entities_are_block_data = false;

    // The stream buffers of the section files by file name, each kept for
    // as long as the state, so that it outlives every stream that used it.
    std::map<std::string_view, std::unique_ptr<char[]>> section_buffers;

    // Unnamed files that the STR and ENT sections go on in, in this order,
    // behind $VV_STR$.TMP and $VV_ENT$.TMP (continue_sections_in); the
    // last one's streams are `strings` and `entities`.
    struct SectionContinuation {
        FileDescriptor strings, entities;  // read at their offsets only
        std::unique_ptr<char[]> string_buffer, entity_buffer;
        TextOffsetMove texts;
        std::int64_t records_to_move = 0;  // the first records of `entities`
    };
    std::vector<SectionContinuation> continuations;

    std::int32_t string_length = 0;  // length of the STR section = next text_offset
    int extents_taken = 0;           // extents variables taken from a DXF header
    Extents entity_extents;          // points reported by the DXF entity readers
    // What an importer drew simpler than the source asks (a hatch kept as its
    // outline, ...), one readable line each, for the diagnostics dump.
    std::vector<std::string> notes;
    // The source's entities that the import could not store at all, by the
    // source's name for them; every conversion of the store reports them.
    LossReport dropped;
    // Where the importers report how far they have read, and whether the
    // user asked them to stop; none when nobody watches.
    ReadProgress* progress = nullptr;
    // Whether the assembled store is synced to the disk before it replaces
    // the previous one. A viewer shows the store of its program folder again
    // on its next start without reading the source; a store in a headless
    // command's temporary folder goes with the command and need not wait.
    Durability store_durability = Durability::Synced;
};

// The hint that the lines of ImportState::dropped carry wherever they are shown.
inline constexpr char kImportLossHint[] = "not stored by the import";

// Whether the user asked the import to stop (the readers then end early).
bool import_stop_requested(const ImportState& state);

// Clears the header and fills ver (kStoreBanner), fname (the source path in
// CP932), ftime and fsize of `source_path` (a file-system path).
void prepare_header(ImportState& state, const std::string& source_path);

// DXF import: creates (w+b) $VV_LIN$, $VV_LAY$, $VV_BRO$, $VV_ENT$ and
// $VV_STR$ in this order. The first that cannot be created is reported as
// "%s をオープンできない*9" and gives -1 (earlier files stay open). On success
// clears the record buffers, sets header.kind = 2, string_length = 0,
// extents_taken = 0 and the header extents and entity_extents to the empty box.
int open_section_files(ImportState& state);

// JW_CAD import: creates $VV_LAY$, $VV_ENT$ and $VV_STR$ the same way and
// clears the record buffers and the notes. The importer writes $VV_LIN$ itself.
int open_jw_section_files(ImportState& state);

// A stream for update on a descriptor of its own of the file of `fd`, with
// a section file's large buffer, kept in `buffer`; nullptr when it cannot
// be made.
std::FILE* section_stream_on(int fd, std::unique_ptr<char[]>& buffer);
// Closes the stream (none is fine) and forgets it; false when what it held
// could not be written whole.
bool close_written(std::FILE*& stream);

// Creates the section file `file_name` empty for update as `stream`, with
// the state's stream buffer for that file; -1 after "%s をオープンできない*9".
int create_section_file(ImportState& state, const char* file_name, std::FILE*& stream);

// How continue_sections_in went.
enum class Continuation {
    Taken,                  // the files are the current STR and ENT outputs
    TakenAfterFailedWrite,  // so are they, but what came before is not whole
    NotTaken,               // they could not be taken in: nothing changed
};

// Makes the unnamed files `strings` and `entities` (descriptors the caller
// keeps) the STR and ENT outputs, appended to at their ends: the streams
// written so far are closed, and assemble_store joins the files behind
// them, moving the text offsets of the records `entities` holds now by
// `texts` on the way. No bytes are copied before that; a part of the
// sections written elsewhere thus takes its place in the store.
Continuation continue_sections_in(ImportState& state, int strings, int entities,
                                  TextOffsetMove texts);

// DXF BLOCKS section: closes the entity file and creates $VV_BDA$.TMP (w+b) as
// the entity output; end_block_data closes it and creates $VV_ENT$.TMP afresh.
// A file that cannot be created is reported as "%s をオープンできない*9"; -1.
int begin_block_data(ImportState& state);
int end_block_data(ImportState& state);

// Appends n text bytes to the string file; returns the text's text_offset
// (the old string_length), or -1 when nothing could be written.
std::int32_t append_text(ImportState& state, const char* bytes, std::int32_t n);

// Append one record to its section file at the stream's current position
// (the end, unless the importer moved it back to overwrite a record).
// 0, or -1 when the file is not open or the write failed. They count
// nothing: the importers keep the header counts. An importer that reads a
// section file itself must seek (to its end) before the next append;
// read_section_record and write_section_record need no such care.
int append_line_type(ImportState& state, const LineTypeRecord& record);
int append_layer(ImportState& state, const LayerRecord& record);
int append_block(ImportState& state, const BlockRecord& record);
int append_entity(ImportState& state, const EntityRecord& record);

// Record `index` (0-based) of an open section file, read or rewritten in
// place; the stream's position is kept, so appends go on where they were.
// 0, or -1 when there is no such record or the file is not open.
int read_section_record(std::FILE* file, long index, void* record, std::size_t size);
int write_section_record(std::FILE* file, long index, const void* record, std::size_t size);
// Number of whole records of `size` bytes in an open section file.
long section_record_count(std::FILE* file, std::size_t size);

template <class Record>
int read_section_record(std::FILE* file, long index, Record& record) {
    return read_section_record(file, index, &record, sizeof record);
}
template <class Record>
int write_section_record(std::FILE* file, long index, const Record& record) {
    return write_section_record(file, index, &record, sizeof record);
}

// True for a block name that is not numbered as an ordinary block: empty,
// beginning with "*", or "DOT", "DOTT", "ORIGIN", "OPEN" as it stands or
// after its first character (case-sensitive).
bool is_special_block_name(std::string_view name);

// DXF import, while the section files are open: numbers the ordinary blocks
// and the used layers in place (used_index, used_number) and adds their
// numbers to header.bro_num2 and header.lay_num2.
void number_used_layers_and_blocks(ImportState& state);

// Closes every section file of the state.
void close_all_streams(ImportState& state);

// Closes and deletes the section files of an import that is stopped or given
// up, so that the previous store stays as it was and nothing of it is left.
void discard_section_files(ImportState& state);

// Joins the section files into $VV_DAT$.TMP behind the header (sections STR,
// LAY, LIN, BRO, BDA, ENT, each only when its count is non-zero; STR and ENT
// with their continuations), records
// their offsets in the header and deletes each merged file. The store is
// written beside $VV_DAT$.TMP and renamed over it once whole: a reader of
// the previous store (a pass drawing it meanwhile) keeps reading it whole,
// and a failed assembly leaves it as it was. 0, or -1 after
// "%s を作成できない" (data file) or "%s が見つからない" (a section file).
// A store that the disk cannot take is not begun: the section files are
// deleted and the previous store stays whole. A missing $VV_BDA$.TMP is
// skipped without a message.
int assemble_store(ImportState& state);

}  // namespace zov
