// ZovView: the drawing viewer. "zovview [FILE] [/D:FOLDER]" opens the
// window; the headless commands below ("zovview --option ...") run without
// one, write to stdout and report failures on stderr.

#include "commands.h"
#include "common/headless_commands.h"
#include "window/run_window.h"

namespace {

constexpr zov::HeadlessCommand kCommands[] = {
    {"--dump", dump_command},
    {"--render", render_command},
    {"--export-dxf", export_dxf_command},
    {"--help-drawing", help_drawing_command},
};

constexpr zov::ProgramUsage kUsage{"zovview",
    "usage: zovview [FILE] [/D:FOLDER]   (the window)\n"
    "       zovview --dump FILE [--home DIR]\n"
    "       zovview --render FILE -o OUT.png [--size WxH] "
    "[--filter visible|all|hidden|locked]\n"
    "               [--style standard|layers] [--dimension-ends 0|1|2|3] "
    "[--home DIR]\n"
    "       zovview --export-dxf FILE -o OUT.dxf [--style standard|layers] "
    "[--home DIR]\n"
    "       zovview --help-drawing SOURCE -o ZovV_Hlp.dat\n"
    "       zovview --help | --version\n"
    "A command that writes a file prints its name; --quiet shows only errors and warnings.\n"};

}  // namespace

int main(int argc, char** argv) {
    if (wants_window(argc, argv)) return run_viewer_window(argc, argv);
    return zov::run_headless_command(kCommands, argc, argv, kUsage);
}
