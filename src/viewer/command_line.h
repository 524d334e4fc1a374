#pragma once
// The viewer's command line: a drawing path, optionally followed by "/D:" and
// the folder of DCONVERT.EXE. On Linux the desktop and the shell hand over
// each argument whole, so a path with blanks is one argument.
#include <string>
#include <vector>

namespace zov {

class ViewerShell;

// The arguments that followed the program name, as the first repaint reads
// them: a relative FILE (and a relative "/D:" folder) made absolute against
// `current_folder`, so that they still hold once the program folder has
// become the current one. Arguments after the second are dropped.
std::vector<std::string> start_command_line(const std::vector<std::string>& arguments,
                                            const std::string& current_folder);

// Fills start_file (the whole first argument) and
// command_line_converter_folder (the second argument, when it begins with
// "/D:"). -1: no arguments, a start file that does not exist
// ("%sを見つけられません"), or a "/D:" folder without DCONVERT.EXE; 1: a start
// file alone; 2: a start file and a converter folder.
int parse_command_line(ViewerShell& shell, const std::vector<std::string>& command_line);

}  // namespace zov
