// ZovView: the drawing viewer. Headless commands are listed in the usage text.
#include <cstdio>

namespace {

void print_usage() {
    std::fprintf(stderr, "usage: zovview [--dump FILE [--home DIR]]\n");
}

}  // namespace

int main(int argc, char** argv) {
    (void)argv;
    if (argc < 2) {
        print_usage();
        return 1;
    }
    print_usage();
    return 1;
}
