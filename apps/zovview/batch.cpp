// Several drawings in one run: one output per input, in the folder given
// with -o, a progress line per file on stderr, and on to the next file after
// a failure.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "commands.h"
#include "common/messages.h"
#include "common/paths.h"

namespace {

namespace fs = std::filesystem;

bool same_file(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

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

bool move_into_place(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (!error) return true;
    std::string temporary = to + ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) return false;
    close(descriptor);
    fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error);
    if (!error) fs::rename(temporary, to, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    fs::remove(from, error);
    return true;
}

bool names_folder(const std::string& output) {
    std::error_code error;
    return !output.empty() && (output.back() == '/' || fs::is_directory(output, error));
}

int run_batch(const std::vector<std::string>& files, const std::string& output,
              const std::string& extension, const BatchStep& convert) {
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
        if (progress) std::fprintf(stderr, "[%zu/%zu] %s -> %s\n", i + 1, count, file.c_str(),
                                   target.c_str());
        int result = 1;
        if (same_file(file, target)) {
            std::fprintf(stderr, "zovview: %s would overwrite its own drawing; not written\n",
                         target.c_str());
        } else {
            result = convert(file, target);
        }
        if (result != 0) {
            ++failed;
            if (count > 1) std::fprintf(stderr, "[%zu/%zu] %s failed\n", i + 1, count, file.c_str());
        }
    }
    if (progress)
        std::fprintf(stderr, "%zu drawings, %zu written, %d failed\n", count, count - static_cast<std::size_t>(failed),
                     failed);
    return failed == 0 ? 0 : 1;
}
