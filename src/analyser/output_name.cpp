#include "analyser/output_name.h"

#include "analyser/disk.h"
#include "analyser/texts.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/output_target.h"
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
        case 1: return with_free_serial(parts.folder, parts.name);
        default: return with_free_serial(parts.folder, six_byte_stem(parts.name));
    }
}

bool may_write_output(AnalyserContext& context, const std::string& target,
                      const std::vector<std::string>& sources, ExistingTarget& existing) {
    auto file_name = [](const std::string& path) { return cp932_to_file_name(path); };
    const std::string name = file_name(target);
    if (name.empty()) {
        report(context.messages, MessageIcon::Stop, "%sを作成できませんでした", target.c_str());
        return false;
    }
    std::vector<std::string> read;
    read.reserve(sources.size());
    for (const std::string& source : sources) read.push_back(file_name(source));
    switch (check_output_target(name, read)) {
        case OutputTarget::IsSource:
            report(context.messages, MessageIcon::Stop, "%sは読み込むファイルなので書き込めません",
                   target.c_str());
            return false;
        case OutputTarget::Exists:
            if (!context.messages.ask(format_text(
                    cp932_text("%sは既にあります。上書きしますか？").c_str(), target.c_str())))
                return false;
            existing = ExistingTarget::Replace;
            return true;
        case OutputTarget::Free: break;
    }
    existing = ExistingTarget::Keep;
    return true;
}

}  // namespace zov
