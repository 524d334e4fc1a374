#include "qt_part.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "viewer/program_folder.h"

namespace {

constexpr char kQtPartName[] = "zovview-qt.so";

}  // namespace

int run_qt_part(int argc, char** argv) {
    const std::string folder = zov::executable_folder();
    // Beside the program in the build tree; in lib/zovview/ when installed.
    void* part = nullptr;
    std::string tried;
    for (const std::string& candidate :
         {folder + kQtPartName, folder + "../lib/zovview/" + kQtPartName}) {
        part = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (part != nullptr) break;
        tried += std::string("\n  ") + ::dlerror();
    }
    if (part == nullptr) {
        std::fprintf(stderr, "zovview: cannot load %s:%s\n", kQtPartName, tried.c_str());
        return 1;
    }
    using Entry = int (*)(int, char**);
    const auto entry = reinterpret_cast<Entry>(::dlsym(part, "zovview_qt_main"));
    if (entry == nullptr) {
        std::fprintf(stderr, "zovview: %s has no entry: %s\n", kQtPartName, ::dlerror());
        return 1;
    }
    return entry(argc, argv);
}
