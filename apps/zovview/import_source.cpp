#include <cstdio>

#include "commands.h"
#include "common/output_target.h"
#include "viewer/headless_load.h"

int import_source(const std::string& file, const CommandFolder& folder, zov::Messages& messages,
                  std::vector<std::string>* notes, zov::LossReport* dropped) {
    const zov::Durability durability =
        folder.store_is_temporary() ? zov::Durability::Unsynced : zov::Durability::Synced;
    return zov::load_drawing_headless(folder.path(), file, messages, folder.store(), notes, dropped,
                                      durability);
}

bool may_write_output(const std::string& output, const std::vector<std::string>& sources,
                      bool replace) {
    switch (zov::check_output_target(output, sources)) {
        case zov::OutputTarget::IsSource:
            std::fprintf(stderr, "zovview: %s is the drawing being read; choose another output\n",
                         output.c_str());
            return false;
        case zov::OutputTarget::Exists:
            if (replace) return true;
            std::fprintf(stderr, "zovview: %s exists; give --yes to replace it\n", output.c_str());
            return false;
        case zov::OutputTarget::Free: break;
    }
    return true;
}
