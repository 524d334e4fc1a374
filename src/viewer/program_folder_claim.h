#pragma once
// Two viewers on one program folder (two windows, two headless commands with
// one --home, a script running in parallel) must not read each other's store.
// The first viewer holds the program folder for as long as it runs and keeps
// its store files there; a viewer that finds the folder held keeps its store
// files in a private subfolder, which goes when it ends. Both share only the
// settings and the history in ZovView.CFG, which are read and rewritten under
// the settings lock and replaced whole.
//
// The folder is held through two lock files, ZovView.LCK and a hidden twin:
// one of them deleted while the first viewer runs (a lock on a deleted file
// holds only that file) still keeps the folder from a second viewer, which
// makes a new file under the deleted name but finds the other one held.
#include <array>
#include <string>

#include "common/whole_file.h"

namespace zov {

inline constexpr std::array<const char*, 2> kProgramFolderLockNames = {"ZovView.LCK",
                                                                       ".ZovView.LCK"};

class ProgramFolderClaim {
public:
    ProgramFolderClaim() = default;
    ~ProgramFolderClaim();
    ProgramFolderClaim(const ProgramFolderClaim&) = delete;
    ProgramFolderClaim& operator=(const ProgramFolderClaim&) = delete;

    // Claims `program_folder` (absolute, ending in "/"). false when neither
    // the folder's lock nor a private store folder can be had.
    bool claim(const std::string& program_folder);

    // Where this viewer's store files go: the program folder for the first
    // viewer, else its private subfolder ("" before claim()).
    const std::string& store_folder() const { return store_folder_; }
    // True when the store lives in a private subfolder that goes with the claim.
    bool is_private() const { return private_store_.exists(); }

private:
    void release_locks();

    std::array<int, kProgramFolderLockNames.size()> lock_fds_{-1, -1};
    ScratchFolder private_store_;
    std::string store_folder_;
};

// The settings lock of a program folder, held for the object's life: every
// read and rewrite of ZovView.CFG and the history happens under it, so two
// viewers never interleave theirs.
class SettingsLock {
public:
    explicit SettingsLock(const std::string& program_folder);
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

private:
    int fd_ = -1;
};

}  // namespace zov
