#include "common/files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

namespace zov {

namespace {

bool stat_regular(const std::string& path, struct stat& info) {
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::int32_t file_size(const std::string& path) {
    struct stat info {};
    return stat_regular(path, info) ? static_cast<std::int32_t>(info.st_size) : 0;
}

std::int32_t file_write_time(const std::string& path) {
    struct stat info {};
    return stat_regular(path, info) ? static_cast<std::int32_t>(info.st_mtime) : 0;
}

bool file_exists(const std::string& path) {
    struct stat info {};
    return stat_regular(path, info);
}

bool wildcard_match(std::string_view pattern, std::string_view name) {
    // Iterative match with one backtrack point for the last "*".
    std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<FoundFile> find_files(const std::string& folder, std::string_view pattern) {
    std::vector<FoundFile> found;
    std::error_code error;
    std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error);
    if (error) return found;
    for (const auto& entry : it) {
        std::string name = entry.path().filename().string();
        if (!wildcard_match(pattern, name)) continue;
        struct stat info {};
        if (!stat_regular(entry.path().string(), info)) continue;
        found.push_back({name, static_cast<std::int64_t>(info.st_size),
                         static_cast<std::int64_t>(info.st_mtime)});
    }
    std::sort(found.begin(), found.end(),
              [](const FoundFile& a, const FoundFile& b) { return a.name < b.name; });
    return found;
}

std::string current_folder() {
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).string();
    if (error) return "./";
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool change_folder(const std::string& folder) { return ::chdir(folder.c_str()) == 0; }

bool delete_file(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string absolute_folder(const std::string& folder) {
    std::error_code error;
    std::string absolute =
        std::filesystem::absolute(folder.empty() ? "." : folder, error).lexically_normal().string();
    if (error) absolute = folder;
    if (absolute.empty() || absolute.back() != '/') absolute += '/';
    return absolute;
}

bool make_folders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

bool write_all_at(int fd, const void* data, std::size_t size, std::int64_t offset) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, bytes, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

}  // namespace zov
