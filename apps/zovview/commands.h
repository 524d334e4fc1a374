#pragma once
// The viewer's headless commands. Each takes the arguments after its own
// option name and returns the process exit code: 0, or 1 after a reported
// failure.
#include <string>
#include <vector>

using CommandArgs = std::vector<std::string>;

int dump_command(const CommandArgs& args);
int render_command(const CommandArgs& args);
int export_dxf_command(const CommandArgs& args);
int help_drawing_command(const CommandArgs& args);

namespace zov {
class Messages;
}

// The program folder of a headless command: the folder given with --home DIR
// (created when missing), or else a fresh temporary folder, so that a command
// never disturbs the store of a viewer that is open. Ends in "/".
std::string command_program_folder(const CommandArgs& args);

// Removes a fresh temporary folder of command_program_folder with all it
// holds; any other folder (one named with --home) is left alone.
void remove_temporary_folder(const std::string& folder);

// Imports FILE, by its kind, into the drawing store of `program_folder`.
// Returns 0, or -1 after a reported failure.
int import_source(const std::string& file, const std::string& program_folder,
                  zov::Messages& messages);
