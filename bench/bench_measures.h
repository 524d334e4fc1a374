#pragma once
// Measures the benchmark programs report besides time: file sizes and the
// peak resident memory of the process.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zov_bench {

inline std::size_t file_bytes(const std::string& path) {
    std::error_code error;
    return static_cast<std::size_t>(std::filesystem::file_size(path, error));
}

// Resets the peak resident size of this process (read by peak_memory_mb).
inline void reset_peak_memory() {
    int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    if (fd >= 0) {
        [[maybe_unused]] ssize_t written = ::write(fd, "5", 1);
        ::close(fd);
    }
}

// The peak resident size of this process in MB.
inline double peak_memory_mb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

}  // namespace zov_bench
