#include "viewer/store_stamp.h"

#include <sys/stat.h>

namespace zov {

StoreStamp store_stamp(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {info.st_ino, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec, info.st_size};
}

}  // namespace zov
