// Writes the varied symbol library into a folder: .jwk symbols and JW_CAD for
// Windows (.jws) symbols side by side:
//   symbol_library_builder FOLDER [LIBRARY_NAME]
// LIBRARY_NAME (UTF-8) goes into ZU_NAME.DAT as CP932; without it there is none.
#include <cstdio>
#include <string>

#include "common/encoding.h"
#include "common/files.h"
#include "fixtures/symbol_library.h"
#include "fixtures/windows_symbols.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: symbol_library_builder FOLDER [LIBRARY_NAME]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';
    std::string name = argc > 2 ? zov::utf8_to_cp932(argv[2]) : std::string();
    if (!zov::make_folders(folder) || !zov::fixtures::write_varied_symbol_library(folder, name) ||
        !zov::fixtures::write_windows_symbols(folder)) {
        std::fprintf(stderr, "cannot write the symbol library into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
