#include "viewer/headless_load.h"

#include "common/clock.h"
#include "common/messages.h"
#include "viewer/converter.h"
#include "viewer/file_dialog.h"
#include "viewer/load_drawing.h"
#include "viewer/program_folder.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_shell.h"

namespace zov {

int load_drawing_headless(const std::string& program_folder, const std::string& path,
                          Messages& messages, const std::string& store_folder,
                          std::vector<std::string>* notes, LossReport* dropped,
                          Durability store_durability) {
    SystemClock clock;
    CancellingFileDialog no_dialog;
    ViewerShell shell(program_folder, messages, clock, no_dialog, store_folder);
    shell.import.store_durability = store_durability;
    if (load_settings(shell) != 0) return -1;
    shell.state.bundled_converter_folder = find_bundled_converter(executable_folder());
    if (classify_drawing_file(shell, path) == kNotDrawing) {
        show_error(messages, "%s: not a JW_CAD, DXF or DWG file", path.c_str());
        return -1;
    }
    const int result = load_drawing(shell, SettingsFile::Rewrite, path);
    if (notes != nullptr) *notes = shell.import.notes;
    if (dropped != nullptr) *dropped = shell.import.dropped;
    return result;
}

}  // namespace zov
