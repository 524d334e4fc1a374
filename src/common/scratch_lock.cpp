#include "common/scratch_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <string_view>

namespace zov {

namespace {

// mkdtemp's six characters.
constexpr std::size_t kRandomPartLength = 6;
// A folder younger than this may be one whose lock file is being made.
constexpr std::time_t kUnlockedFolderGraceSeconds = 60;

bool is_scratch_name(const std::string& name, std::string_view prefix) {
    if (name.size() != prefix.size() + 1 + kRandomPartLength || name.rfind(prefix, 0) != 0 ||
        name[prefix.size()] != '-')
        return false;
    for (std::size_t i = prefix.size() + 1; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// The lock of the scratch folder `folder`, locked by this run when nobody
// else holds it and it is still the file under the lock name; -1 otherwise.
// A folder without a lock file gets one of this run's, when it is old enough
// to be no folder being made.
int take_lock_of_unheld(const std::string& folder, const struct stat& folder_info) {
    const std::string lock_path = folder + kScratchLockName;
    const int fd = ::open(lock_path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT ||
            std::time(nullptr) - folder_info.st_mtime <= kUnlockedFolderGraceSeconds)
            return -1;
        // Made the same way as by the folder's owner, so that two runs
        // sweeping at once never both take it.
        return lock_scratch_folder(folder);
    }
    struct stat held {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) ||
        ::lstat(lock_path.c_str(), &named) != 0 || named.st_dev != held.st_dev ||
        named.st_ino != held.st_ino) {
        // Held by its owner, or removed (and perhaps made anew) by another
        // sweep since it was opened.
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

int lock_scratch_folder(const std::string& folder) {
    // Locked under a name of this run's own, then linked to the lock name,
    // which fails when a lock file is there already.
    const std::string lock_path = folder + kScratchLockName;
    const std::string made = lock_path + "." + std::to_string(::getpid());
    const int fd = ::open(made.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    const bool locked =
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::link(made.c_str(), lock_path.c_str()) == 0;
    ::unlink(made.c_str());
    if (locked) return fd;
    ::close(fd);
    return -1;
}

void remove_stale_scratch_folders(const std::string& parent, std::string_view prefix) {
    std::string folder = parent;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!is_scratch_name(name, prefix)) continue;
        const std::string path = folder + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        const int fd = take_lock_of_unheld(path + "/", info);
        if (fd < 0) continue;
        // remove_all removes links inside, never what they point to. The
        // lock is held until the folder is gone.
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
        ::close(fd);
    }
}

}  // namespace zov
