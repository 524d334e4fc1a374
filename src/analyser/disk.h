#pragma once
// The analyser names files by CP932 paths, as they stand in its settings and
// analysis files; these helpers convert them to file-system names at the one
// place where a file is touched. A name that cannot be converted behaves like
// a file that cannot be opened.
#include <cstdio>
#include <optional>
#include <string>

namespace zov {

std::FILE* open_cp932(const std::string& path, const char* mode);

// True when the file can be opened for reading.
bool can_open_for_reading(const std::string& path);

// `path` made absolute against the current folder.
std::string full_path(const std::string& path);

// The current folder as CP932 text ending in "/" (common/encoding.h,
// file_name_to_cp932).
std::string current_folder_cp932();

}  // namespace zov
