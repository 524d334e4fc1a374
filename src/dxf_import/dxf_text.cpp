#include "dxf_import/dxf_text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/paths.h"

namespace zov {

namespace {

const std::string_view kPlusMinus = cp932_text(JaText::PlusMinusSign);
const std::string_view kDiameter = cp932_text(JaText::DiameterSign);  // Greek small phi
const std::string_view kDegree = cp932_text(JaText::DegreeSign);
// A line whose first character has no colour code of its own.
constexpr int kNoColour = -1;

// Unicode escapes the store knows, by their four hex digits.
struct UnicodeEscape {
    std::string_view digits;
    std::string_view replacement;
};
const UnicodeEscape kUnicodeEscapes[] = {
    {"00B1", kPlusMinus}, {"817D", kPlusMinus}, {"2205", kDiameter},
    {"00B0", kDegree},    {"818B", kDegree},
};

// One character of the Basic Multilingual Plane in CP932 ("?" where CP932
// lacks it, as for a surrogate half, and for U+0000, which would end the text).
std::string unicode_to_cp932(unsigned code_point) {
    std::string utf8;
    if (code_point == 0) return "?";
    if (code_point < 0x80) {
        utf8 += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        utf8 += static_cast<char>(0xC0 | (code_point >> 6));
        utf8 += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (code_point >> 12));
        utf8 += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (code_point & 0x3F));
    }
    return utf8_to_cp932(utf8);
}

// Format codes dropped up to their ";": fonts, heights, widths, tracking,
// obliquing, alignment, paragraph settings and true colours. \C (index
// colour) and \S (stacked text) are read first.
bool is_format_code_letter(char c) {
    return c != '\0' && std::strchr("CFHSTQWAfpc", c) != nullptr;
}

// The parts of a stacked text ("1^2", "1/2", "1#2") as one "1/2"; a part
// alone (a superscript or a subscript) as itself.
std::string stacked_text(std::string_view stack) {
    std::size_t split = std::string_view::npos;
    for (std::size_t i = 0; i < stack.size();
         i += is_lead_byte(static_cast<unsigned char>(stack[i])) ? 2 : 1) {
        if (stack[i] == '^' || stack[i] == '/' || stack[i] == '#') {
            split = i;
            break;
        }
    }
    if (split == std::string_view::npos) return std::string(stack);
    std::string_view over = stack.substr(0, split), under = stack.substr(split + 1);
    while (!under.empty() && under.front() == ' ') under.remove_prefix(1);
    if (over.empty() || under.empty()) return std::string(over.empty() ? under : over);
    return std::string(over) + "/" + std::string(under);
}

class TextCleaner {
public:
    explicit TextCleaner(std::string_view text) : in_(text) { out_.reserve(text.size()); }

    int run() {
        while (i_ < in_.size()) step();
        return attachment_;
    }
    std::string take() { return std::move(out_); }
    std::vector<int> take_line_colours() { return std::move(line_colours_); }

private:
    char at(std::size_t k) const { return k < in_.size() ? in_[k] : '\0'; }

    void step() {
        unsigned char c = static_cast<unsigned char>(in_[i_]);
        if (is_lead_byte(c) && i_ + 1 < in_.size()) {
            copy(2);
            return;
        }
        if (c == '\\') {
            backslash();
            return;
        }
        if ((c == '{' || c == '}') && !after_backslash_) {
            // A group keeps its colour to itself.
            if (c == '{') {
                colours_.push_back(colour_);
            } else if (!colours_.empty()) {
                colour_ = colours_.back();
                colours_.pop_back();
            }
            skip(1);
            return;
        }
        if (c == '%' && at(i_ + 1) == '%') {
            percent_code();
            return;
        }
        copy(1);
    }

    void backslash() {
        char next = at(i_ + 1);
        const std::size_t semicolon = in_.find(';', i_ + 2);
        const std::size_t code_end = semicolon == std::string_view::npos ? in_.size() : semicolon;
        if (next == 'C')
            colour_ = std::atoi(std::string(in_.substr(i_ + 2, code_end - i_ - 2)).c_str());
        if (next == 'S') {
            const std::string stack = stacked_text(in_.substr(i_ + 2, code_end - i_ - 2));
            emit(stack, std::min(code_end + 1, in_.size()) - i_);
            return;
        }
        if (next == 'P' || next == 'N') {  // line break; a column break starts a line too
            out_.append("\\P");
            skip(2);
            line_colours_.push_back(0);
            return;
        }
        if (is_format_code_letter(next)) {
            if (at(i_ + 3) == 'A' && (at(i_ + 4) == '1' || at(i_ + 4) == '2'))
                attachment_ = at(i_ + 4) - '0';
            std::size_t end = in_.find(';', i_ + 2);
            skip(end == std::string_view::npos ? in_.size() - i_ : end + 1 - i_);
            return;
        }
        switch (next) {
            case 'O': case 'o': case 'L': case 'l':
                skip(2);
                return;
            case '\\':
                emit("\\", 2);
                return;
            case '~':
                emit(" ", 2);
                return;
            case 'U':
                if (unicode_escape()) return;
                break;
            default:
                break;
        }
        copy(1);
        after_backslash_ = true;
    }

    bool unicode_escape() {
        if (at(i_ + 2) != '+' || i_ + 7 > in_.size()) return false;
        std::string_view digits = in_.substr(i_ + 3, 4);
        for (const UnicodeEscape& escape : kUnicodeEscapes) {
            if (equals_ignore_case(digits, escape.digits)) {
                emit(escape.replacement, 7);
                return true;
            }
        }
        // Any other character: its CP932 form, or "?" where CP932 lacks it.
        unsigned code_point = 0;
        const auto parsed =
            std::from_chars(digits.data(), digits.data() + digits.size(), code_point, 16);
        if (parsed.ec != std::errc() || parsed.ptr != digits.data() + digits.size()) return false;
        out_ += unicode_to_cp932(code_point);
        skip(7);
        return true;
    }

    void percent_code() {
        switch (at(i_ + 2)) {
            case 'p': case 'P': emit(kPlusMinus, 3); return;
            case 'c': case 'C': emit(kDiameter, 3); return;
            case 'd': case 'D': emit(kDegree, 3); return;
            case '%': emit("%", 3); return;
            default: skip(i_ + 3 <= in_.size() ? 3 : in_.size() - i_); return;
        }
    }

    void copy(std::size_t n) {
        note_line_colour();
        out_.append(in_.substr(i_, n));
        i_ += n;
        after_backslash_ = false;
    }
    // A line takes the colour its first character is written in.
    void note_line_colour() {
        if (line_colours_.back() == 0) line_colours_.back() = colour_ == 0 ? kNoColour : colour_;
    }
    void skip(std::size_t n) {
        i_ += n;
        after_backslash_ = false;
    }
    void emit(std::string_view replacement, std::size_t consumed) {
        if (!replacement.empty()) note_line_colour();
        out_.append(replacement);
        skip(consumed);
    }

    std::string_view in_;
    std::string out_;
    std::size_t i_ = 0;
    bool after_backslash_ = false;
    int attachment_ = 0;
    int colour_ = 0;  // of \C codes; 0 = the entity's own
    std::vector<int> colours_;  // of the groups around
    std::vector<int> line_colours_ = {0};
};

}  // namespace

int decode_dxf_text(std::string& text, std::vector<int>* line_colours) {
    TextCleaner cleaner(text);
    int attachment = cleaner.run();
    text = cleaner.take();
    if (line_colours != nullptr) {
        *line_colours = cleaner.take_line_colours();
        for (int& colour : *line_colours)
            if (colour == kNoColour) colour = 0;
    }
    return attachment;
}

std::vector<std::string_view> split_mtext_lines(std::string_view text, std::size_t max_lines) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size() && lines.size() < max_lines) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (is_lead_byte(c) && i + 1 < text.size()) {
            i += 2;
        } else if (c == '\\' && i + 1 < text.size() && text[i + 1] == 'P') {
            lines.push_back(text.substr(start, i - start));
            i += 2;
            start = i;
        } else {
            ++i;
        }
    }
    if (lines.size() < max_lines) lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string_view> wrap_mtext_line(std::string_view line, std::size_t max_bytes) {
    std::vector<std::string_view> lines;
    max_bytes = std::max<std::size_t>(max_bytes, 2);
    while (line.size() > max_bytes) {
        std::size_t cut = 0;   // the last place the line may end
        std::size_t next = 0;  // where the next line starts then
        for (std::size_t i = 0; i < line.size();) {
            const bool wide =
                is_lead_byte(static_cast<unsigned char>(line[i])) && i + 1 < line.size();
            const std::size_t n = wide ? 2 : 1;
            if (i + n > max_bytes) {
                if (wide && i > 0) cut = next = i;  // before a double-byte character
                break;
            }
            if (line[i] == ' ') {
                cut = i;
                next = i + 1;
            } else if (wide) {
                cut = next = i + 2;  // after a double-byte character
            }
            i += n;
        }
        if (cut == 0) {  // a word longer than the line runs on to its end
            const std::size_t blank = line.find(' ', max_bytes);
            if (blank == std::string_view::npos) break;
            cut = blank;
            next = blank + 1;
        }
        lines.push_back(line.substr(0, cut));
        line.remove_prefix(next);
        while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    }
    lines.push_back(line);
    return lines;
}

}  // namespace zov
