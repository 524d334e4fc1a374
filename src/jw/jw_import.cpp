#include "jw/jw_import.h"

#include <cstdio>

#include "common/cp932.h"
#include "common/messages.h"
#include "jw/jw_messages.h"
#include "store/header_dump.h"
#include "store/import_state.h"

namespace zov {

namespace {

// Set before the assembly so that it keeps the header's extents.
constexpr int kExtentsFromHeader = 10;

}  // namespace

int write_jw_line_types(ImportState& state, Messages& messages) {
    if (state.line_types != nullptr) std::fclose(state.line_types);
    state.line_types = std::fopen(state.path(kLineTypeFileName).c_str(), "w+b");
    state.header.line_num = 0;
    if (state.line_types == nullptr) {
        show_error(messages, kJwCannotCreateLineTypes);
        return -1;
    }
    for (int code = 1; code <= kLineTypeCount; ++code) {
        LineTypeRecord record;
        record.line_type = code;
        copy_bounded(record.name, kLineTypeNames[code - 1]);
        if (append_line_type(state, record) != 0) return -1;
        ++state.header.line_num;
    }
    return 0;
}

int import_jw_store(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings, JwDrawingReader read) {
    prepare_header(state, source_path);
    // Without its section files the import would write nowhere: stop, and
    // leave the store of the previous drawing as it is.
    if (open_jw_section_files(state) != 0) {
        close_all_streams(state);
        return -1;
    }
    state.string_length = 0;
    int result = read(source_path, state, messages, settings);
    // A stopped import leaves no store: the previous drawing's stays.
    if (import_stop_requested(state)) {
        discard_section_files(state);
        return -1;
    }
    write_jw_line_types(state, messages);
    close_all_streams(state);
    state.extents_taken = kExtentsFromHeader;
    if (assemble_store(state) != 0) result = -1;
    if (write_header_dump(state) != 0) return -1;
    return result;
}

int import_jwc_file(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings) {
    return import_jw_store(source_path, state, messages, settings, read_jw_drawing);
}

int import_jwc_file(const std::string& source_path, ImportState& state, Messages& messages) {
    JwImportSettings settings;
    return import_jwc_file(source_path, state, messages, settings);
}

}  // namespace zov
