#include "viewer/converter.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "common/paths.h"
#include "common/utf8_messages.h"
#include "viewer/file_dialog.h"
#include "viewer/load_drawing.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

// The folder the converter runs from: the one given with "/D:" first.
const std::string& converter_folder(const ViewerShell& shell) {
    return shell.state.command_line_converter_folder.empty()
               ? shell.state.converter_folder
               : shell.state.command_line_converter_folder;
}

// Starts the program without a shell and waits for its end; false when it
// could not be started (glibc reports a failed exec as posix_spawn's result).
bool run_and_wait(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

// What tells whether the converter wrote a file: its size and write time.
struct FileStamp {
    bool exists;
    std::int32_t size;
    std::int32_t write_time;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stamp_of(const std::string& path) {
    return {file_exists(path), file_size(path), file_write_time(path)};
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
        if (locate_file(shell, file.locate_title, file.name, file.ext, folder) == 0) {
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
    state.delete_source_after_load = true;
    state.dwg_folder = split_path(dwg_path).folder;
    const std::string dxf_path = set_extension_dxf(dwg_path);
    const FileStamp before = stamp_of(dxf_path);
    const bool started = run_and_wait(converter_arguments(shell, dwg_path));
    const FileStamp after = stamp_of(dxf_path);
    state.converter_ran = true;
    state.converter_wrote_dxf = after.exists && after != before;
    if (!started) {
        show_error_utf8(shell.messages, "%s を実行できない",
                        converter_command_text(shell, dwg_path).c_str());
        return -1;
    }
    return 0;
}

}  // namespace zov
