#include "analyser/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "common/encoding.h"

namespace zov {

bool write_whole_file(const std::string& path, std::string_view bytes) {
    std::optional<std::string> name = cp932_to_utf8_exact(path);
    if (!name || name->empty()) return false;
    // mkstemp creates a new file of its own (O_EXCL), so a planted link is never followed.
    std::string temp = *name + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    std::size_t written = 0;
    while (ok && written < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) ok = false;
        else written += static_cast<std::size_t>(n);
    }
    ok = ::fchmod(fd, 0644) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(temp.c_str(), name->c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace zov
