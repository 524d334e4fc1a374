#include "dxf_import/dxf_text.h"

#include <cstring>

#include "common/cp932.h"
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

bool is_format_code_letter(char c) { return c != '\0' && std::strchr("CFHSTQWAf", c) != nullptr; }

class TextCleaner {
public:
    explicit TextCleaner(std::string_view text) : in_(text) { out_.reserve(text.size()); }

    int run() {
        while (i_ < in_.size()) step();
        return attachment_;
    }
    std::string take() { return std::move(out_); }

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
        return false;
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
        out_.append(in_.substr(i_, n));
        i_ += n;
        after_backslash_ = false;
    }
    void skip(std::size_t n) {
        i_ += n;
        after_backslash_ = false;
    }
    void emit(std::string_view replacement, std::size_t consumed) {
        out_.append(replacement);
        skip(consumed);
    }

    std::string_view in_;
    std::string out_;
    std::size_t i_ = 0;
    bool after_backslash_ = false;
    int attachment_ = 0;
};

}  // namespace

int decode_dxf_text(std::string& text) {
    TextCleaner cleaner(text);
    int attachment = cleaner.run();
    text = cleaner.take();
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

}  // namespace zov
