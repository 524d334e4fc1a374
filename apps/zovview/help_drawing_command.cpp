// zovview --help-drawing SOURCE -o ZovV_Hlp.dat: builds the help drawing from
// its source drawing (kept in apps/zovview/help/) at build time: SOURCE is
// loaded through the viewer's load pipeline in a fresh program folder, and
// the store becomes the help drawing, captioned "ZovViewについて".
#include <cstdio>
#include <string>

#include "commands.h"
#include "common/messages.h"
#include "viewer/headless_load.h"
#include "viewer/help_drawing.h"

int help_drawing_command(const CommandArgs& args) {
    if (args.size() != 3 || args[1] != "-o") {
        std::fprintf(stderr, "zovview --help-drawing: SOURCE and -o ZovV_Hlp.dat are needed\n");
        return zov::kExitMisuse;
    }
    const CommandFolder folder({});
    zov::ConsoleMessages messages;
    int result = zov::load_drawing_headless(folder.path(), args[0], messages);
    if (result == 0 && zov::make_help_drawing(folder.path(), args[2]) != 0) {
        std::fprintf(stderr, "zovview: %s cannot be written\n", args[2].c_str());
        result = -1;
    }
    if (result == 0) zov::print_written_file(args[2]);
    return result == 0 ? 0 : 1;
}
