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
