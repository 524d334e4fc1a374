#include "viewer/converter.h"

#include <filesystem>

#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "common/paths.h"
#include "common/utf8_messages.h"
#include "viewer/converter_process.h"
#include "viewer/file_dialog.h"
#include "viewer/load_drawing.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

constexpr char kConverterLogName[] = "converter-output.txt";

bool uses_bundled_converter(const ShellState& state) {
    return !state.bundled_converter_folder.empty() &&
           !file_exists(state.converter_folder + kConverterProgramName);
}

// The folder the converter runs from: the one given with "/D:" first, then
// the user's own, then the bundled one.
const std::string& converter_folder(const ViewerShell& shell) {
    const ShellState& state = shell.state;
    if (!state.command_line_converter_folder.empty()) return state.command_line_converter_folder;
    return uses_bundled_converter(state) ? state.bundled_converter_folder : state.converter_folder;
}

// The DWG as the converter sees it, inside its own folder: a hard link, or
// a copy where a link cannot be made (another file system).
bool place_dwg(const std::string& dwg_path, const std::string& placed) {
    std::error_code error;
    std::filesystem::create_hard_link(dwg_path, placed, error);
    if (!error) return true;
    return std::filesystem::copy_file(dwg_path, placed, error) && !error;
}

}  // namespace

int locate_file(ViewerShell& shell, const char* title_utf8, const char* name, const char* ext,
                std::string& folder_out) {
    FileDialogRequest request;
    request.title = utf8_to_cp932(title_utf8);
    request.filter =
        utf8_to_cp932(format_text("%s%sﾌｧｲﾙ|%s%s|全てのﾌｧｲﾙ(*.*)|*.*||", name, ext, name, ext));
    request.initial_folder = shell.program_folder;
    const std::optional<std::string> chosen = shell.file_dialog.choose_file(request);
    if (!chosen) return -1;
    folder_out = absolute_folder(split_path(*chosen).folder);
    return 0;
}

namespace {

// One of the two files the converter needs, and what the user is told about it.
struct ConverterFile {
    const char* file_name;
    const char* question;  // "%s" is the file name
    const char* refusal;   // after No
    const char* locate_title;
    const char* name;
    const char* ext;
    const char* found;  // after the user pointed to it
};

constexpr ConverterFile kConverterFiles[] = {
    {kConverterProgramName, "%sを見つけられませんでした。ご自分で探しますか？",
     "DWGファイルを表示するにはDCONVERT.EXEとADINIT.DATが必要です。",
     "DCONVERT.EXEを指定してください", "DCONVERT", ".EXE",
     "DCONVERT.EXEが利用できます。再度DWGファイルを指定してください。"},
    {kConverterDataName, "%sを見つけられませんでした。ご自分でを探しますか？",
     "DWGファイルを表示するにはADINIT.DATとDCONVERT.EXEが必要です。",
     "DCONVERTが読み込むADINIT.DATを指定してください", "ADINIT", ".DAT",
     "ADINIT.DATが見つかりました。再度DWGファイルを指定してください。"},
};

}  // namespace

int check_converter(ViewerShell& shell) {
    ShellState& state = shell.state;
    if (uses_bundled_converter(state)) return 0;
    for (const ConverterFile& file : kConverterFiles) {
        if (file_exists(state.converter_folder + file.file_name)) continue;
        if (!ask_utf8(shell.messages, file.question, file.file_name)) {
            show_information_utf8(shell.messages, "%s", file.refusal);
            return -1;
        }
        std::string folder;
        // A folder that cannot stand on its settings line is not taken.
        if (locate_file(shell, file.locate_title, file.name, file.ext, folder) == 0 &&
            fits_settings_line(utf8_to_cp932(folder))) {
            state.converter_folder = folder;
            show_information_utf8(shell.messages, "%s", file.found);
        }
        return -1;  // the user starts the DWG command again
    }
    return 0;
}

std::string converter_command_text(const ViewerShell& shell, const std::string& dwg_path) {
    return format_text("%sDCONVERT.EXE %s DXF", converter_folder(shell).c_str(), dwg_path.c_str());
}

std::vector<std::string> converter_arguments(const ViewerShell& shell,
                                             const std::string& dwg_path) {
    return {converter_folder(shell) + kConverterProgramName, dwg_path, "DXF"};
}

std::string find_bundled_converter(const std::string& executable_folder) {
    if (executable_folder.empty()) return {};
    for (const char* place : {"../lib/zovview/dwg-converter/", "dwg-converter/"}) {
        std::error_code error;
        const std::filesystem::path folder =
            std::filesystem::weakly_canonical(executable_folder + place, error);
        if (error) continue;
        std::string found = absolute_folder(folder.string());
        if (file_exists(found + kConverterProgramName) && file_exists(found + kConverterDataName))
            return found;
    }
    return {};
}

namespace {

// Runs the converter on the DWG placed in its own folder and tells the user
// what went wrong: 0 when it ended by itself and did not say it failed.
int run_in_conversion_folder(ViewerShell& shell, const std::string& dwg_path,
                             const std::string& placed) {
    const ShellState& state = shell.state;
    const std::string command = converter_command_text(shell, dwg_path);
    const std::string log = shell.conversion.path() + kConverterLogName;
    const int limit =
        state.converter_time_limit_seconds > 0 ? state.converter_time_limit_seconds : 1;
    const ProcessOutcome outcome = [&] {
        LoadStepScope step(shell.activity, LoadStep::Converting, dwg_path);
        return run_converter_process(converter_arguments(shell, placed), log, limit,
                                     shell.activity);
    }();
    switch (outcome.end) {
        case ProcessEnd::Exited: {
            // A converter that says why it failed is believed; one that says
            // nothing leads to the DXF importer's message for the missing file.
            const std::string reason = last_log_line(log);
            if (outcome.exit_code == 0 || reason.empty()) return 0;
            show_error_utf8(shell.messages, "%s を変換できませんでした。\n%s", dwg_path.c_str(),
                            reason.c_str());
            return -1;
        }
        case ProcessEnd::Crashed: {
            const std::string reason = last_log_line(log);
            show_error_utf8(shell.messages, "%s が異常終了しました(シグナル %d)。%s%s",
                            command.c_str(), outcome.signal_number, reason.empty() ? "" : "\n",
                            reason.c_str());
            return -1;
        }
        case ProcessEnd::NotStarted:
            show_error_utf8(shell.messages, "%s を実行できない", command.c_str());
            return -1;
        case ProcessEnd::TimedOut:
            show_error_utf8(shell.messages, "%s が%d秒たっても終わらないので止めました",
                            command.c_str(), limit);
            return -1;
        case ProcessEnd::Cancelled: return -1;  // the user stopped it: nothing to tell
    }
    return -1;
}

}  // namespace

int run_dwg_converter(ViewerShell& shell, const std::string& dwg_path) {
    ShellState& state = shell.state;
    if (state.converter_ran) return state.converter_result;
    state.converter_ran = true;
    state.converter_result = -1;
    state.delete_source_after_load = true;
    state.converted_dxf.clear();
    const PathParts parts = split_path(dwg_path);
    if (fits_settings_line(utf8_to_cp932(parts.folder))) state.dwg_folder = parts.folder;
    if (!shell.conversion.create(shell.store_folder, "dwg")) {
        show_error_utf8(shell.messages, "%s を作成できない", (shell.store_folder + "dwg-").c_str());
        return -1;
    }
    const std::string placed = shell.conversion.path() + parts.name + parts.extension;
    if (!place_dwg(dwg_path, placed)) {
        show_error_utf8(shell.messages, "%s をオープンできない", dwg_path.c_str());
        return -1;
    }
    state.converted_dxf = set_extension_dxf(placed);
    state.converter_result = run_in_conversion_folder(shell, dwg_path, placed);
    return state.converter_result;
}

}  // namespace zov
