#pragma once
// Byte-for-byte copies of whole files (store, help drawing).
#include <string>

namespace zov {

enum class CopyResult { Done, SourceNotOpened, TargetNotWritten };

// Copies `from` over `to`, replacing it whole (an unfinished copy leaves
// `to` as it was).
CopyResult copy_file_bytes(const std::string& from, const std::string& to);

}  // namespace zov
