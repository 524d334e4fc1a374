// A fuzz target's entry run once on every file of the folders named, without
// libFuzzer: the seed corpus as a test of the ordinary build, so that an input
// once found hostile keeps being read in every run of the suite (and under
// the sanitizers). A crash or hang fails the test, and so does a folder that
// cannot be read or holds no seed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error))
            if (entry.is_regular_file()) files.push_back(entry.path());
        if (error) {
            std::fprintf(stderr, "cannot read the seed folder %s\n", argv[i]);
            return 1;
        }
    }
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::printf("%s\n", file.filename().c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu seeds read\n", files.size());
    return files.empty() ? 1 : 0;
}
