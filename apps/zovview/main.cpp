// ZovView: the drawing viewer. The headless commands below run without a
// window; they write to stdout and report failures on stderr.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

struct Command {
    const char* option;
    int (*run)(const CommandArgs& args);
};

constexpr Command kCommands[] = {
    {"--dump", dump_command},
    {"--render", render_command},
    {"--export-dxf", export_dxf_command},
    {"--help-drawing", help_drawing_command},
};

void print_usage() {
    std::fprintf(stderr,
                 "usage: zovview --dump FILE [--home DIR]\n"
                 "       zovview --render FILE -o OUT.png [--size WxH] "
                 "[--filter visible|all|hidden|locked]\n"
                 "               [--style standard|layers] [--dimension-ends 0|1|2|3] "
                 "[--home DIR]\n"
                 "       zovview --export-dxf FILE -o OUT.dxf [--style standard|layers] "
                 "[--home DIR]\n"
                 "       zovview --help-drawing SOURCE -o ZovV_Hlp.dat\n");
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
