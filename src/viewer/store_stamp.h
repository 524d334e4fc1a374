#pragma once
// Whether a load replaced the store file: a failed conversion or a file that
// could not be opened leaves the drawing on screen as it was, while an import
// that wrote the store (even one that then failed) replaced it.
#include <sys/types.h>
#include <string>

namespace zov {

struct StoreStamp {
    ino_t inode = 0;
    long long modified_ns = -1;  // -1: no such file
    off_t size = 0;
    bool operator==(const StoreStamp&) const = default;
};

StoreStamp store_stamp(const std::string& path);

}  // namespace zov
