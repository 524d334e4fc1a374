#include "common/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <random>
#include <set>
#include <vector>

#include "common/scratch_lock.h"
#include "common/termination_cleanup.h"

namespace zov {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kNameBytesKept = 64;

// A name no other run of any program is likely to pick at the same moment.
std::string fresh_suffix() {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    char text[48];
    std::snprintf(text, sizeof text, ".%ld.%x.%u", static_cast<long>(::getpid()), seed,
                  counter.fetch_add(1));
    return text;
}

// The folder part of a path, with its "/"; "" for a bare name.
std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string name_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Renames without replacing an existing target: a hard link fails when the
// target exists, and the temporary name then goes.
bool rename_keeping_target(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

// The entries of `folder` ("" for the current one) owned by this user whose
// names `matches`.
template <class Match>
std::vector<std::string> own_entries(const std::string& folder, Match matches) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        struct stat info {};
        if (matches(name) && ::lstat((folder + name).c_str(), &info) == 0 &&
            info.st_uid == ::geteuid())
            found.push_back(folder + name);
    }
    return found;
}

// true the first time this run asks about `what` (a place to sweep: a folder
// for temporary files, a folder and a NUL and a prefix for scratch folders).
bool first_sweep_of(const std::string& what) {
    static std::mutex mutex;
    static std::set<std::string> swept;
    std::lock_guard<std::mutex> lock(mutex);
    return swept.insert(what).second;
}

// Removes the temporary files `stem`.<pid>.<hex>.<n>.part in `folder` of runs
// that have ended (no process has their number any more), once per folder
// and run.
void remove_stale_parts(const std::string& folder, const std::string& stem) {
    if (!first_sweep_of(folder)) return;
    const auto is_stale_part = [&](const std::string& name) {
        if (name.rfind(stem + ".", 0) != 0 || name.size() < stem.size() + 6 ||
            name.compare(name.size() - 5, 5, ".part") != 0)
            return false;
        const long pid = std::strtol(name.c_str() + stem.size() + 1, nullptr, 10);
        return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
    };
    for (const std::string& path : own_entries(folder, is_stale_part)) ::unlink(path.c_str());
}

}  // namespace

WholeFileOutput::~WholeFileOutput() { discard(); }

bool WholeFileOutput::open(const std::string& target) {
    discard();
    // A folder under the name can never be replaced by the file, and a
    // device, pipe or socket (/dev/full, /dev/stdout) must not be, which the
    // rename at the end would do: fail now.
    struct stat info {};
    if (target.empty() || target.back() == '/' ||
        (::stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)))
        return false;
    target_ = target;
    // The temporary name starts with "." so that a folder listing of the
    // user's files does not show it while it is written; the name's first
    // bytes keep it recognisable without going past the longest name.
    const std::string hidden_stem = "." + name_of(target).substr(0, kNameBytesKept);
    remove_stale_parts(folder_of(target), hidden_stem);
    const std::string stem = folder_of(target) + hidden_stem;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = stem + fresh_suffix() + ".part";
        const int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        file_ = ::fdopen(fd, "wb");
        if (file_ == nullptr) {
            ::close(fd);
            ::unlink(candidate.c_str());
            return false;
        }
        temporary_ = std::move(candidate);
        cleanup_ticket_ = remove_on_termination(temporary_);
        return true;
    }
    return false;
}

bool WholeFileOutput::commit(ExistingTarget existing, Durability durability) {
    if (file_ == nullptr) return false;
    bool whole = std::fflush(file_) == 0 && std::ferror(file_) == 0 &&
                 (durability == Durability::Unsynced || ::fsync(::fileno(file_)) == 0);
    // A file replaced keeps its permissions (not set-id bits, which would
    // then apply to what this run wrote).
    struct stat replaced {};
    if (whole && existing == ExistingTarget::Replace && ::stat(target_.c_str(), &replaced) == 0 &&
        S_ISREG(replaced.st_mode))
        whole = ::fchmod(::fileno(file_), replaced.st_mode & 0777) == 0;
    if (std::fclose(file_) != 0) whole = false;
    file_ = nullptr;
    if (whole) {
        whole = existing == ExistingTarget::Replace
                    ? std::rename(temporary_.c_str(), target_.c_str()) == 0
                    : rename_keeping_target(temporary_, target_);
    }
    if (!whole) ::unlink(temporary_.c_str());
    forget_on_termination(cleanup_ticket_);
    temporary_.clear();
    return whole;
}

void WholeFileOutput::discard() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    forget_on_termination(cleanup_ticket_);
    temporary_.clear();
}

bool write_whole_file(const std::string& target, std::string_view bytes, ExistingTarget existing) {
    WholeFileOutput out;
    if (!out.open(target)) return false;
    if (!bytes.empty() &&
        std::fwrite(bytes.data(), 1, bytes.size(), out.stream()) != bytes.size()) {
        out.discard();
        return false;
    }
    return out.commit(existing);
}

ScratchFolder::~ScratchFolder() { remove(); }

bool ScratchFolder::create(const std::string& parent, std::string_view prefix) {
    remove();
    std::string pattern = parent;
    if (!pattern.empty() && pattern.back() != '/') pattern += '/';
    pattern.append(prefix).append("-XXXXXX");
    // Folders of this prefix left here by runs killed outright go first.
    if (first_sweep_of(parent + '\0' + std::string(prefix)))
        remove_stale_scratch_folders(parent, prefix);
    if (::mkdtemp(pattern.data()) == nullptr) return false;
    path_ = pattern + "/";
    cleanup_ticket_ = remove_on_termination(path_);
    // Without its lock the folder would look left behind to the next run.
    lock_fd_ = lock_scratch_folder(path_);
    if (lock_fd_ < 0) {
        remove();
        return false;
    }
    return true;
}

void ScratchFolder::remove() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    forget_on_termination(cleanup_ticket_);
    path_.clear();
    // Released only now that the folder is gone.
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = -1;
}

}  // namespace zov
