#pragma once
// The load pipeline for commands without a window.
#include <string>
#include <vector>

#include "common/whole_file.h"

namespace zov {

class LossReport;
class Messages;

// Loads `path` through load_drawing exactly as the windowed viewer does, in
// `program_folder` (its settings are read, and written when missing), with
// the store in `store_folder` ("" for the program folder); every file dialog
// is cancelled and questions take the answers of `messages`. 0 after a
// successful import; -1 after a reported failure, also for a file that is
// not a drawing (a JW_CAD file, ".dxf" or ".dwg"). When `notes` is given it
// receives the import's notes on what it drew simpler than the file asks,
// and `dropped` what the import could not store at all.
// A DWG goes through the settings' converter folder, else through the
// converter bundled beside the running program. A store that goes with the
// command (`store_durability` Unsynced) is not synced to the disk.
int load_drawing_headless(const std::string& program_folder, const std::string& path,
                          Messages& messages, const std::string& store_folder = std::string(),
                          std::vector<std::string>* notes = nullptr, LossReport* dropped = nullptr,
                          Durability store_durability = Durability::Synced);

}  // namespace zov
