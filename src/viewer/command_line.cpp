#include "viewer/command_line.h"

#include "common/files.h"
#include "common/utf8_messages.h"
#include "viewer/converter.h"
#include "viewer/viewer_shell.h"

namespace zov {

int parse_command_line(ViewerShell& shell, const std::string& command_line) {
    ShellState& state = shell.state;
    if (command_line.empty()) return -1;
    const std::size_t blank = command_line.find(' ');
    state.start_file = command_line.substr(0, blank);
    if (!file_exists(state.start_file)) {
        show_information_utf8(shell.messages, "%sを見つけられません", state.start_file.c_str());
        state.start_file.clear();
        return -1;
    }
    if (blank == std::string::npos) return 1;
    const std::size_t option = command_line.find("/D:", blank + 1);
    if (option == std::string::npos) return 1;
    // Resolved now: a relative folder would otherwise name another place
    // once it is run from elsewhere.
    const std::string folder = absolute_folder(command_line.substr(option + 3));
    if (file_exists(folder + kConverterProgramName)) {
        state.command_line_converter_folder = folder;
        return 2;
    }
    state.command_line_converter_folder.clear();
    return -1;
}

}  // namespace zov
