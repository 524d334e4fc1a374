#include <cstdlib>
#include <filesystem>

#include "commands.h"
#include "common/files.h"

CommandFolder::CommandFolder(const CommandArgs& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--home") {
            path_ = args[i + 1];
            if (path_.empty() || path_.back() != '/') path_ += '/';
            zov::make_folders(path_);
            return;
        }
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zovview-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        path_ = "./";
        return;
    }
    path_ = pattern + "/";
    temporary_ = true;
}

CommandFolder::~CommandFolder() {
    if (!temporary_) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
