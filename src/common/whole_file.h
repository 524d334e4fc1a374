#pragma once
// Output files written whole or not at all, and private scratch folders.
//
// An output is first written to a fresh temporary name beside its target
// (created exclusively, never through a link planted there), then flushed,
// synced and closed with every step checked, and only then renamed to the
// target. A run that fails or stops leaves the target as it was and no
// temporary file behind: a run ended by SIGINT, SIGTERM or SIGHUP removes it
// (termination_cleanup.h), and one killed outright leaves it to the next run
// that writes beside it, which removes the temporary files of runs that have
// ended.
#include <cstdio>
#include <string>
#include <string_view>

namespace zov {

// What may happen to a target that already exists.
enum class ExistingTarget { Replace, Keep };

// Whether a commit waits for the file to reach the disk before it takes the
// target's name: Unsynced only for a file that goes with the run anyway.
enum class Durability { Synced, Unsynced };

class WholeFileOutput {
public:
    WholeFileOutput() = default;
    ~WholeFileOutput();  // an output that was not committed is discarded
    WholeFileOutput(const WholeFileOutput&) = delete;
    WholeFileOutput& operator=(const WholeFileOutput&) = delete;

    // Creates the temporary file beside `target` (a file-system path); false
    // when it cannot be created, or when `target` is there and is not a
    // regular file (a folder, device, pipe or socket is never replaced).
    bool open(const std::string& target);
    bool is_open() const { return file_ != nullptr; }
    std::FILE* stream() const { return file_; }

    // Finishes the temporary file and renames it to the target; with
    // ExistingTarget::Keep an existing target is left alone and the commit
    // fails. false when anything failed: the temporary file is then gone.
    bool commit(ExistingTarget existing = ExistingTarget::Replace,
                Durability durability = Durability::Synced);
    // Closes and removes the temporary file.
    void discard();

private:
    std::FILE* file_ = nullptr;
    std::string target_;
    std::string temporary_;
    unsigned long cleanup_ticket_ = 0;
};

// Writes `bytes` as the whole file `target`; false when it could not be
// written whole (the target is then as it was).
bool write_whole_file(const std::string& target, std::string_view bytes,
                      ExistingTarget existing = ExistingTarget::Replace);

// A folder of the run's own (mode 0700, a fresh name made from `prefix`)
// inside `parent`, so that its fixed-name scratch files are never shared with
// another run nor reached through a link planted beforehand. It goes again,
// with all it holds, when the object does or a terminating signal comes; it
// holds its lock file while it exists, and the first folder a run makes in a
// place first removes the folders of that prefix left there by runs killed
// outright (scratch_lock.h).
class ScratchFolder {
public:
    ScratchFolder() = default;
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Creates the folder ("" `parent` is the current folder); false when it
    // cannot be created.
    bool create(const std::string& parent, std::string_view prefix);
    // Removes the folder and its files now.
    void remove();
    bool exists() const { return !path_.empty(); }
    // The folder, ending in "/"; "" before create().
    const std::string& path() const { return path_; }

private:
    std::string path_;
    int lock_fd_ = -1;
    unsigned long cleanup_ticket_ = 0;
};

}  // namespace zov
