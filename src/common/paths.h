#pragma once
// POSIX paths split the way the programs expect: a folder that ends in "/",
// a name and an extension with its dot. The drive part is always empty.
#include <string>
#include <string_view>

namespace zov {

struct PathParts {
    std::string folder;     // "" or ending in "/"
    std::string name;       // file name without extension
    std::string extension;  // "" or starting with "."
};

PathParts split_path(std::string_view path);
std::string join_path(const PathParts& parts);

// Folder + file name; a "/" is put between them when the folder lacks one.
std::string join_folder(std::string_view folder, std::string_view file_name);

// True when the extension of `path` equals `extension` (".dxf") in any case.
bool has_extension(std::string_view path, std::string_view extension);

// Case-insensitive comparison of two ASCII strings.
bool equals_ignore_case(std::string_view a, std::string_view b);

// `path` with its extension replaced by `extension` (".DXF").
std::string replace_extension(std::string_view path, std::string_view extension);

}  // namespace zov
