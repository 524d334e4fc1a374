// ZR_JWK: a folder of JW_CAD symbol files becomes one DXF symbol-library sheet.
#include <cstdio>

int main() {
    std::printf("ZR_JWK DirectryName [-n] [-s]\n");
    return 1;
}
