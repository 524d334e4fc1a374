#include "analyser/management.h"

#include "analyser/numbers.h"
#include "analyser/texts.h"
#include "common/messages.h"

namespace zov {

namespace {

constexpr std::string_view kManagementPrefix = "Zov=";

// The number fields after "Zov=" as (position, width), and the length of all
// fields.
struct NumberField {
    std::size_t pos, width;
};
constexpr NumberField kNumberFields[] = {{0, 1},  {1, 1},  {2, 1},  {5, 3},  {8, 2},
                                         {10, 2}, {12, 2}, {17, 4}, {21, 3}, {24, 1}};
constexpr std::size_t kFieldsLength = 25;

// The digits of the field at `pos` with `width` bytes, 0 beyond the line.
int field_number(std::string_view fields, std::size_t pos, std::size_t width) {
    if (pos >= fields.size()) return 0;
    std::string_view digits = fields.substr(pos, width);
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

char field_char(std::string_view fields, std::size_t pos) {
    return pos < fields.size() ? fields[pos] : '\0';
}

}  // namespace

int management_checksum(const ManagementRecord& r) {
    return r.comments_on + r.cut_on + r.selection_on + r.header_lines + r.reserved_a +
           r.code_column + r.reserved_b;
}

int analysis_header_lines(const AnalyserSettings& settings, int selected_count) {
    int lines = 43;
    if (settings.item_comments == 1) lines += 2;
    if (settings.cut_handles == 1) lines += 2;
    if (settings.selected_only == 1) lines += selected_count + 2;
    if (settings.explanation == 0) lines = 7;
    return lines + 2;  // the two ruler lines
}

char code_mark_of(const AnalyserSettings& settings) {
    return settings.code_mark.empty() ? ':' : settings.code_mark.front();
}

char data_mark_of(const AnalyserSettings& settings) {
    return settings.data_mark.empty() ? '_' : settings.data_mark.front();
}

int end_code_of(const AnalyserSettings& settings) {
    int code = settings.end_code;
    return code < 1 || code > 255 || code == '\n' || code == '\r' ? kDefaultEndCode : code;
}

ManagementRecord management_for(const AnalyserSettings& settings, int selected_count) {
    ManagementRecord r;
    r.comments_on = settings.item_comments == 1;
    r.cut_on = settings.cut_handles == 1;
    r.selection_on = settings.selected_only == 1;
    r.code_mark = code_mark_of(settings);
    r.data_mark = data_mark_of(settings);
    r.header_lines = analysis_header_lines(settings, selected_count);
    r.code_column = r.comments_on ? kCodeColumnWithComments : kCodeColumnPlain;
    r.checksum = management_checksum(r);
    r.form = settings.analysis_form >= kFormOwn && settings.analysis_form <= kFormC
                 ? settings.analysis_form
                 : kFormText;
    r.end_code = r.form == kFormOwn ? end_code_of(settings) : ' ';
    return r;
}

std::string format_management_line(const ManagementRecord& r) {
    return format_text("Zov=%d%d%d%c%c%03d%02d%02d%02d%c%c%c%04d%03d%d", r.comments_on, r.cut_on,
                       r.selection_on, r.code_mark, r.data_mark, r.header_lines, r.reserved_a,
                       r.code_column, r.reserved_b, r.name_mark, r.skip_mark, r.continuation_mark,
                       r.checksum, r.end_code, r.form) +
           cp932_text("(管理データ書き換え禁止)");
}

bool is_complete_management_line(std::string_view line) {
    if (line.substr(0, kManagementPrefix.size()) != kManagementPrefix) return false;
    const std::string_view fields = line.substr(kManagementPrefix.size());
    if (fields.size() < kFieldsLength) return false;
    for (const NumberField& field : kNumberFields)
        if (fields.substr(field.pos, field.width).find_first_not_of("0123456789") !=
            std::string_view::npos)
            return false;
    return true;
}

bool parse_management_line(std::string_view line, ManagementRecord& r) {
    if (line.substr(0, kManagementPrefix.size()) != kManagementPrefix) return false;
    std::string_view f = line.substr(kManagementPrefix.size());
    r.comments_on = field_number(f, 0, 1);
    r.cut_on = field_number(f, 1, 1);
    r.selection_on = field_number(f, 2, 1);
    r.code_mark = field_char(f, 3);
    r.data_mark = field_char(f, 4);
    r.header_lines = field_number(f, 5, 3);
    r.reserved_a = field_number(f, 8, 2);
    r.code_column = field_number(f, 10, 2);
    r.reserved_b = field_number(f, 12, 2);
    r.name_mark = field_char(f, 14);
    r.skip_mark = field_char(f, 15);
    r.continuation_mark = field_char(f, 16);
    r.checksum = field_number(f, 17, 4);
    r.end_code = field_number(f, 21, 3);
    r.form = field_number(f, 24, 1);
    return true;
}

}  // namespace zov
