// The DXF load driver: opens the file and the section files, runs the
// reading loop, numbers the used layers and blocks and assembles the store.
#include "dxf_import/dxf_import.h"

#include "common/encoding.h"
#include "common/files.h"
#include "common/japanese_texts.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_readers.h"
#include "dxf_import/dxf_reading_loop.h"
#include "store/import_state.h"
#include "store/source_line_types.h"

namespace zov {

namespace {

// The source cannot be opened.
const char* const kCannotOpen = cp932_text(JaText::DxfCannotOpen);
// The source cannot be read.
const char* const kCannotRead = cp932_text(JaText::DxfCannotRead);

// A DXF of this many bytes or fewer holds nothing to read.
constexpr std::int32_t kSmallestDxf = 9;

// Says what a limit of the import left out, as warnings and in the notes.
void report_left_out(ImportState& state, const LossReport& left_out, const std::string& hint) {
    if (left_out.empty()) return;
    for (const std::string& line : left_out.lines(hint)) state.notes.push_back(line);
    show_losses(state.messages, left_out, hint);
}

}  // namespace

int import_dxf_file(const std::string& path, ImportState& state, const DxfImportOptions& options) {
    DxfContext context(state);
    if (!context.reader.open(path)) {
        show_error(state.messages, kCannotOpen, utf8_to_cp932(path).c_str());
        return -1;
    }
    if (file_size(path) <= kSmallestDxf) {
        show_error(state.messages, kCannotRead, utf8_to_cp932(path).c_str());
        return -1;
    }
    context.source_path = path;
    context.entity_threads = options.entity_threads;
    context.parts_from_bytes = options.parts_from_bytes;
    if (state.progress != nullptr) {
        state.progress->start_file(path);
        context.reader.report_to(state.progress);
    }
    const std::int64_t budget = import_record_budget(file_size(path));
    context.records_left = budget;
    prepare_header(state, path);
    if (open_section_files(state) != 0) {
        close_all_streams(state);
        return -1;
    }
    context.reader.count_lost_characters(&state.dropped);
    run_reading_loop(context);
    context.reader.close();
    // A stopped import leaves no store: the previous drawing's stays.
    if (import_stop_requested(state)) {
        discard_section_files(state);
        if (options.delete_source_after_load) delete_file(path);
        return -1;
    }
    // A drawing with nothing in its model space shows its paper space.
    if (state.header.ent_num == 0 && !context.failed)
        state.header.ent_num += insert_paper_layout(context);
    int result = context.failed ? -1 : 0;
    if (context.finish_sections() != 0) result = -1;
    number_used_layers_and_blocks(state);
    close_all_streams(state);
    // Sections that could not be written whole (a full disk) would make a
    // broken store over the previous one: they are given up instead.
    if (result != 0) {
        discard_section_files(state);
    } else if (assemble_store(state) != 0) {
        result = -1;
    }
    close_all_streams(state);
    report_left_out(state, context.beyond_block_numbers,
                    "the drawing has more than " + std::to_string(kMaxTableRecords) +
                        " blocks, the most the store holds");
    report_left_out(state, context.left_out,
                    "the drawing makes more than " + std::to_string(budget) +
                        " records, the most a file of its size may make");
    // Without the file the full export writes the nearest fixed line types;
    // a store that was not replaced keeps none.
    const auto& line_types = context.tables.source_line_types();
    if (result == 0 && !write_source_line_types(state.program_folder, line_types))
        state.dropped.count("LTYPE", line_types.size());
    if (options.block_tallies != nullptr) *options.block_tallies = context.block_tallies;
    if (options.joined_parts != nullptr) *options.joined_parts = context.joined_parts;
    if (options.delete_source_after_load) delete_file(path);
    return result;
}

}  // namespace zov
