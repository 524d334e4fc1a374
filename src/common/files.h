#pragma once
// Files and folders as the programs use them. Paths are file-system (UTF-8)
// paths; callers convert CP932 names at the border (common/encoding.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zov {

// Size in bytes and last-write time (seconds since 1970) of a regular file;
// 0 when no such file is found. Values beyond 32 bits are cut as the store
// header keeps them.
std::int32_t file_size(const std::string& path);
std::int32_t file_write_time(const std::string& path);
bool file_exists(const std::string& path);

struct FoundFile {
    std::string name;  // name within the folder
    std::int64_t size = 0;
    std::int64_t write_time = 0;
};

// Regular files of `folder` whose names match `pattern` ("*" and "?"
// wildcards, letters in any case), sorted by name.
std::vector<FoundFile> find_files(const std::string& folder, std::string_view pattern);

// Wildcard match of one name; letters compare case-insensitively.
bool wildcard_match(std::string_view pattern, std::string_view name);

// The current folder, ending in "/"; and changing it (false on failure).
std::string current_folder();
bool change_folder(const std::string& folder);

// Deletes a file; false when it could not be deleted.
bool delete_file(const std::string& path);

// `folder` as an absolute path ending in "/", resolved against the current
// folder now, so that it names the same folder after the current one changes.
std::string absolute_folder(const std::string& folder);

// Creates a folder and its parents; false when it does not exist afterwards.
bool make_folders(const std::string& folder);

// Writes `size` bytes at `offset` of the open file `fd` (its position does
// not move), going on after a short or interrupted write; false on an error.
bool write_all_at(int fd, const void* data, std::size_t size, std::int64_t offset);

}  // namespace zov
