// ZovView: the drawing viewer. "zovview [FILE] [/D:FOLDER]" opens the
// window; the headless commands ("zovview --option ...") run without one,
// write to stdout and report failures on stderr. The window and the commands
// that draw need Qt: they are the program's Qt part, loaded only for them,
// so that --dump starts without loading Qt's libraries.
#include <string_view>

#include "commands.h"
#include "common/headless_commands.h"
#include "common/termination_cleanup.h"
#include "program_usage.h"
#include "qt_part.h"

namespace {

constexpr zov::HeadlessCommand kCommandsWithoutQt[] = {
    {"--dump", dump_command},
};

// The command is --dump (--quiet may come first).
bool needs_no_qt(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg != "--quiet") return arg == "--dump";
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (needs_no_qt(argc, argv)) {
        zov::start_termination_cleanup();
        return zov::run_headless_command(kCommandsWithoutQt, argc, argv, kUsage);
    }
    return run_qt_part(argc, argv);
}
