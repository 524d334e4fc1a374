// The entry of the program's Qt part: the window, or any headless command.
#include "commands.h"
#include "common/headless_commands.h"
#include "common/termination_cleanup.h"
#include "program_usage.h"
#include "qt_part.h"
#include "window/run_window.h"

namespace {

constexpr zov::HeadlessCommand kCommands[] = {
    {"--dump", dump_command},
    {"--render", render_command},
    {"--export-dxf", export_dxf_command},
    {"--help-drawing", help_drawing_command},
};

}  // namespace

extern "C" __attribute__((visibility("default"))) int zovview_qt_main(int argc, char** argv) {
    // The part has a copy of the common library of its own: its scratch
    // folders and outputs are registered there, so its thread takes the signals.
    zov::start_termination_cleanup();
    if (wants_window(argc, argv)) return run_viewer_window(argc, argv);
    return zov::run_headless_command(kCommands, argc, argv, kUsage);
}
