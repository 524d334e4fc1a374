#include "viewer/converter.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <chrono>
#include <filesystem>
#include <thread>

#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "common/paths.h"
#include "common/utf8_messages.h"
#include "viewer/file_dialog.h"
#include "viewer/load_drawing.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

// The folder the converter runs from: the one given with "/D:" first.
const std::string& converter_folder(const ViewerShell& shell) {
    return shell.state.command_line_converter_folder.empty()
               ? shell.state.converter_folder
               : shell.state.command_line_converter_folder;
}

constexpr int kPollMilliseconds = 20;

enum class RunResult { Ended, NotStarted, TimedOut };

// Starts the program without a shell and waits for its end, at most
// `limit_seconds`; a program still running then is killed (glibc reports a
// failed exec as posix_spawn's result).
RunResult run_and_wait(const std::vector<std::string>& arguments, int limit_seconds) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return RunResult::NotStarted;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limit_seconds);
    int status = 0;
    while (true) {
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child || (ended < 0 && errno != EINTR)) return RunResult::Ended;
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    }
    ::kill(child, SIGKILL);
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return RunResult::TimedOut;
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
    request.filter = utf8_to_cp932(
        format_text("%s%sﾌｧｲﾙ|%s%s|全てのﾌｧｲﾙ(*.*)|*.*||", name, ext, name, ext));
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
    const char* question;     // "%s" is the file name
    const char* refusal;      // after No
    const char* locate_title;
    const char* name;
    const char* ext;
    const char* found;        // after the user pointed to it
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

std::vector<std::string> converter_arguments(const ViewerShell& shell, const std::string& dwg_path) {
    return {converter_folder(shell) + kConverterProgramName, dwg_path, "DXF"};
}

int run_dwg_converter(ViewerShell& shell, const std::string& dwg_path) {
    ShellState& state = shell.state;
    if (state.converter_ran) return 0;
    state.converter_ran = true;
    state.delete_source_after_load = true;
    state.converted_dxf.clear();
    const PathParts parts = split_path(dwg_path);
    if (fits_settings_line(utf8_to_cp932(parts.folder))) state.dwg_folder = parts.folder;
    const std::string command = converter_command_text(shell, dwg_path);
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
    const int limit = state.converter_time_limit_seconds > 0 ? state.converter_time_limit_seconds : 1;
    switch (run_and_wait(converter_arguments(shell, placed), limit)) {
        case RunResult::Ended:
            return 0;
        case RunResult::NotStarted:
            show_error_utf8(shell.messages, "%s を実行できない", command.c_str());
            return -1;
        case RunResult::TimedOut:
            show_error_utf8(shell.messages, "%s が%d秒たっても終わらないので止めました", command.c_str(),
                            limit);
            return -1;
    }
    return -1;
}

}  // namespace zov
