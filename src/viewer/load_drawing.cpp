#include "viewer/load_drawing.h"

#include "common/clock.h"
#include "common/japanese_texts.h"
#include "common/paths.h"
#include "dxf_import/dxf_import.h"
#include "jw/jw_import.h"
#include "viewer/converter.h"
#include "viewer/history_file.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

const char* const kLoadDatePattern = cp932_text(JaText::LoadDatePattern);

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
    if (equals_ignore_case(parts.extension, ".jwc")) {
        state.jwc_folder = parts.folder;
        return kJwCadDrawing;
    }
    if (equals_ignore_case(parts.extension, ".dxf")) {
        state.dxf_folder = parts.folder;
        return kDxfDrawing;
    }
    if (equals_ignore_case(parts.extension, ".dwg")) {
        state.dwg_folder = parts.folder;
        return kDwgDrawing;
    }
    return kNotDrawing;
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
    add_history_entry(shell, history_label(path));
    const int result = import_by_kind(shell, kind, path);
    state.help_shown = false;
    if (no_settings_save == 0) save_settings(shell);
    return result;
}

}  // namespace zov
