#pragma once
// Where the viewer looks for its Qt part (zovview-qt.so): beside the program
// in the build tree, in ../lib/zovview/ when installed. Only absolute places
// below the program's own folder are tried, never a bare or relative name,
// which dlopen would look up in the library path or the current folder.
#include <string>
#include <vector>

namespace zov {

inline constexpr char kQtPartName[] = "zovview-qt.so";

// The places to load the Qt part from, in order, for a program in
// `executable_folder` (ending in "/"); none when that folder is unknown ("")
// or not absolute.
std::vector<std::string> qt_part_candidates(const std::string& executable_folder);

}  // namespace zov
