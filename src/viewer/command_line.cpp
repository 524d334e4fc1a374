#include "viewer/command_line.h"

#include "common/files.h"
#include "common/utf8_messages.h"
#include "viewer/converter.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

constexpr char kConverterOption[] = "/D:";

std::string absolute_path(const std::string& path, const std::string& current_folder) {
    if (path.empty() || path.front() == '/') return path;
    std::string folder = current_folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + path;
}

}  // namespace

std::vector<std::string> start_command_line(const std::vector<std::string>& arguments,
                                            const std::string& current_folder) {
    std::vector<std::string> line;
    if (arguments.empty()) return line;
    line.push_back(absolute_path(arguments[0], current_folder));
    if (arguments.size() > 1) {
        const std::string& option = arguments[1];
        line.push_back(option.starts_with(kConverterOption)
                           ? kConverterOption + absolute_path(option.substr(3), current_folder)
                           : option);
    }
    return line;
}

int parse_command_line(ViewerShell& shell, const std::vector<std::string>& command_line) {
    ShellState& state = shell.state;
    if (command_line.empty() || command_line[0].empty()) return -1;
    state.start_file = command_line[0];
    if (!file_exists(state.start_file)) {
        show_information_utf8(shell.messages, "%sを見つけられません", state.start_file.c_str());
        state.start_file.clear();
        return -1;
    }
    if (command_line.size() < 2 || !command_line[1].starts_with(kConverterOption)) return 1;
    std::string folder = command_line[1].substr(3);
    if (folder.empty() || folder.back() != '/') folder += '/';
    if (file_exists(folder + kConverterProgramName)) {
        state.command_line_converter_folder = folder;
        return 2;
    }
    state.command_line_converter_folder.clear();
    return -1;
}

}  // namespace zov
