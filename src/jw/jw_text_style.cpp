#include "jw/jw_text_style.h"

#include "common/cp932.h"

namespace zov {

namespace {

constexpr std::size_t kMaxChangedText = 236;
constexpr std::string_view kControlLetters = "123456789Bbcdou";

bool is_printable_single_byte(unsigned char c) { return c >= 0x20 && c < 0x7F; }

}  // namespace

int text_style_code(std::string_view text) {
    bool control = false;
    bool ends_with_dot = false;
    for (std::size_t pos = 0; pos < text.size();) {
        auto c = static_cast<unsigned char>(text[pos]);
        bool double_byte = is_lead_byte(c) && pos + 1 < text.size();
        if (double_byte) {
            ends_with_dot = c == 0x81 && static_cast<unsigned char>(text[pos + 1]) == 0x45;
            pos += 2;
            continue;
        }
        ends_with_dot = c == 0xA5;
        if (c == '^' && pos + 1 < text.size() &&
            kControlLetters.find(text[pos + 1]) != std::string_view::npos)
            control = true;
        ++pos;
    }
    if (ends_with_dot) return kJwStyleSpread;
    return control ? kJwStyleControl : kJwStylePlain;
}

int has_double_byte(std::string& text) {
    for (char c : text) {
        if (!is_printable_single_byte(static_cast<unsigned char>(c))) {
            text.resize(safe_prefix_length(text, kMaxChangedText));
            return 1;
        }
    }
    return 0;
}

}  // namespace zov
