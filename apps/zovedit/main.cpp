// ZovEdit: the DXF analyser. The headless commands below run without a
// window: messages go to stderr, the name of the file written to stdout.
#include "commands.h"
#include "common/headless_commands.h"

namespace {

constexpr zov::HeadlessCommand kCommands[] = {
    {"--analyse", analyse_command},
    {"--rebuild", rebuild_command},
};

constexpr zov::ProgramUsage kUsage{"zovedit",
    "usage: zovedit --analyse FILE.dxf [-o OUT.TXT] [--form 0|1|2] [--comments 0|1]\n"
    "               [--cut 0|1] [--explain 0|1] [--select NAME,...]\n"
    "       zovedit --rebuild FILE.TXT [-o OUT.DXF] [--rule 0|1|2] "
    "[--eol crlf|cr|lf] [--yes]\n"
    "       zovedit --help | --version\n"
    "A command prints the name of the file it wrote; --quiet shows only errors and warnings.\n"};

}  // namespace

int main(int argc, char** argv) {
    return zov::run_headless_command(kCommands, argc, argv, kUsage);
}
