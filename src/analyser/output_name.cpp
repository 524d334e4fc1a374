#include "analyser/output_name.h"

#include "analyser/disk.h"
#include "common/cp932.h"
#include "common/paths.h"

namespace zov {

namespace {

constexpr char kOutputExtension[] = ".DXF";
constexpr std::size_t kShortNameStem = 6;
constexpr char kSerials[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string with_free_serial(const std::string& folder, const std::string& stem) {
    std::string candidate;
    for (const char* serial = kSerials; *serial != '\0'; ++serial) {
        candidate = folder + stem + "$" + *serial + kOutputExtension;
        if (!can_open_for_reading(candidate)) break;
    }
    return candidate;
}

// The name made exactly six bytes long: filled up with "$", or cut after
// byte 6, where a double-byte character cut in half leaves "_".
std::string six_byte_stem(const std::string& name) {
    if (name.size() <= kShortNameStem) return name + std::string(kShortNameStem - name.size(), '$');
    std::string stem = name.substr(0, kShortNameStem);
    if (safe_prefix_length(name, kShortNameStem) < kShortNameStem) stem.back() = '_';
    return stem;
}

}  // namespace

std::string make_output_dxf_name(int rule, const std::string& source_path) {
    PathParts parts = split_path(source_path);
    switch (rule) {
        case 0:
            if (parts.name.empty() || parts.name.front() != '_') parts.name = "_" + parts.name;
            return parts.folder + parts.name + kOutputExtension;
        case 1:
            return with_free_serial(parts.folder, parts.name);
        default:
            return with_free_serial(parts.folder, six_byte_stem(parts.name));
    }
}

}  // namespace zov
