// ZovEdit: the DXF analyser. The headless commands below run without a
// window: messages go to stderr, the name of the file written to stdout.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

struct Command {
    const char* option;
    int (*run)(const CommandArgs& args);
};

constexpr Command kCommands[] = {
    {"--analyse", analyse_command},
    {"--rebuild", rebuild_command},
};

void print_usage() {
    std::fprintf(stderr,
                 "usage: zovedit --analyse FILE.dxf [-o OUT.TXT] [--form 0|1|2] [--comments 0|1]\n"
                 "               [--cut 0|1] [--explain 0|1] [--select NAME,...]\n"
                 "       zovedit --rebuild FILE.TXT [-o OUT.DXF] [--rule 0|1|2] "
                 "[--eol crlf|cr|lf] [--yes]\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2) {
        for (const Command& command : kCommands) {
            if (std::strcmp(argv[1], command.option) == 0)
                return command.run(CommandArgs(argv + 2, argv + argc));
        }
    }
    print_usage();
    return 1;
}
