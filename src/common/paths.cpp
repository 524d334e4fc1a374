#include "common/paths.h"

#include <cctype>

namespace zov {

PathParts split_path(std::string_view path) {
    PathParts parts;
    std::size_t slash = path.rfind('/');
    std::string_view file = path;
    if (slash != std::string_view::npos) {
        parts.folder = std::string(path.substr(0, slash + 1));
        file = path.substr(slash + 1);
    }
    std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        parts.name = std::string(file);
    } else {
        parts.name = std::string(file.substr(0, dot));
        parts.extension = std::string(file.substr(dot));
    }
    return parts;
}

std::string join_path(const PathParts& parts) {
    return join_folder(parts.folder, parts.name + parts.extension);
}

std::string join_folder(std::string_view folder, std::string_view file_name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += file_name;
    return path;
}

bool equals_ignore_case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool has_extension(std::string_view path, std::string_view extension) {
    return equals_ignore_case(split_path(path).extension, extension);
}

std::string replace_extension(std::string_view path, std::string_view extension) {
    PathParts parts = split_path(path);
    parts.extension = std::string(extension);
    return join_path(parts);
}

}  // namespace zov
