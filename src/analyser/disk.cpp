#include "analyser/disk.h"

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


std::string full_path(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    std::optional<std::string> folder = current_folder_cp932();
    return folder ? *folder + path : path;
}

std::optional<std::string> current_folder_cp932() {
    return utf8_to_cp932_exact(current_folder());
}

}  // namespace zov
