#include "viewer/load_drawing.h"

#include "common/clock.h"
#include "common/encoding.h"
#include "common/files.h"
#include "common/japanese_texts.h"
#include "common/paths.h"
#include "common/utf8_messages.h"
#include "dxf_import/dxf_import.h"
#include "jw/jww_import.h"
#include "viewer/converter.h"
#include "viewer/history_file.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

// JW_CAD for Windows drawings and symbols, and the DOS data and symbol files.
bool is_jw_cad_extension(std::string_view extension) {
    for (const char* known : {".jww", ".jws", ".jwc", ".jwk"})
        if (equals_ignore_case(extension, known)) return true;
    return false;
}

const char* const kLoadDatePattern = cp932_text(JaText::LoadDatePattern);

int import_dxf(ViewerShell& shell, const std::string& path, bool delete_after_load) {
    DxfImportOptions options;
    options.delete_source_after_load = delete_after_load;
    return import_dxf_file(path, shell.import, options);
}

// The DXF the converter made for `dwg_path`; a converter that made none is
// reported with the DXF the user expects beside the DWG.
int import_converted_dxf(ViewerShell& shell, const std::string& dwg_path) {
    const std::string& converted = shell.state.converted_dxf;
    if (converted.empty() || !file_exists(converted)) {
        show_error_utf8(shell.messages, " %s をオープンできない-1",
                        set_extension_dxf(dwg_path).c_str());
        return -1;
    }
    return import_dxf(shell, converted, shell.state.delete_source_after_load);
}

// A DXF or DWG drawing imported with nothing to draw is said plainly, rather
// than left as an empty view.
int said_when_empty(ViewerShell& shell, const std::string& path, int result) {
    if (result == 0 && shell.import.header.ent_num == 0)
        show_error_utf8(shell.messages,
                        "%s のモデル空間には図形がありません(no entities in model space)",
                        path.c_str());
    return result;
}

int import_by_kind(ViewerShell& shell, int kind, const std::string& path) {
    switch (kind) {
        case kJwCadDrawing:
            return import_jw_cad_file(path, shell.import, shell.messages, shell.jw_settings);
        case kDxfDrawing: return said_when_empty(shell, path, import_dxf(shell, path, false));
        case kDwgDrawing: {
            // The converter works in a folder of its own: what it made is
            // read from there, and the user's files beside the DWG are never
            // read as its result nor deleted.
            const int result = run_dwg_converter(shell, path) == 0
                                   ? said_when_empty(shell, path, import_converted_dxf(shell, path))
                                   : -1;
            shell.conversion.remove();
            return result;
        }
        default: return -1;
    }
}

}  // namespace

int drawing_kind_of(const std::string& path) {
    const std::string extension = split_path(path).extension;
    if (is_jw_cad_extension(extension)) return kJwCadDrawing;
    if (equals_ignore_case(extension, ".dxf")) return kDxfDrawing;
    if (equals_ignore_case(extension, ".dwg")) return kDwgDrawing;
    return kNotDrawing;
}

std::optional<std::string> dropped_drawing(const std::vector<std::string>& paths) {
    if (paths.empty() || drawing_kind_of(paths.front()) == kNotDrawing) return std::nullopt;
    return paths.front();
}

int classify_drawing_file(ViewerShell& shell, const std::string& path) {
    const PathParts parts = split_path(path);
    ShellState& state = shell.state;
    const int kind = drawing_kind_of(path);
    std::string* remembered = nullptr;
    if (kind == kJwCadDrawing) remembered = &state.jwc_folder;
    if (kind == kDxfDrawing) remembered = &state.dxf_folder;
    if (kind == kDwgDrawing) remembered = &state.dwg_folder;
    // A folder that cannot stand on one settings line is not remembered: the
    // setting keeps what it was.
    if (remembered != nullptr && fits_settings_line(utf8_to_cp932(parts.folder)))
        *remembered = parts.folder;
    return kind;
}

std::string set_extension_dxf(const std::string& path) { return replace_extension(path, ".DXF"); }

int load_drawing(ViewerShell& shell, SettingsFile settings, const std::string& path) {
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
    int result = -1;
    {
        LoadStepScope importing(shell.activity, LoadStep::Importing, path);
        result = import_by_kind(shell, kind, path);
    }
    state.help_shown = false;
    if (settings == SettingsFile::Rewrite) save_settings(shell);
    return result;
}

}  // namespace zov
