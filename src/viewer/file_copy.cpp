#include "viewer/file_copy.h"

#include <cstdio>
#include <memory>

namespace zov {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

CopyResult copy_file_bytes(const std::string& from, const std::string& to) {
    File in(std::fopen(from.c_str(), "rb"));
    if (!in) return CopyResult::SourceNotOpened;
    File out(std::fopen(to.c_str(), "wb"));
    if (!out) return CopyResult::TargetNotWritten;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) {
        if (std::fwrite(chunk, 1, n, out.get()) != n) return CopyResult::TargetNotWritten;
    }
    if (std::ferror(in.get())) return CopyResult::SourceNotOpened;
    return std::fclose(out.release()) == 0 ? CopyResult::Done : CopyResult::TargetNotWritten;
}

}  // namespace zov
