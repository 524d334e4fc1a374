#pragma once
// The viewer's headless commands. Each takes the arguments after its own
// option name and returns the process exit code: 0, 1 after a reported
// failure, or 2 (kExitMisuse) after a one-line reason for a wrong argument.
#include <string>
#include <vector>

#include "common/headless_commands.h"

using zov::CommandArgs;

int dump_command(const CommandArgs& args);
int render_command(const CommandArgs& args);
int export_dxf_command(const CommandArgs& args);
int help_drawing_command(const CommandArgs& args);

namespace zov {
class Messages;
}

// The program folder of a headless command: the folder given with --home DIR
// (created when missing), or else a fresh temporary folder, so that a command
// never disturbs the store of a viewer that is open. The path ends in "/". A
// temporary folder goes again, with all it holds, when the object does; a
// folder named with --home is always left alone.
class CommandFolder {
public:
    explicit CommandFolder(const CommandArgs& args);
    ~CommandFolder();
    CommandFolder(const CommandFolder&) = delete;
    CommandFolder& operator=(const CommandFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool temporary_ = false;
};

// Loads FILE through the viewer's load pipeline into the drawing store of
// `program_folder`. Returns 0, or -1 after a reported failure.
int import_source(const std::string& file, const std::string& program_folder,
                  zov::Messages& messages);
