#pragma once
// The context object of one analyser session: its start folder, settings and
// the interfaces through which it talks to the user.
#include <string>

#include "analyser/settings.h"
#include "common/clock.h"
#include "common/messages.h"
#include "common/whole_file.h"

namespace zov {

class AnalyserDialogs;

// The file names the analyser keeps in its start folder.
inline constexpr char kAnalyserSettingsFileName[] = "ZovEdit.CFG";
inline constexpr char kItemTableFileName[] = "_ZOV_.CSV";
inline constexpr char kItemIndexFileName[] = "$V_KOU$.TMP";

// One analyser session: created by the caller, passed by reference.
struct AnalyserContext {
    AnalyserContext(std::string start_folder_cp932, Messages& messages_, const Clock& clock_,
                    AnalyserDialogs& dialogs_)
        : start_folder(std::move(start_folder_cp932)),
          messages(messages_),
          clock(clock_),
          dialogs(dialogs_) {}

    std::string start_folder;  // CP932, ends in "/"
    AnalyserSettings settings;
    // ZovEdit.CFG as this session last read or wrote it (settings_file.h):
    // a file found changed since then was saved by the user, and only what
    // the session itself changed is written over it.
    struct SettingsOnDisk {
        bool known = false;
        std::string bytes;
        AnalyserSettings settings;
    } settings_on_disk;
    std::string analysis_path;  // analysis file open in the editor, or ""
    // Lines of the last conversion that a rebuild cannot give back as they
    // were (reported when it ran).
    int round_trip_losses = 0;
    Messages& messages;
    const Clock& clock;
    AnalyserDialogs& dialogs;

    std::string start_file(const char* name) const { return start_folder + name; }

    // A scratch file of this session ($V_KOU$.TMP), CP932 path: in a folder of
    // its own inside the start folder, made on first use, so that two
    // sessions started in one folder never share it and a link planted under
    // its name is never followed. "" when that folder cannot be made. The
    // folder goes with the context, or earlier with `scratch.remove()`.
    std::string scratch_file(const char* name);
    ScratchFolder scratch;
};

}  // namespace zov
