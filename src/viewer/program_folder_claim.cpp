#include "viewer/program_folder_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace zov {

ProgramFolderClaim::~ProgramFolderClaim() {
    private_store_.remove();
    if (lock_fd_ >= 0) ::close(lock_fd_);  // closing releases the lock
}

bool ProgramFolderClaim::claim(const std::string& program_folder) {
    const std::string lock_path = program_folder + kProgramFolderLockName;
    lock_fd_ = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (lock_fd_ >= 0 && ::flock(lock_fd_, LOCK_EX | LOCK_NB) == 0) {
        store_folder_ = program_folder;
        return true;
    }
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = -1;
    if (!private_store_.create(program_folder, "instance")) return false;
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
