#include "viewer/dialog_filter.h"

#include <cctype>

namespace zov {

namespace {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        parts.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::vector<DialogFilter> parse_dialog_filter(std::string_view filter) {
    std::vector<DialogFilter> filters;
    const std::vector<std::string> fields = split(filter, '|');
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty() || fields[i + 1].empty()) break;  // the closing "||"
        DialogFilter entry{fields[i], {}};
        for (std::string& pattern : split(fields[i + 1], ';'))
            if (!pattern.empty()) entry.patterns.push_back(std::move(pattern));
        filters.push_back(std::move(entry));
    }
    return filters;
}

std::string dialog_pattern(std::string_view pattern) {
    if (pattern == "*.*") return "*";
    std::string result;
    for (const char c : pattern) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalpha(byte) != 0 && byte < 0x80) {
            result += '[';
            result += static_cast<char>(std::tolower(byte));
            result += static_cast<char>(std::toupper(byte));
            result += ']';
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace zov
