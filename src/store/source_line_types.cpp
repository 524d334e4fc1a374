#include "store/source_line_types.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>

#include "common/files.h"
#include "common/whole_file.h"

namespace zov {

namespace {

// A length read from the file that no drawing holds becomes 0.
double sane_length(double length) { return std::isfinite(length) ? length : 0.0; }

}  // namespace

bool write_source_line_types(const std::string& program_folder,
                             const std::vector<SourceLineTypeRecord>& types) {
    const std::string path = program_folder + kSourceLineTypeFileName;
    if (types.empty()) {
        forget_source_line_types(program_folder);
        return true;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(types.data()),
                                 types.size() * sizeof(SourceLineTypeRecord));
    return write_whole_file(path, bytes);
}

std::vector<SourceLineTypeRecord> read_source_line_types(const std::string& program_folder) {
    std::vector<SourceLineTypeRecord> types;
    const std::string path = program_folder + kSourceLineTypeFileName;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) return types;
    SourceLineTypeRecord record;
    while (types.size() < static_cast<std::size_t>(kMaxSourceLineTypes) &&
           std::fread(&record, sizeof record, 1, file.get()) == 1) {
        record.name[sizeof record.name - 1] = '\0';
        record.description[sizeof record.description - 1] = '\0';
        if (record.elements < 0 || record.elements > kMaxLineTypeElements) record.elements = 0;
        record.total_length = sane_length(record.total_length);
        for (double& length : record.lengths) length = sane_length(length);
        types.push_back(record);
    }
    return types;
}

void forget_source_line_types(const std::string& program_folder) {
    const std::string path = program_folder + kSourceLineTypeFileName;
    if (file_exists(path)) delete_file(path);
}

}  // namespace zov
