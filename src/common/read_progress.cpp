#include "common/read_progress.h"

#include <filesystem>
#include <system_error>

namespace zov {

int percent_done(std::int64_t done, std::int64_t total) {
    if (total <= 0 || done <= 0) return 0;
    if (done >= total) return 100;
    return static_cast<int>(done * 100 / total);
}

void ReadProgress::start_file(const std::string& path) {
    std::error_code error;
    const std::uintmax_t length = std::filesystem::file_size(path, error);
    start(error ? 0 : static_cast<std::int64_t>(length));
}

}  // namespace zov
