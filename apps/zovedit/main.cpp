// ZovEdit: the DXF analyser. With an option it runs a headless command:
// messages go to stderr, the name of the file written to stdout. Otherwise
// it opens its editor window, on the file named by its one argument.
#include <cstring>

#include "commands.h"
#include "common/headless_commands.h"

namespace {

constexpr zov::HeadlessCommand kCommands[] = {
    {"--analyse", analyse_command},
    {"--rebuild", rebuild_command},
};

constexpr char kUsage[] =
    "usage: zovedit [FILE]\n"
    "       zovedit --analyse FILE.dxf [-o OUT.TXT] [--form 0|1|2] [--comments 0|1]\n"
    "               [--cut 0|1] [--explain 0|1] [--select NAME,...]\n"
    "       zovedit --rebuild FILE.TXT [-o OUT.DXF] [--rule 0|1|2] "
    "[--eol crlf|cr|lf] [--yes]\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && argv[1][0] == '-' && argv[1][1] != '\0')
        return zov::run_headless_command(kCommands, argc, argv, kUsage);
    return run_editor_window(argc, argv);
}
