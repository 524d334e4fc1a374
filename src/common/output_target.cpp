#include "common/output_target.h"

#include <sys/stat.h>

#include <filesystem>

namespace zov {

namespace {

// The absolute, tidied form of a path, for comparing names of files that
// need not exist.
std::string absolute_name(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

OutputTarget check_output_target(const std::string& target,
                                 const std::vector<std::string>& sources) {
    struct stat target_info {};
    const bool exists = ::lstat(target.c_str(), &target_info) == 0;
    struct stat followed {};
    const bool reaches_file = exists && ::stat(target.c_str(), &followed) == 0;
    for (const std::string& source : sources) {
        if (source.empty()) continue;
        if (absolute_name(source) == absolute_name(target)) return OutputTarget::IsSource;
        struct stat source_info {};
        if (reaches_file && ::stat(source.c_str(), &source_info) == 0 &&
            source_info.st_dev == followed.st_dev && source_info.st_ino == followed.st_ino)
            return OutputTarget::IsSource;
    }
    return exists ? OutputTarget::Exists : OutputTarget::Free;
}

}  // namespace zov
