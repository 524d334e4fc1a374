#include "viewer/program_folder_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/scratch_lock.h"

namespace zov {

namespace {

constexpr char kPrivateStorePrefix[] = "instance";

// Tries at taking a lock file that others keep replacing under its name.
constexpr int kLockAttempts = 5;

// The lock file `path`, made when missing, locked by this process: the
// descriptor holds the lock; -1 when another holds it or it cannot be had.
// The file locked must be the one under the name once locked: one deleted
// or replaced meanwhile guards nothing, and the name is opened anew.
int hold_lock_file(const std::string& path) {
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return -1;
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            locked.st_dev == named.st_dev && locked.st_ino == named.st_ino)
            return fd;
        ::close(fd);
    }
    return -1;
}

}  // namespace

ProgramFolderClaim::~ProgramFolderClaim() {
    private_store_.remove();
    release_locks();
}

void ProgramFolderClaim::release_locks() {
    for (int& fd : lock_fds_) {
        if (fd >= 0) ::close(fd);  // closing releases the lock
        fd = -1;
    }
}

bool ProgramFolderClaim::claim(const std::string& program_folder) {
    bool held = true;
    for (std::size_t i = 0; i < lock_fds_.size() && held; ++i) {
        lock_fds_[i] = hold_lock_file(program_folder + kProgramFolderLockNames[i]);
        held = lock_fds_[i] >= 0;
    }
    if (held) {
        // Private stores of second viewers killed outright go now, not only
        // when another second viewer makes its own.
        remove_stale_scratch_folders(program_folder, kPrivateStorePrefix);
        store_folder_ = program_folder;
        return true;
    }
    release_locks();
    if (!private_store_.create(program_folder, kPrivateStorePrefix)) return false;
    store_folder_ = private_store_.path();
    return true;
}

SettingsLock::SettingsLock(const std::string& program_folder) {
    // The folder itself is locked: the settings file is replaced by a new
    // one at every rewrite, so a lock on it would not hold.
    fd_ = ::open(program_folder.empty() ? "." : program_folder.c_str(),
                 O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

SettingsLock::~SettingsLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace zov
