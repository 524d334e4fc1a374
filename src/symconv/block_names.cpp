#include "symconv/block_names.h"

#include <cctype>
#include <unordered_set>

#include "common/cp932.h"
#include "common/messages.h"

namespace zov {

namespace {

bool is_control(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// -n: keeps single-byte letters and digits; double-byte characters go whole.
std::string ascii_block_name(std::string_view name, int& name_counter) {
    std::string kept;
    bool dropped = false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(name[i]);
        if (is_lead_byte(byte) && i + 1 < name.size()) {
            ++i;
            dropped = true;
        } else if (byte < 127 && std::isalnum(byte)) {
            kept += static_cast<char>(byte);
        } else {
            dropped = true;
        }
    }
    if (!dropped) return kept;
    ++name_counter;
    if (kept.empty()) return format_text("JWK%d", name_counter);
    return format_text("%s%d", kept.c_str(), name_counter);
}

// Without -n: { | } ~ and half-width katakana become full-width.
std::string full_width_block_name(std::string_view name) {
    std::string result;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(name[i]);
        if (is_lead_byte(byte) && i + 1 < name.size()) {
            result += name.substr(i, 2);
            ++i;
        } else if (byte >= 123 && byte <= 223) {
            result += to_full_width(byte);
        } else {
            result += is_control(byte) ? ' ' : static_cast<char>(byte);
        }
    }
    return result;
}

// The name with its single-byte letters in upper case, as DXF readers
// compare block names; the bytes of double-byte characters stay.
std::string folded_name(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(folded[i]);
        if (is_lead_byte(byte))
            ++i;
        else
            folded[i] = static_cast<char>(std::toupper(byte));
    }
    return folded;
}

}  // namespace

std::vector<std::string> library_block_names(const std::vector<std::string>& symbol_names,
                                             bool ascii_names) {
    std::vector<std::string> names;
    std::unordered_set<std::string> taken;
    int name_counter = 0;
    for (const std::string& symbol : symbol_names) {
        std::string name = clean_block_name(symbol, ascii_names, name_counter);
        const std::string base = name;
        while (!taken.insert(folded_name(name)).second) {
            name = format_text("%s%d", base.c_str(), ++name_counter);
        }
        names.push_back(std::move(name));
    }
    return names;
}

std::string clean_block_name(std::string_view name, bool ascii_names, int& name_counter) {
    std::string cleaned =
        ascii_names ? ascii_block_name(name, name_counter) : full_width_block_name(name);
    cleaned.resize(safe_prefix_length(cleaned, kLongestBlockName));
    return cleaned;
}

std::string dxf_value_text(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (is_control(static_cast<unsigned char>(c))) c = ' ';
    }
    return result;
}

}  // namespace zov
