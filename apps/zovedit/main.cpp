// ZovEdit: the DXF analyser.
#include <cstdio>

int main() {
    std::fprintf(stderr, "usage: zovedit --analyse FILE.dxf | --rebuild FILE.TXT\n");
    return 1;
}
