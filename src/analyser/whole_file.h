#pragma once
// A file written whole or not at all: the bytes go to a fresh temporary file
// beside it, which replaces the file only after every write and the close
// succeeded.
#include <string>
#include <string_view>

namespace zov {

// `path` is CP932; false (and the old file untouched) on any failure.
bool write_whole_file(const std::string& path, std::string_view bytes);

}  // namespace zov
