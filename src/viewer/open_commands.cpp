#include "viewer/open_commands.h"

#include <cstdlib>
#include <optional>

#include "common/encoding.h"
#include "common/files.h"
#include "common/utf8_messages.h"
#include "dxf_import/dxf_line_reader.h"
#include "viewer/converter.h"
#include "viewer/file_dialog.h"
#include "viewer/history_file.h"
#include "viewer/load_drawing.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

std::optional<std::string> ask_for_drawing(ViewerShell& shell, const char* filter_utf8,
                                           const std::string& folder, const char* title_utf8) {
    FileDialogRequest request;
    request.filter = utf8_to_cp932(filter_utf8);
    request.initial_folder = folder;
    request.title = utf8_to_cp932(title_utf8);
    std::optional<std::string> chosen = shell.file_dialog.choose_file(request);
    if (!chosen) shell.state.current_file_label.clear();
    return chosen;
}

}  // namespace

void open_jwc_command(ViewerShell& shell) {
    const std::optional<std::string> path =
        ask_for_drawing(shell, "JWCﾌｧｲﾙ(*.JWC)|*.JWC|全てのﾌｧｲﾙ(*.*)|*.*||",
                        shell.state.jwc_folder, "ＪＷ_ＣＡＤのデータファイルを指定します");
    if (!path) return;
    shell.state.delete_source_after_load = false;
    load_drawing(shell, 0, *path);
}

void open_dxf_command(ViewerShell& shell) {
    const std::optional<std::string> path =
        ask_for_drawing(shell, "DXFﾌｧｲﾙ(*.DXF)|*.DXF|全てのﾌｧｲﾙ(*.*)|*.*||",
                        shell.state.dxf_folder, "ＤＸＦファイルを指定します");
    if (!path) return;
    shell.state.delete_source_after_load = false;
    load_drawing(shell, 0, *path);
}

void open_dwg_command(ViewerShell& shell) {
    if (check_converter(shell) != 0) return;
    const std::optional<std::string> path =
        ask_for_drawing(shell, "DWGﾌｧｲﾙ(*.DWG)|*.DWG|全てのﾌｧｲﾙ(*.*)|*.*||",
                        shell.state.dwg_folder, "ＡｕｔｏＣＡＤのデータファイルを指定します");
    if (!path) return;
    shell.state.delete_source_after_load = true;
    run_dwg_converter(shell, *path);
    load_drawing(shell, 0, *path);
}

std::vector<std::string> history_dialog_entries(const ViewerShell& shell) {
    std::vector<std::string> entries;
    DxfLineReader in;
    if (!in.open(shell.path(kSettingsFileName))) return entries;
    in.read_line(kSettingsLineMax);
    int count = std::atoi(std::string(in.line()).c_str());
    if (count > kHistoryMax) count = kHistoryMax;
    for (int skip = 0; skip < 7; ++skip) in.read_line(kSettingsLineMax);  // line 2 and the six after it
    for (int k = 0; k < count && in.read_line(kSettingsLineMax) == 1; ++k) entries.emplace_back(in.line());
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
    load_drawing(shell, 0, path);
    return true;
}

}  // namespace zov
