#include "viewer/file_copy.h"

#include <cstdio>
#include <memory>

#include "common/whole_file.h"

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
    // The copy takes the name only when it is whole: another viewer sharing
    // the program folder never reads half a help drawing.
    WholeFileOutput out;
    if (!out.open(to)) return CopyResult::TargetNotWritten;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) {
        if (std::fwrite(chunk, 1, n, out.stream()) != n) return CopyResult::TargetNotWritten;
    }
    if (std::ferror(in.get())) return CopyResult::SourceNotOpened;
    return out.commit() ? CopyResult::Done : CopyResult::TargetNotWritten;
}

}  // namespace zov
