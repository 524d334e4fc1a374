#include <cstdio>

#include "commands.h"

int dump_command(const CommandArgs&) {
    std::fprintf(stderr, "zovview: this command is not available in this build\n");
    return 1;
}
