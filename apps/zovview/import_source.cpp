#include "commands.h"

#include <cstdlib>

#include "common/files.h"
#include "common/messages.h"
#include "common/paths.h"
#include "dxf_import/dxf_import.h"
#include "store/import_state.h"

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

namespace {

// The viewer's importers by the extension of the source file.
struct Importer {
    const char* extension;
    int (*import)(const std::string& file, zov::ImportState& state);
};

int import_dxf(const std::string& file, zov::ImportState& state) {
    return zov::import_dxf_file(file, state);
}

constexpr Importer kImporters[] = {
    {".dxf", import_dxf},
};

}  // namespace

int import_source(const std::string& file, const std::string& program_folder,
                  zov::Messages& messages) {
    for (const Importer& importer : kImporters) {
        if (!zov::has_extension(file, importer.extension)) continue;
        zov::ImportState state(program_folder, messages);
        return importer.import(file, state);
    }
    zov::show_error(messages, "%s: no importer for this kind of file", file.c_str());
    return -1;
}
