// The DXF load driver: opens the file and the section files, runs the
// reading loop, numbers the used layers and blocks and assembles the store.
#include "dxf_import/dxf_import.h"

#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "dxf_import/dxf_reading_loop.h"
#include "store/import_state.h"

namespace zov {

namespace {

// " %s をオープンできない-1" (cannot open) in CP932.
constexpr char kCannotOpen[] =
    " %s \x82\xf0\x83I\x81[\x83v\x83\x93\x82\xc5\x82\xab\x82\xc8\x82\xa2-1";
// " %s を読み込むことができません-12" (cannot read) in CP932.
constexpr char kCannotRead[] =
    " %s \x82\xf0\x93\xc7\x82\xdd\x8d\x9e\x82\xde\x82\xb1\x82\xc6\x82\xaa\x82\xc5\x82\xab"
    "\x82\xdc\x82\xb9\x82\xf1-12";

// A DXF of this many bytes or fewer holds nothing to read.
constexpr std::int32_t kSmallestDxf = 9;

}  // namespace

int import_dxf_file(const std::string& path, ImportState& state,
                    const DxfImportOptions& options) {
    DxfContext context(state);
    if (!context.reader.open(path)) {
        show_error(state.messages, kCannotOpen, utf8_to_cp932(path).c_str());
        return -1;
    }
    if (file_size(path) <= kSmallestDxf) {
        show_error(state.messages, kCannotRead, utf8_to_cp932(path).c_str());
        return -1;
    }
    prepare_header(state, path);
    if (open_section_files(state) != 0) {
        close_all_streams(state);
        return -1;
    }
    run_reading_loop(context);
    context.reader.close();
    int result = context.failed ? -1 : 0;
    if (context.finish_sections() != 0) result = -1;
    number_used_layers_and_blocks(state);
    close_all_streams(state);
    if (assemble_store(state) != 0) result = -1;
    close_all_streams(state);
    if (options.block_tallies != nullptr) *options.block_tallies = context.block_tallies;
    if (options.delete_source_after_load) delete_file(path);
    return result;
}

}  // namespace zov
