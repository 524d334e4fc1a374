#include "viewer/load_drawing.h"

#include "common/clock.h"
#include "common/encoding.h"
#include "common/paths.h"
#include "dxf_import/dxf_import.h"
#include "jw/jw_import.h"
#include "viewer/converter.h"
#include "viewer/history_file.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

constexpr char kLoadDatePattern[] = "%Y\x94\x4e%m\x8c\x8e%d\x93\xfa";  // %Y年%m月%d日

int import_dxf(ViewerShell& shell, const std::string& path, bool delete_after_load) {
    DxfImportOptions options;
    options.delete_source_after_load = delete_after_load;
    return import_dxf_file(path, shell.import, options);
}

int import_by_kind(ViewerShell& shell, int kind, const std::string& path) {
    ShellState& state = shell.state;
    switch (kind) {
        case kJwCadDrawing:
            return import_jwc_file(path, shell.import, shell.messages, shell.jw_settings);
        case kDxfDrawing:
            return import_dxf(shell, path, false);
        case kDwgDrawing:
            run_dwg_converter(shell, path);
            // Only a DXF that the converter has just written is deleted after
            // the import; one that was there before is the user's own.
            return import_dxf(shell, set_extension_dxf(path),
                              state.delete_source_after_load && state.converter_wrote_dxf);
        default:
            return -1;
    }
}

}  // namespace

int classify_drawing_file(ViewerShell& shell, const std::string& path) {
    const PathParts parts = split_path(path);
    ShellState& state = shell.state;
    int kind = kNotDrawing;
    std::string* remembered = nullptr;
    if (equals_ignore_case(parts.extension, ".jwc")) {
        kind = kJwCadDrawing;
        remembered = &state.jwc_folder;
    } else if (equals_ignore_case(parts.extension, ".dxf")) {
        kind = kDxfDrawing;
        remembered = &state.dxf_folder;
    } else if (equals_ignore_case(parts.extension, ".dwg")) {
        kind = kDwgDrawing;
        remembered = &state.dwg_folder;
    }
    // A folder that cannot stand on one settings line is not remembered: the
    // setting keeps what it was.
    if (remembered != nullptr && fits_settings_line(utf8_to_cp932(parts.folder)))
        *remembered = parts.folder;
    return kind;
}

std::string set_extension_dxf(const std::string& path) {
    return replace_extension(path, ".DXF");
}

int load_drawing(ViewerShell& shell, int no_settings_save, const std::string& path) {
    ShellState& state = shell.state;
    const int kind = classify_drawing_file(shell, path);
    if (kind == kNotDrawing) return -1;
    state.delete_source_after_load = kind == kDwgDrawing;
    state.load_date = format_local_time(kLoadDatePattern, shell.clock.now());
    // A name with a line break is left out of the history: in the settings
    // file it would shift the lines after it. (A long entry is cut to its
    // record, which always fits one line.)
    const std::string label = history_label(path);
    if (label.find_first_of("\r\n") == std::string::npos)
        add_history_entry(shell, label);
    else
        state.current_file_label = path;
    const int result = import_by_kind(shell, kind, path);
    state.help_shown = false;
    if (no_settings_save == 0) save_settings(shell);
    return result;
}

}  // namespace zov
