#pragma once
// The windowed viewer's program folder, where it keeps its settings, history,
// store files and help drawing: $ZOVVIEW_HOME when set, else
// ${XDG_DATA_HOME:-$HOME/.local/share}/zovview/. (The executable's own folder
// is usually not writable on Linux.)
#include <string>

namespace zov {

// The folder, ending in "/", created when missing; "" when it cannot be created.
std::string viewer_program_folder();

}  // namespace zov
