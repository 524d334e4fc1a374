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

// Format codes that end at their ";": fonts, heights, widths, tracking,
// obliquing, alignment, paragraph settings and colours. \C (index colour)
// and \S (stacked text) are taken, the others dropped.
bool is_format_code_letter(char c) { return c != '\0' && std::strchr("CFHSTQWAfpc", c) != nullptr; }

// The longest argument a format code has before its ";".
constexpr std::size_t kMaxCodeArgument = 256;

// True when `argument` is what the format code `letter` takes before its
// ";": a number (with an "x" for relative sizes, and "A1"/"A2" after a
// height), a font name with its options, or paragraph settings. A backslash
// inside means the ";" belongs to something further on.
bool is_code_argument(char letter, std::string_view argument) {
    if (argument.size() > kMaxCodeArgument || argument.find('\\') != std::string_view::npos)
        return false;
    switch (letter) {
        case 'f':
        case 'F': return argument.find_first_of("{}") == std::string_view::npos;
        case 'p':
            return argument.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.,+-*") ==
                   std::string_view::npos;
        default:
            return !argument.empty() &&
                   argument.find_first_not_of("0123456789+-.eExA") == std::string_view::npos;
    }
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
    explicit TextCleaner(std::string_view text) : in_(text) {
        out_.text.reserve(text.size());
        out_.runs.push_back(TextRun{});
    }

    CleanedText run() && {
        while (i_ < in_.size()) step();
        return std::move(out_);
    }

private:
    // What braces keep to their group.
    struct Style {
        int colour = 0;  // of \C codes; 0 = the entity's own
        bool underlined = false;
    };

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
            // A group keeps its colour and underline to itself.
            if (c == '{') {
                outer_styles_.push_back(style_);
            } else if (!outer_styles_.empty()) {
                style_ = outer_styles_.back();
                outer_styles_.pop_back();
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
        const char next = at(i_ + 1);
        if (next == 'P' || next == 'N') {  // a line break; a column break starts a line too
            if (next == 'N') out_.column_breaks.push_back(out_.text.size());
            out_.text.append("\\P");
            skip(2);
            return;
        }
        if (is_format_code_letter(next)) {
            format_code(next);
            return;
        }
        switch (next) {
            case 'L':
            case 'l':
                style_.underlined = next == 'L';
                skip(2);
                return;
            case 'O':
            case 'o':
            case 'K':
            case 'k': skip(2); return;
            case '\\': emit("\\", 2); return;
            case '~': emit(" ", 2); return;
            case 'U':
                if (unicode_escape()) return;
                break;
            default: break;
        }
        copy(1);
        after_backslash_ = true;
    }

    // A code up to its ";". A stacked text without its ";" loses only its
    // "\S"; any other code without a fitting argument stays as text.
    void format_code(char letter) {
        const std::size_t semicolon = in_.find(';', i_ + 2);
        const std::string_view argument = semicolon == std::string_view::npos
                                              ? std::string_view()
                                              : in_.substr(i_ + 2, semicolon - i_ - 2);
        if (letter == 'S') {
            const bool ended = semicolon != std::string_view::npos &&
                               argument.find('\\') == std::string_view::npos;
            if (!ended) {
                skip(2);
                return;
            }
            emit(stacked_text(argument), semicolon + 1 - i_);
            return;
        }
        if (semicolon == std::string_view::npos || !is_code_argument(letter, argument)) {
            copy(1);
            after_backslash_ = true;
            return;
        }
        if (letter == 'C') {
            int colour = 0;
            std::from_chars(argument.data(), argument.data() + argument.size(), colour);
            style_.colour = colour > 0 && colour < 256 ? colour : 0;
        }
        if (at(i_ + 3) == 'A' && (at(i_ + 4) == '1' || at(i_ + 4) == '2'))
            out_.attachment = at(i_ + 4) - '0';
        skip(semicolon + 1 - i_);
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
        emit(unicode_to_cp932(code_point), 7);
        return true;
    }

    void percent_code() {
        switch (at(i_ + 2)) {
            case 'p':
            case 'P': emit(kPlusMinus, 3); return;
            case 'c':
            case 'C': emit(kDiameter, 3); return;
            case 'd':
            case 'D': emit(kDegree, 3); return;
            case '%': emit("%", 3); return;
            case 'u':
            case 'U':
                style_.underlined = !style_.underlined;
                skip(3);
                return;
            default: skip(i_ + 3 <= in_.size() ? 3 : in_.size() - i_); return;
        }
    }

    void copy(std::size_t n) { emit(in_.substr(i_, n), n); }
    void skip(std::size_t n) {
        i_ += n;
        after_backslash_ = false;
    }
    void emit(std::string_view replacement, std::size_t consumed) {
        if (!replacement.empty()) note_style();
        out_.text.append(replacement);
        skip(consumed);
    }
    // A new run where the style of the characters changes.
    void note_style() {
        TextRun& last = out_.runs.back();
        if (last.colour == style_.colour && last.underlined == style_.underlined) return;
        const TextRun run{out_.text.size(), style_.colour, style_.underlined};
        if (last.start == run.start)
            last = run;
        else
            out_.runs.push_back(run);
    }

    std::string_view in_;
    CleanedText out_;
    std::size_t i_ = 0;
    bool after_backslash_ = false;
    Style style_;
    std::vector<Style> outer_styles_;  // of the groups around
};

}  // namespace

CleanedText clean_dxf_text(std::string_view text) { return TextCleaner(text).run(); }

int decode_dxf_text(std::string& text) {
    CleanedText cleaned = clean_dxf_text(text);
    text = std::move(cleaned.text);
    return cleaned.attachment;
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
