#pragma once
// The viewer's headless commands. Each takes the arguments after its own
// option name and returns the process exit code: 0, 1 after a reported
// failure, or 2 (kExitMisuse) after a one-line reason for a wrong argument.
#include <functional>
#include <string>
#include <vector>

#include "common/headless_commands.h"
#include "common/whole_file.h"
#include "viewer/program_folder_claim.h"

using zov::CommandArgs;

int dump_command(const CommandArgs& args);
int render_command(const CommandArgs& args);
int export_dxf_command(const CommandArgs& args);
int help_drawing_command(const CommandArgs& args);

namespace zov {
class LossReport;
class Messages;
}  // namespace zov

// The program folder of a headless command: the folder given with --home DIR
// (made absolute, created when missing), or else a fresh temporary folder
// ($TMPDIR, else /tmp), so that a command never disturbs the store of a
// viewer that is open. The paths end in "/". A temporary folder goes again,
// with all it holds, when the object does or when the command is ended by
// SIGINT, SIGTERM or SIGHUP; a folder named with --home is always left
// alone. When another viewer holds the program folder, the store goes to a
// private subfolder of it (ProgramFolderClaim), removed in the same way.
// Make it before any other thread starts (a GUI application).
class CommandFolder {
public:
    explicit CommandFolder(const CommandArgs& args);
    CommandFolder(const CommandFolder&) = delete;
    CommandFolder& operator=(const CommandFolder&) = delete;

    // False after a reported failure to make or claim the folder.
    bool ok() const { return !program_.empty(); }
    const std::string& path() const { return program_; }
    const std::string& store() const { return claim_.store_folder(); }
    // True when the store goes with the command: a temporary program folder,
    // or a private store folder beside another viewer.
    bool store_is_temporary() const { return temporary_.exists() || claim_.is_private(); }

private:
    zov::ScratchFolder temporary_;
    zov::ProgramFolderClaim claim_;
    std::string program_;
};

// Loads FILE through the viewer's load pipeline into the drawing store of
// `folder`; `notes`, when given, receives the import's notes, `dropped` what
// the import could not store. Returns 0, or
// -1 after a reported failure.
int import_source(const std::string& file, const CommandFolder& folder, zov::Messages& messages,
                  std::vector<std::string>* notes = nullptr, zov::LossReport* dropped = nullptr);

// Whether OUT may be written by a command reading SOURCES: never over one of
// them, over an existing file only with --yes. Prints the refusal.
bool may_write_output(const std::string& output, const std::vector<std::string>& sources,
                      bool replace);

// One conversion of a batch: writes the output of `file` as `output`; 0, or
// 1 after a reported failure.
using BatchStep = std::function<int(const std::string& file, const std::string& output)>;

// True when -o names a folder: it ends in "/" or is one already.
bool names_folder(const std::string& output);

// Converts every file of `files` with `convert`. With one file, `output` is
// the output's path or a folder; with several it must be a folder (created
// when missing), into which each file's output goes under the file's name
// with `extension` (".dxf"). Each output is checked first (may_write_output
// against every file of the run, `replace` for --yes); a refused one counts
// as failed. A progress line per file goes to stderr when there are several
// (not under --quiet); a failed file does not stop the others. 0 when every
// file was written, else 1; kExitMisuse for several files without a folder.
int run_batch(const std::vector<std::string>& files, const std::string& output,
              const std::string& extension, bool replace, const BatchStep& convert);

// Moves a finished file to `to` whole or not at all, across file systems
// too, and never over a file that appeared under the name meanwhile unless
// `replace` allows it.
bool move_into_place(const std::string& from, const std::string& to, bool replace);
