#include "analyser/data_line_parser.h"

#include <charconv>
#include <string>
#include <vector>

#include "analyser/texts.h"
#include "dxf/binary_groups.h"
#include "dxf/numbers.h"

namespace zov {

namespace {

// A continuation line shorter than this past the code column holds no group.
constexpr std::size_t kContinuationMinimum = 20;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::size_t skip_blanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && is_blank(text[pos])) ++pos;
    return pos;
}

// The group code written before a code mark: digits, with blanks around
// them as a DXF file's code lines may have; -1 when it is anything else.
long group_code(std::string_view text) {
    std::size_t first = skip_blanks(text, 0);
    std::size_t last = text.size();
    while (last > first && is_blank(text[last - 1])) --last;
    std::string_view digits = text.substr(first, last - first);
    long code = -1;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return -1;
    return code;
}

struct Group {
    long code;
    std::string_view value;
};

}  // namespace

bool value_holds_group_start(std::string_view value, char end_code, char code_mark) {
    for (std::size_t at = value.find(end_code); at != std::string_view::npos;
         at = value.find(end_code, at + 1)) {
        const std::size_t mark = value.find(code_mark, at + 1);
        if (mark != std::string_view::npos && group_code(value.substr(at + 1, mark - at - 1)) >= 0)
            return true;
    }
    return false;
}

int DataLineParser::refuse(long line_number, const char* utf8_format,
                           std::string_view detail) const {
    std::string what = std::string(detail);
    std::string format = std::string("%ld行目: ") + utf8_format;
    report(messages_, MessageIcon::Exclamation, format.c_str(), line_number, what.c_str());
    return -1;
}

int DataLineParser::parse_data_line(std::string_view text, long line_number) {
    if (text.empty()) return 0;
    std::size_t pos =
        record_.code_column > 0 ? static_cast<std::size_t>(record_.code_column - 1) : 0;
    if (text.front() == record_.continuation_mark && text.size() - 1 < pos + kContinuationMinimum)
        return 0;
    if (text.front() == '/') return 0;
    const char code_mark = record_.code_mark;
    const char data_mark = record_.data_mark;
    const char end_code = static_cast<char>(record_.end_code);
    const std::string terminator{data_mark, end_code};
    const std::string mark(1, code_mark), data(1, data_mark);
    // The whole line is checked before a group of it is written.
    std::vector<Group> groups;
    for (pos = skip_blanks(text, pos); pos < text.size(); pos = skip_blanks(text, pos)) {
        const std::size_t code_end = text.find(code_mark, pos);
        if (code_end == std::string_view::npos)
            return refuse(line_number, "区切り記号(%s)がありません", mark);
        const std::string_view code_text = text.substr(pos, code_end - pos);
        const long code = group_code(code_text);
        if (code < 0) {
            // Shown up to the first control byte (an end code after a value).
            std::string_view shown = code_text;
            for (std::size_t i = 0; i < shown.size(); ++i)
                if (static_cast<unsigned char>(shown[i]) < 0x20 && shown[i] != '\t')
                    shown = shown.substr(0, i);
            return refuse(line_number, "グループコード「%s」が数字ではありません", shown);
        }
        if (code > kLargestGroupCode)
            return refuse(line_number, "グループコード%sが0～1071の範囲外です",
                          std::to_string(code));
        const std::size_t value_start = code_end + 1;
        const std::size_t value_end = text.find(terminator, value_start);
        const std::string_view value =
            text.substr(value_start, value_end == std::string_view::npos ? std::string_view::npos
                                                                         : value_end - value_start);
        if (value_end == std::string_view::npos) {
            if (text.ends_with(data_mark))
                return refuse(line_number, "データ区切り記号(%s)の後の終端コードがありません",
                              data);
            if (!text.ends_with(end_code))
                return refuse(line_number, "値の後にデータ区切り記号(%s)と終端コードがありません",
                              data);
        }
        if (value_end == std::string_view::npos ||
            value_holds_group_start(value, end_code, code_mark))
            return refuse(line_number, "終端コードの前のデータ区切り記号(%s)がありません", data);
        groups.push_back({code, value});
        pos = value_end + terminator.size();
    }
    for (const Group& group : groups) {
        if (binary_value_type(static_cast<int>(group.code)) == BinaryValue::Real &&
            !is_finite_dxf_real(group.value)) {
            groups_.real(static_cast<int>(group.code), parse_dxf_real(group.value));
            replaced_.count("real value");
            continue;
        }
        char digits[8];
        auto result = std::to_chars(digits, digits + sizeof digits, group.code);
        out_.write_line(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
        out_.write_line(group.value);
    }
    return 0;
}

}  // namespace zov
