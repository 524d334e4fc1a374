#include "viewer/program_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "common/files.h"
#include "viewer/help_drawing.h"

namespace zov {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string with_trailing_slash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

std::string viewer_program_folder() {
    std::string folder = environment("ZOVVIEW_HOME");
    if (folder.empty()) {
        std::string data_home = environment("XDG_DATA_HOME");
        if (data_home.empty())
            data_home = with_trailing_slash(environment("HOME")) + ".local/share";
        folder = with_trailing_slash(data_home) + "zovview";
    }
    folder = absolute_folder(folder);
    return make_folders(folder) ? folder : std::string();
}

std::string temporary_folder_parent() {
    for (const std::string& folder : {environment("TMPDIR"), std::string("/tmp")}) {
        struct stat info {};
        if (!folder.empty() && ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
            ::access(folder.c_str(), W_OK | X_OK) == 0)
            return folder;
    }
    return std::string();
}

std::string executable_folder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string program(path, static_cast<std::size_t>(length));
    return program.substr(0, program.rfind('/') + 1);
}

std::string prepare_program_folder(const std::string& executable_folder) {
    std::string folder = viewer_program_folder();
    if (!folder.empty()) install_help_drawing(folder, installed_data_folders(executable_folder));
    return folder;
}

}  // namespace zov
