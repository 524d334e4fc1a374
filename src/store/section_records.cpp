#include "store/import_state.h"

namespace zov {

namespace {

// Runs `access` at the offset of record `index` and returns to where the
// stream stood, so that appends continue at their own position.
template <class Access>
int at_record(std::FILE* file, long index, std::size_t size, Access access) {
    if (file == nullptr || index < 0 || index >= section_record_count(file, size)) return -1;
    const long saved = std::ftell(file);
    if (saved < 0) return -1;
    int result = -1;
    if (std::fseek(file, index * static_cast<long>(size), SEEK_SET) == 0)
        result = access() ? 0 : -1;
    if (std::fseek(file, saved, SEEK_SET) != 0) return -1;
    return result;
}

}  // namespace

long section_record_count(std::FILE* file, std::size_t size) {
    if (file == nullptr || size == 0) return 0;
    const long saved = std::ftell(file);
    if (saved < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
    const long end = std::ftell(file);
    std::fseek(file, saved, SEEK_SET);
    return end < 0 ? 0 : end / static_cast<long>(size);
}

int read_section_record(std::FILE* file, long index, void* record, std::size_t size) {
    return at_record(file, index, size, [&] { return std::fread(record, size, 1, file) == 1; });
}

int write_section_record(std::FILE* file, long index, const void* record, std::size_t size) {
    return at_record(file, index, size, [&] { return std::fwrite(record, size, 1, file) == 1; });
}

}  // namespace zov
