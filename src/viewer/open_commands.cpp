#include "viewer/open_commands.h"

#include <cstdlib>
#include <optional>

#include "common/encoding.h"
#include "common/files.h"
#include "common/utf8_messages.h"
#include "dxf/line_reader.h"
#include "viewer/converter.h"
#include "viewer/file_dialog.h"
#include "viewer/history_file.h"
#include "viewer/load_drawing.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

// The open dialog of one kind of drawing: filter, remembered folder, title.
struct DrawingDialog {
    const char* filter;
    std::string ShellState::*folder;
    const char* title;
};

// JW_CAD for Windows drawings and symbols first, then the DOS files.
constexpr DrawingDialog kJwcDialog{
    "JW_CADﾌｧｲﾙ(*.JWW;*.JWS;*.JWC;*.JWK)|*.JWW;*.JWS;*.JWC;*.JWK|"
    "全てのﾌｧｲﾙ(*.*)|*.*||",
    &ShellState::jwc_folder, "ＪＷ_ＣＡＤのデータファイルを指定します"};
constexpr DrawingDialog kDxfDialog{"DXFﾌｧｲﾙ(*.DXF)|*.DXF|全てのﾌｧｲﾙ(*.*)|*.*||",
                                   &ShellState::dxf_folder, "ＤＸＦファイルを指定します"};
constexpr DrawingDialog kDwgDialog{"DWGﾌｧｲﾙ(*.DWG)|*.DWG|全てのﾌｧｲﾙ(*.*)|*.*||",
                                   &ShellState::dwg_folder,
                                   "ＡｕｔｏＣＡＤのデータファイルを指定します"};

// The chosen file; a cancelled dialog empties current_file_label.
std::optional<std::string> ask_for_drawing(ViewerShell& shell, const DrawingDialog& dialog) {
    FileDialogRequest request;
    request.filter = utf8_to_cp932(dialog.filter);
    request.initial_folder = shell.state.*dialog.folder;
    request.title = utf8_to_cp932(dialog.title);
    std::optional<std::string> chosen = shell.file_dialog.choose_file(request);
    if (!chosen) shell.state.current_file_label.clear();
    return chosen;
}

void open_drawing(ViewerShell& shell, const DrawingDialog& dialog) {
    const std::optional<std::string> path = ask_for_drawing(shell, dialog);
    if (!path) return;
    shell.state.delete_source_after_load = false;
    load_drawing(shell, SettingsFile::Rewrite, *path);
}

}  // namespace

void open_jwc_command(ViewerShell& shell) { open_drawing(shell, kJwcDialog); }

void open_dxf_command(ViewerShell& shell) { open_drawing(shell, kDxfDialog); }

void open_dwg_command(ViewerShell& shell) {
    if (check_converter(shell) != 0) return;
    const std::optional<std::string> path = ask_for_drawing(shell, kDwgDialog);
    if (!path) return;
    shell.state.delete_source_after_load = true;
    run_dwg_converter(shell, *path);
    load_drawing(shell, SettingsFile::Rewrite, *path);
}

std::vector<std::string> history_dialog_entries(const ViewerShell& shell) {
    std::vector<std::string> entries;
    DxfLineReader in;
    if (!in.open(shell.path(kViewerSettingsFileName))) return entries;
    in.read_line(kSettingsLineMax);
    int count = std::atoi(std::string(in.line()).c_str());
    if (count > kHistoryMax) count = kHistoryMax;
    for (int skip = 0; skip < 7; ++skip)
        in.read_line(kSettingsLineMax);  // line 2 and the six after it
    for (int k = 0; k < count && in.read_line(kSettingsLineMax) == 1; ++k)
        entries.emplace_back(in.line());
    return entries;
}

bool open_history_entry(ViewerShell& shell, const std::vector<std::string>& entries, int selected) {
    if (selected < 0 || selected >= static_cast<int>(entries.size())) return false;
    path_from_history_entry(shell.state, entries[static_cast<std::size_t>(selected)]);
    const std::string path = shell.state.current_file_label;
    if (!file_exists(path)) {
        show_error_utf8(shell.messages, "ファイルを開けません(%s)", path.c_str());
        return false;
    }
    load_drawing(shell, SettingsFile::Rewrite, path);
    return true;
}

}  // namespace zov
