#pragma once
// The windowed viewer's program folder, where it keeps its settings, history,
// store files and help drawing: $ZOVVIEW_HOME when set, else
// ${XDG_DATA_HOME:-$HOME/.local/share}/zovview/. (The executable's own folder
// is usually not writable on Linux.)
#include <string>

namespace zov {

// The folder, ending in "/", created when missing; "" when it cannot be created.
std::string viewer_program_folder();

// Where a headless command makes its temporary program folder: $TMPDIR when
// it is a folder this user can write into, else /tmp; "" when neither is (the
// store is never put into the current folder instead).
std::string temporary_folder_parent();

// The folder of the running executable, ending in "/"; "" when unknown.
std::string executable_folder();

// The program folder of a windowed viewer started from `executable_folder`,
// with the help drawing copied in from the installed data when it has none.
std::string prepare_program_folder(const std::string& executable_folder);

}  // namespace zov
