#pragma once
// The viewer's command line: a drawing path, optionally followed by "/D:" and
// the folder of DCONVERT.EXE.
#include <string>

namespace zov {

class ViewerShell;

// Fills start_file (the text up to the first blank) and
// command_line_converter_folder. -1: empty line, a start file that does not
// exist ("%sを見つけられません"), or a "/D:" folder without DCONVERT.EXE;
// 1: a start file alone; 2: a start file and a converter folder.
int parse_command_line(ViewerShell& shell, const std::string& command_line);

}  // namespace zov
