#include "jw/jw_names.h"

#include "common/cp932.h"
#include "common/paths.h"

namespace zov {

namespace {

constexpr std::size_t kMaxConvertedName = 254;
constexpr std::size_t kMaxLayerName = 31;

bool is_half_width_katakana(unsigned char c) { return c >= 0xA6 && c <= 0xDF; }
bool is_half_width_punctuation(unsigned char c) { return c >= 0xA1 && c <= 0xA5; }

bool is_kept_single_byte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           is_half_width_katakana(c) || c == '$' || c == '-' || c == '_';
}

// Graphic single-byte characters: printable ASCII but the blank, and the
// half-width katakana and punctuation of code page 932.
bool is_graphic_single_byte(unsigned char c) {
    return (c > 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF);
}

// Double-byte characters kept in names: the degree sign, the voiced mark,
// full-width digits, Latin letters, hiragana and katakana (0x824F-0x8396)
// and the kanji from 0x889F on.
bool is_kept_double_byte(unsigned char lead, unsigned char trail) {
    unsigned code = lead << 8 | trail;
    return code == 0x818B || code == 0x814A || (code >= 0x824F && code <= 0x8396) || code >= 0x889F;
}

// Width of the character at `pos`: 2 for a lead byte with its trail byte.
std::size_t char_width(std::string_view text, std::size_t pos) {
    return is_lead_byte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Cleans one single-byte character into `out` (steps 2 to 4 of the rules).
void convert_single_byte(unsigned char c, std::string& out) {
    if (!is_kept_single_byte(c) || is_half_width_punctuation(c)) {
        out += '_';
    } else if (c >= 'a' && c <= 'z') {
        out += static_cast<char>(c - 'a' + 'A');
    } else if (c == 0xB0) {
        out += '-';
    } else if (is_half_width_katakana(c)) {
        out += to_full_width(c);
    } else {
        out += static_cast<char>(c);
    }
}

void append_kept_double_byte(unsigned char lead, unsigned char trail, std::string& out) {
    if (is_kept_double_byte(lead, trail)) {
        out += static_cast<char>(lead);
        out += static_cast<char>(trail);
    }
}

bool starts_with_two_underscores(std::string_view name) { return name.starts_with("__"); }

// limit_name, convert_layer_name and the "__" rule that both names share.
std::string cleaned_name(std::string_view stored, std::size_t field_size) {
    std::string name(stored);
    limit_name(name, field_size);
    convert_layer_name(name);
    if (starts_with_two_underscores(name)) name.clear();
    return name;
}

char hex_digit(int value) { return "0123456789ABCDEF"[value & 0xF]; }

}  // namespace

void limit_name(std::string& name, std::size_t max_bytes) {
    name.resize(safe_prefix_length(name, max_bytes));
    if (name.empty()) return;
    // The last character is single-byte unless a double-byte one ends there.
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < name.size(); pos += char_width(name, pos)) last = pos;
    if (last == name.size() - 1 && !is_graphic_single_byte(static_cast<unsigned char>(name[last])))
        name.pop_back();
}

void convert_layer_name(std::string& name) {
    if (name.size() >= 2 && name[0] == '#' && name[1] == 'l') {
        name = "JW_25D";
        return;
    }
    std::string out;
    for (std::size_t pos = 0; pos < name.size();) {
        std::size_t width = char_width(name, pos);
        auto c = static_cast<unsigned char>(name[pos]);
        if (width == 2) {
            append_kept_double_byte(c, static_cast<unsigned char>(name[pos + 1]), out);
        } else {
            std::string converted;
            convert_single_byte(c, converted);
            if (converted.size() == 2)
                append_kept_double_byte(static_cast<unsigned char>(converted[0]),
                                        static_cast<unsigned char>(converted[1]), out);
            else
                out += converted;
        }
        pos += width;
    }
    out.resize(safe_prefix_length(out, kMaxConvertedName));
    name = out;
}

std::string jw_layer_name(std::string_view stored, int layer, std::size_t field_size) {
    std::string name = cleaned_name(stored, field_size);
    if (name.size() == 1) name = std::string{hex_digit(layer / 16), '-'} + name;
    if (name.empty()) name = std::string{hex_digit(layer / 16), '-', hex_digit(layer % 16)};
    limit_name(name, kMaxLayerName);
    return name;
}

std::string jw_group_name(std::string_view stored, int group, std::size_t field_size) {
    std::string name = cleaned_name(stored, field_size);
    if (name.empty()) name = std::string{hex_digit(group)};
    return name;
}

std::string jw_final_layer_name(const std::string& group_name, const std::string& layer_name,
                                int layer) {
    std::string own_form{hex_digit(layer / 16), '-', hex_digit(layer % 16)};
    std::string name =
        equals_ignore_case(layer_name, own_form) ? own_form : group_name + "-" + layer_name;
    limit_name(name, kMaxLayerName);
    return name;
}

}  // namespace zov
