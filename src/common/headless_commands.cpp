#include "common/headless_commands.h"

#include <cstdio>
#include <cstring>

namespace zov {

int run_headless_command(std::span<const HeadlessCommand> commands, int argc, char** argv,
                         const char* usage) {
    if (argc >= 2) {
        for (const HeadlessCommand& command : commands) {
            if (std::strcmp(argv[1], command.option) == 0)
                return command.run(CommandArgs(argv + 2, argv + argc));
        }
    }
    std::fputs(usage, stderr);
    return 1;
}

}  // namespace zov
