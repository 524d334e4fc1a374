#include "commands.h"
#include "viewer/headless_load.h"

int import_source(const std::string& file, const std::string& program_folder,
                  zov::Messages& messages, std::vector<std::string>* notes) {
    return zov::load_drawing_headless(program_folder, file, messages, notes);
}
