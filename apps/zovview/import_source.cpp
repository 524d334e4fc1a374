#include "commands.h"

#include <cstdlib>

#include "common/files.h"
#include "common/messages.h"

std::string command_program_folder(const CommandArgs& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--home") {
            std::string folder = args[i + 1];
            if (folder.empty() || folder.back() != '/') folder += '/';
            zov::make_folders(folder);
            return folder;
        }
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zovview-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return "./";
    return pattern + "/";
}

int import_source(const std::string& file, const std::string&, zov::Messages& messages) {
    zov::show_error(messages, "%s: no importer for this kind of file", file.c_str());
    return -1;
}
