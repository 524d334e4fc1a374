#include "analyser_test_support.h"

#include <fstream>
#include <sstream>

#include "analyser/settings_file.h"
#include "common/encoding.h"

namespace zov {

TestAnalyser::TestAnalyser() : context(folder.path(), messages, clock, dialogs) {
    reset_settings(context);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> split_lines(const std::string& text, const std::string& line_end) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(line_end, start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + line_end.size();
    }
    return lines;
}

std::string sj(const char* utf8) { return utf8_to_cp932(utf8); }

}  // namespace zov
