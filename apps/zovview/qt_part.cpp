#include "qt_part.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <vector>

#include "viewer/program_folder.h"
#include "viewer/qt_part_location.h"

int run_qt_part(int argc, char** argv) {
    const std::vector<std::string> candidates = zov::qt_part_candidates(zov::executable_folder());
    if (candidates.empty()) {
        // Without its own folder the program could only name the part
        // relatively, and load whatever lies in the current folder.
        std::fprintf(stderr,
                     "zovview: cannot find the program's own folder (/proc/self/exe), so %s "
                     "is not loaded\n",
                     zov::kQtPartName);
        return 1;
    }
    void* part = nullptr;
    std::string tried;
    for (const std::string& candidate : candidates) {
        part = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (part != nullptr) break;
        tried += std::string("\n  ") + ::dlerror();
    }
    if (part == nullptr) {
        std::fprintf(stderr, "zovview: cannot load %s:%s\n", zov::kQtPartName, tried.c_str());
        return 1;
    }
    using Entry = int (*)(int, char**);
    const auto entry = reinterpret_cast<Entry>(::dlsym(part, "zovview_qt_main"));
    if (entry == nullptr) {
        std::fprintf(stderr, "zovview: %s has no entry: %s\n", zov::kQtPartName, ::dlerror());
        return 1;
    }
    return entry(argc, argv);
}
