#include <cstdio>

#include "commands.h"
#include "common/files.h"
#include "viewer/program_folder.h"

CommandFolder::CommandFolder(const CommandArgs& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--home") {
            // Absolute from the start: the converter folder stored from it
            // must name this folder wherever the viewer runs next.
            program_ = zov::absolute_folder(args[i + 1]);
            if (!zov::make_folders(program_)) {
                std::fprintf(stderr, "zovview: the folder %s cannot be made\n", program_.c_str());
                program_.clear();
                return;
            }
            break;
        }
    }
    if (program_.empty()) {
        const std::string parent = zov::temporary_folder_parent();
        if (parent.empty() || !temporary_.create(parent, "zovview")) {
            std::fprintf(stderr,
                         "zovview: no folder for temporary files ($TMPDIR and /tmp cannot be "
                         "written)\n");
            return;
        }
        program_ = temporary_.path();
    }
    if (!claim_.claim(program_)) {
        std::fprintf(stderr, "zovview: the program folder %s cannot be used\n", program_.c_str());
        program_.clear();
        return;
    }
}
