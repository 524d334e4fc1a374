#include "dxf/group_reader.h"

#include <algorithm>
#include <limits>

#include "common/encoding.h"
#include "dxf/numbers.h"

namespace zov {

namespace {

// Groups read between two reports to the progress.
constexpr int kGroupsPerReport = 4096;

// A group code as almost every file writes it: up to three digits, right-
// aligned in blanks; the same number parse_dxf_int gives, without its call.
// False for anything else.
bool read_plain_code(std::string_view line, int& code) {
    if (line.empty() || line.size() > 3) return false;
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ') ++i;
    if (i == line.size()) return false;
    int value = 0;
    for (; i < line.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(line[i]) - static_cast<unsigned>('0');
        if (digit > 9) return false;
        value = value * 10 + static_cast<int>(digit);
    }
    code = value;
    return true;
}

bool has_non_ascii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

}  // namespace

bool DxfGroupReader::open(const std::string& path) {
    close();
    binary_ = DxfBinaryGroups::is_binary_file(path);
    return binary_ ? binary_groups_.open(path) : lines_.open(path);
}

void DxfGroupReader::close() {
    lines_.close();
    binary_groups_.close();
}

void DxfGroupReader::report_progress() {
    groups_to_report_ = kGroupsPerReport;
    const std::int64_t position = mark().position;
    if (reports_part_) {
        progress_->add_read_ahead(position - reported_position_);
        reported_position_ = position;
    } else {
        progress_->advance_to(position);
    }
    if (progress_->stop_requested()) close();  // what is read from now on is the end
}

int DxfGroupReader::read_group() {
    if (progress_ != nullptr && --groups_to_report_ <= 0) report_progress();
    if (binary_) return read_binary_group();
    int result = lines_.read_line();
    ended_ = result < 0;
    expect_value_ = !expect_value_;
    value_ = lines_.line();
    if (expect_value_) {
        if (!read_plain_code(value_, code_)) code_ = parse_dxf_int(value_);
    } else {
        convert_value();
    }
    return result;
}

int DxfGroupReader::read_binary_group() {
    expect_value_ = !expect_value_;
    numeric_ = false;
    if (!ended_ && expect_value_) {
        pair_start_ = binary_groups_.position();
        ended_ = !binary_groups_.next(pair_);
        code_ = pair_.code;
        value_ = std::string_view();
    } else if (!ended_) {
        value_ = pair_.text;
        numeric_ = pair_.numeric;
        if (!numeric_) convert_value();
    }
    if (!ended_) return 1;
    value_ = "EOF";
    return -1;
}

void DxfGroupReader::convert_value() {
    if ((!utf8_text_ && !code_page_.active()) || !has_non_ascii(value_)) return;
    if (utf8_text_) {
        converted_ = utf8_to_cp932(value_);
        // Only a value that gained a "?" lost a character.
        if (lost_characters_ != nullptr && std::count(converted_.begin(), converted_.end(), '?') >
                                               std::count(value_.begin(), value_.end(), '?'))
            count_characters_cp932_lacks(value_, *lost_characters_);
        value_ = converted_;
    } else if (code_page_.active()) {
        // A name with "?" would not be a valid name in a DXF file written
        // from the store: names (layers, blocks, line types, styles) get "_".
        const bool name = code_ == 2 || code_ == 3 || code_ == 6 || code_ == 7 || code_ == 8;
        converted_ = code_page_.to_cp932(value_, name ? "_" : "?", lost_characters_);
        value_ = converted_;
    }
}

bool DxfGroupReader::read_pair(bool stop_at_9) {
    if (read_group() < 0) return false;
    if (code_ == 0 || (stop_at_9 && code_ == 9)) return false;
    return read_group() > 0;
}

double DxfGroupReader::real() const { return numeric_ ? pair_.number : parse_dxf_real(value_); }

int DxfGroupReader::integer() const {
    if (!numeric_) return parse_dxf_int(value_);
    // As the text of the number would read: the integer part, saturated.
    constexpr double kLargest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(pair_.number, -kLargest, kLargest));
}

DxfGroupReader::Mark DxfGroupReader::mark() const {
    // A binary group is read whole at its code line; a mark between its code
    // and its value lines points at the group.
    if (binary_)
        return {expect_value_ ? pair_start_ : binary_groups_.position(), expect_value_, code_};
    return {lines_.position(), expect_value_, code_};
}

void DxfGroupReader::return_to(const Mark& mark) {
    ended_ = false;
    if (!binary_) {
        lines_.seek(mark.position);
        expect_value_ = mark.expect_value;
        code_ = mark.code;
        return;
    }
    binary_groups_.seek(mark.position);
    expect_value_ = false;
    if (mark.expect_value) read_binary_group();  // its code line again
}

}  // namespace zov
