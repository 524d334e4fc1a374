#pragma once
// The programs' headless commands: "PROGRAM --option ARGS..." runs the command
// named by the option with the arguments after it.
#include <span>
#include <string>
#include <vector>

namespace zov {

using CommandArgs = std::vector<std::string>;

struct HeadlessCommand {
    const char* option;
    // Returns the process exit code: 0, or 1 after a reported failure.
    int (*run)(const CommandArgs& args);
};

// Runs the command that argv[1] names and returns its exit code; prints
// `usage` to stderr and returns 1 when no command matches.
int run_headless_command(std::span<const HeadlessCommand> commands, int argc, char** argv,
                         const char* usage);

}  // namespace zov
