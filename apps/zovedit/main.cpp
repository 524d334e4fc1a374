// ZovEdit: the DXF analyser. With an option it runs a headless command:
// messages go to stderr, the name of the file written to stdout. Otherwise
// it opens its editor window, on the file named by its one argument.
#include "commands.h"
#include "common/headless_commands.h"
#include "common/termination_cleanup.h"

namespace {

constexpr zov::HeadlessCommand kCommands[] = {
    {"--analyse", analyse_command},
    {"--rebuild", rebuild_command},
};

constexpr zov::ProgramUsage kUsage{
    "zovedit",
    "usage: zovedit [FILE]\n"
    "       zovedit --analyse FILE.dxf [-o OUT.TXT] [--form 0|1|2] [--comments 0|1]\n"
    "               [--cut 0|1] [--explain 0|1] [--select NAME,...] [--yes] [--force]\n"
    "       zovedit --rebuild FILE.TXT [-o OUT.DXF] [--rule 0|1|2] "
    "[--eol crlf|cr|lf] [--yes]\n"
    "       zovedit --help | --version\n"
    "A command prints the name of the file it wrote; --quiet shows only errors and warnings.\n"};

}  // namespace

// The window takes at most one argument, a file name; an option, or more
// than one argument, is a headless command line (or its misuse).
int main(int argc, char** argv) {
    zov::start_termination_cleanup();
    bool window = argc == 1 || (argc == 2 && (argv[1][0] != '-' || argv[1][1] == '\0'));
    if (!window) return zov::run_headless_command(kCommands, argc, argv, kUsage);
    return run_editor_window(argc, argv);
}
