#include "analyser/disk.h"

#include <sys/stat.h>

#include "common/encoding.h"
#include "common/files.h"

namespace zov {

std::FILE* open_cp932(const std::string& path, const char* mode) {
    std::optional<std::string> name = cp932_to_utf8_exact(path);
    if (!name || name->empty()) return nullptr;
    return std::fopen(name->c_str(), mode);
}

bool can_open_for_reading(const std::string& path) {
    std::FILE* file = open_cp932(path, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

bool delete_cp932(const std::string& path) {
    std::optional<std::string> name = cp932_to_utf8_exact(path);
    return name && delete_file(*name);
}

bool same_file(const std::string& a, const std::string& b) {
    std::optional<std::string> name_a = cp932_to_utf8_exact(a);
    std::optional<std::string> name_b = cp932_to_utf8_exact(b);
    if (!name_a || !name_b) return false;
    struct stat info_a {}, info_b {};
    if (::stat(name_a->c_str(), &info_a) != 0 || ::stat(name_b->c_str(), &info_b) != 0)
        return false;
    return info_a.st_dev == info_b.st_dev && info_a.st_ino == info_b.st_ino;
}

std::string full_path(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    std::optional<std::string> folder = current_folder_cp932();
    return folder ? *folder + path : path;
}

std::optional<std::string> current_folder_cp932() {
    return utf8_to_cp932_exact(current_folder());
}

}  // namespace zov
