// Several drawings in one run: one output per input, in the folder given
// with -o, a progress line per file on stderr, and on to the next file after
// a failure.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "commands.h"
#include "common/messages.h"
#include "common/paths.h"

namespace {

namespace fs = std::filesystem;

// The output of `file` in `folder`: its name with `extension`, or, when
// another input of the run already gave that name, with its own extension
// kept before the new one and then a serial number.
std::string output_in_folder(const std::string& folder, const std::string& file,
                             const std::string& extension, std::set<std::string>& taken) {
    const zov::PathParts parts = zov::split_path(file);
    std::string name = parts.name + extension;
    if (taken.count(name) != 0) {
        const std::string stem = parts.name + parts.extension;
        name = stem + extension;
        for (int serial = 2; taken.count(name) != 0; ++serial)
            name = stem + "-" + std::to_string(serial) + extension;
    }
    taken.insert(name);
    return zov::join_folder(folder, name);
}

}  // namespace

bool move_into_place(const std::string& from, const std::string& to, bool replace) {
    std::ifstream in(from, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof()) return false;
    const zov::ExistingTarget existing =
        replace ? zov::ExistingTarget::Replace : zov::ExistingTarget::Keep;
    if (!zov::write_whole_file(to, bytes.str(), existing)) return false;
    std::error_code ignored;
    fs::remove(from, ignored);
    return true;
}

bool names_folder(const std::string& output) {
    std::error_code error;
    return !output.empty() && (output.back() == '/' || fs::is_directory(output, error));
}

int run_batch(const std::vector<std::string>& files, const std::string& output,
              const std::string& extension, bool replace, const BatchStep& convert) {
    const bool to_folder = names_folder(output);
    if (files.size() > 1 && !to_folder) {
        std::fprintf(stderr, "zovview: several drawings need -o FOLDER/\n");
        return zov::kExitMisuse;
    }
    if (to_folder) {
        std::error_code error;
        fs::create_directories(output, error);
    }
    std::set<std::string> taken;
    int failed = 0;
    const std::size_t count = files.size();
    // Progress is information: --quiet leaves only the failures.
    const bool progress = count > 1 && !zov::quiet_output();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& file = files[i];
        const std::string target =
            to_folder ? output_in_folder(output, file, extension, taken) : output;
        if (progress)
            std::fprintf(stderr, "[%zu/%zu] %s -> %s\n", i + 1, count, file.c_str(),
                         target.c_str());
        const int result = may_write_output(target, files, replace) ? convert(file, target) : 1;
        if (result != 0) {
            ++failed;
            if (count > 1)
                std::fprintf(stderr, "[%zu/%zu] %s failed\n", i + 1, count, file.c_str());
        }
    }
    if (progress)
        std::fprintf(stderr, "%zu drawings, %zu written, %d failed\n", count,
                     count - static_cast<std::size_t>(failed), failed);
    return failed == 0 ? 0 : 1;
}
