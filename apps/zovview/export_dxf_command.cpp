#include <cstdio>

#include "commands.h"

int export_dxf_command(const CommandArgs&) {
    std::fprintf(stderr, "zovview: this command is not available in this build\n");
    return 1;
}
