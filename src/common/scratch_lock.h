#pragma once
// Scratch folders that a run killed outright (SIGKILL, a crash, a power cut)
// left behind. Each ScratchFolder holds, for its owner's life, an flock'ed
// lock file inside it; a folder whose lock file is not held any more belongs
// to no running process and is removed when a run of the same program next
// makes a scratch folder in the same place.
#include <string>
#include <string_view>

namespace zov {

inline constexpr char kScratchLockName[] = "SCRATCH.LCK";

// Makes the lock file of the fresh folder `folder` (ending in "/") and locks
// it; the descriptor holds the lock until it is closed, -1 when it cannot be
// made. The file appears under its name already locked, so that a sweep never
// finds it free while its owner runs.
int lock_scratch_folder(const std::string& folder);

// Removes from `parent` ("" for the current folder) every folder named
// `prefix`-XXXXXX of this user whose lock is not held: a real folder (a link
// of that name is left alone, and links inside are removed, never followed),
// and one without a lock file only when it is older than a minute (it may be
// being made right now).
void remove_stale_scratch_folders(const std::string& parent, std::string_view prefix);

}  // namespace zov
