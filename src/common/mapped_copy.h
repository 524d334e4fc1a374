#pragma once
// Copies out of a shared file mapping. Another process may cut the file short
// while it is mapped; touching a mapped page beyond the file's new end raises
// SIGBUS, which would end the program. The copy catches that signal for the
// calling thread and reports the bytes as missing instead.
#include <cstddef>

namespace zov {

// Copies `size` bytes from `from` (inside a file mapping) to `to`; false when
// the file no longer holds them (`to` is then partly written).
bool copy_from_mapping(void* to, const void* from, std::size_t size);

}  // namespace zov
