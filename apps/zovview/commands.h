#pragma once
// The viewer's headless commands. Each takes the arguments after its own
// option name and returns the process exit code: 0, 1 after a reported
// failure, or 2 (kExitMisuse) after a one-line reason for a wrong argument.
#include <functional>
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
// `program_folder`; `notes`, when given, receives the import's notes.
// Returns 0, or -1 after a reported failure.
int import_source(const std::string& file, const std::string& program_folder,
                  zov::Messages& messages, std::vector<std::string>* notes = nullptr);

// One conversion of a batch: writes the output of `file` as `output`; 0, or
// 1 after a reported failure.
using BatchStep = std::function<int(const std::string& file, const std::string& output)>;

// True when -o names a folder: it ends in "/" or is one already.
bool names_folder(const std::string& output);

// Converts every file of `files` with `convert`. With one file, `output` is
// the output's path or a folder; with several it must be a folder (created
// when missing), into which each file's output goes under the file's name
// with `extension` (".dxf"). A progress line per file goes to stderr when
// there are several (not under --quiet); a failed file does not stop the
// others. 0 when every file was written, else 1; kExitMisuse for several
// files without a folder.
int run_batch(const std::vector<std::string>& files, const std::string& output,
              const std::string& extension, const BatchStep& convert);

// Moves a finished file to `to` whole or not at all: a rename, or across
// file systems a copy to a temporary name beside `to` that is then renamed.
bool move_into_place(const std::string& from, const std::string& to);
