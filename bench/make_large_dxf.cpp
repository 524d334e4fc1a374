// make_large_dxf drawing|drawing-lf OUT.DXF [ENTITIES] | solids OUT.DXF [COUNT]
// Writes a generated drawing for measuring the programs from outside:
// "drawing" the large drawing (400 000 entities on 3 000 layers in random
// order and 300 blocks unless ENTITIES is given), with CR LF line ends, or
// LF ones with "drawing-lf"; "solids" COUNT (5 000) overlapping SOLIDs.
// Prints the file's size in bytes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "large_drawing.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: make_large_dxf drawing|drawing-lf|solids OUT.DXF [COUNT]\n");
        return 2;
    }
    const std::string what = argv[1];
    const long count = argc == 4 ? std::strtol(argv[3], nullptr, 10) : 0;
    long size = 0;
    if (what == "drawing" || what == "drawing-lf") {
        zov::LargeDrawingShape shape;
        shape.lf_line_ends = what == "drawing-lf";
        if (count > 0) shape.entities = count;
        size = zov::write_large_drawing(argv[2], shape);
    } else if (what == "solids") {
        size = zov::write_overlapping_solids(argv[2], count > 0 ? static_cast<int>(count) : 5000);
    } else {
        std::fprintf(stderr, "make_large_dxf: unknown kind '%s'\n", what.c_str());
        return 2;
    }
    if (size == 0) {
        std::fprintf(stderr, "make_large_dxf: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%ld\n", size);
    return 0;
}
