#include "fuzz_scratch.h"

#include <cstdio>
#include <cstdlib>

#include "common/whole_file.h"

namespace zov::fuzz {

const std::string& scratch_folder() {
    static ScratchFolder folder;
    if (!folder.exists()) {
        const char* tmp = std::getenv("TMPDIR");
        if (!folder.create(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp", "zov-fuzz")) {
            std::perror("zov-fuzz: scratch folder");
            std::abort();
        }
    }
    return folder.path();
}

std::string write_input(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = scratch_folder() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(data, 1, size, file) == size;
    if (file != nullptr && std::fclose(file) != 0) written = false;
    if (!written) {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}

}  // namespace zov::fuzz
