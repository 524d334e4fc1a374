#pragma once
// The programs' headless commands: "PROGRAM --option ARGS..." runs the command
// named by the option with the arguments after it.
#include <span>
#include <string>
#include <vector>

namespace zov {

using CommandArgs = std::vector<std::string>;

// Exit codes of the command lines.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed (reported)
inline constexpr int kExitMisuse = 2;   // a wrong or missing argument

struct HeadlessCommand {
    const char* option;
    // Returns the process exit code: kExitSuccess, kExitFailure after a
    // reported failure, or kExitMisuse after a one-line reason on stderr.
    int (*run)(const CommandArgs& args);
};

// What --help shows: the program's name and its usage text.
struct ProgramUsage {
    const char* program;
    const char* text;
};

// Runs the command that argv[1] names and returns its exit code.
// - "--help" or "-h" anywhere: the usage on stdout, 0.
// - "--version": the program's name and version on stdout, 0.
// - no command or an unknown one: a one-line reason and the usage on stderr,
//   2; a command that returns kExitMisuse gets the usage after its reason.
// - "--quiet" anywhere: only errors and warnings are shown (see
//   quiet_output()); it is not passed on to the command.
int run_headless_command(std::span<const HeadlessCommand> commands, int argc, char** argv,
                         const ProgramUsage& usage);

// Prints the name of a file a command wrote on stdout, so that scripts can
// capture it; nothing under --quiet.
void print_written_file(const std::string& path);

}  // namespace zov
