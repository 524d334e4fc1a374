#include "analyser/disk.h"

#include "common/encoding.h"
#include "common/files.h"

namespace zov {

std::FILE* open_cp932(const std::string& path, const char* mode) {
    if (path.empty()) return nullptr;
    return std::fopen(cp932_to_file_name(path).c_str(), mode);
}

bool can_open_for_reading(const std::string& path) {
    std::FILE* file = open_cp932(path, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

std::string full_path(const std::string& path) {
    if (!path.empty() && path.front() == '/') return path;
    return current_folder_cp932() + path;
}

std::string current_folder_cp932() { return file_name_to_cp932(current_folder()); }

}  // namespace zov
