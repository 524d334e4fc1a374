#include "analyser/item_lines.h"

#include <algorithm>
#include <charconv>

#include "analyser/data_line_parser.h"
#include "analyser/numbers.h"
#include "analyser/texts.h"
#include "common/messages.h"

namespace zov {

namespace {

constexpr std::size_t kHeadValueWidth = 14;
constexpr std::size_t kCommentWidth = 16;
constexpr std::size_t kLineNumberField = 8;  // seven columns and a blank
constexpr long kLargestSevenDigits = 9999999;
constexpr std::size_t kMaxCallArgs = kMaxWriteLine;
constexpr char kEscapedNewline[] = "\\n";

bool is_head_code(long code) { return code == 0 || code == 9 || code == 999; }

void append_number(std::string& text, long value) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

void pad_to(std::string& text, std::size_t start, std::size_t width) {
    std::size_t used = text.size() - start;
    if (used < width) text.append(width - used, ' ');
}

// The first eight bytes of an item line: the DXF line number right-aligned
// in seven columns and a blank. A number of more than seven digits must not
// move the code column: with comments the field is cut to eight bytes, as
// the comment follows it at once; without them the last seven digits stand.
void append_line_number(std::string& line, long number, bool comments) {
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, number);
    std::string_view text(digits, static_cast<std::size_t>(result.ptr - digits));
    if (number > kLargestSevenDigits) {
        if (comments) {
            line.append(text.substr(0, kLineNumberField));
            return;
        }
        text = text.substr(text.size() - 7);
    }
    line.append(7 - std::min<std::size_t>(7, text.size()), ' ');
    line.append(text);
    line += ' ';
}

}  // namespace

ItemLineBuilder::ItemLineBuilder(ItemLineOptions options, LineWriter& out)
    : options_(std::move(options)),
      out_(out),
      default_comment_(". . . . . . . ."),
      remark_comment_(cp932_text("       コメント")) {
    line_.reserve(2 * kMaxWriteLine + 64);
    piece_.reserve(2 * kMaxWriteLine + 64);
    if (options_.form == kFormC && !options_.comments) line_ = "(\"";
}

void ItemLineBuilder::add_dxf_line(std::string_view text) {
    ++dxf_line_no_;
    if (expect_value_) {
        const char end_of_value[] = {options_.data_mark, options_.end_code};
        if (options_.form == kFormOwn &&
            (text.find(std::string_view(end_of_value, 2)) != std::string_view::npos ||
             value_holds_group_start(text, options_.end_code, options_.code_mark)))
            ++unsafe_values_;
        add_value(text);
    } else
        add_group_line(text);
}

void ItemLineBuilder::add_group_line(std::string_view text) {
    expect_value_ = true;
    code_ = read_decimal(text);
    if (is_head_code(code_)) {
        start_item(code_);
        return;
    }
    group_pending_ = false;
    if (options_.cut && options_.form != kFormC && (code_ == 5 || code_ == 100)) return;
    group_start_ = line_.size();
    group_pending_ = true;
    line_.append(text);
    if (options_.form == kFormC)
        line_ += kEscapedNewline;
    else
        line_ += options_.code_mark;
}

void ItemLineBuilder::flush_item() {
    if (banner_kind_ != 0 && shown_) {
        out_.write_format(
            banner_kind_ == 1 ? "///  SECTION << %s >>  ///" : "//    BLOCK    < %s >  //",
            banner_name_.c_str());
    }
    banner_kind_ = 0;
    if (shown_) write_closed_line();
}

void ItemLineBuilder::start_item(long code) {
    flush_item();
    call_args_.clear();
    line_.clear();
    groups_in_line_ = 0;
    item_started_ = true;
    head_complete_ = false;
    item_is_eof_ = false;
    group_start_ = 0;
    group_pending_ = true;
    if (options_.form == kFormC) {
        if (!options_.comments) line_ = "(\"";
        return;
    }
    append_line_number(line_, dxf_line_no_, options_.comments);
    append_number(line_, code);
    line_ += options_.code_mark;
}

void ItemLineBuilder::add_value(std::string_view value) {
    expect_value_ = false;
    const long code = code_;
    if ((code == 0 || code == 9) && !options_.selected.empty()) {
        shown_ = std::find(options_.selected.begin(), options_.selected.end(), value) !=
                 options_.selected.end();
    }
    if (code == 0) {
        vertex_counter_ = 0;
        binary_break_ = false;
        xdata_count_ = 0;
        if (value == "SECTION")
            banner_kind_ = 1;
        else if (value == "BLOCK")
            banner_kind_ = 2;
        else if (value == "LWPOLYLINE" || value == "HATCH")
            vertex_counter_ = 1;
    }
    if (code >= 310 && code <= 319) binary_break_ = true;
    if (code >= 1000) ++xdata_count_;
    if (code == 20 && vertex_counter_ != 0) ++vertex_counter_;
    if (banner_kind_ != 0 && code == 2) banner_name_ = value;

    if (is_head_code(code)) {
        append_head_value(value);
        head_complete_ = true;
        item_is_eof_ = code == 0 && value == "EOF";
        ++groups_in_line_;
    } else if (group_pending_) {
        piece_.clear();
        if (options_.form == kFormC)
            append_form_c_value(value);
        else
            append_terminated(value, 0);
        bound_line_before(piece_.size());
        line_ += piece_;
        ++groups_in_line_;
    }
    group_pending_ = false;

    bool vertex_break = vertex_counter_ != 0 && vertex_counter_ % 4 == 0 && options_.form != kFormC;
    if (vertex_break || binary_break_ || xdata_count_ > 9) {
        break_line(continuation_prefix(xdata_count_ > 0));
        if (vertex_counter_ != 0) ++vertex_counter_;
        xdata_count_ = 0;
    }
}

void ItemLineBuilder::append_terminated(std::string_view value, std::size_t width) {
    std::size_t start = piece_.size();
    piece_.append(value);
    piece_ += options_.data_mark;
    piece_ += options_.end_code;
    pad_to(piece_, start, width);
}

void ItemLineBuilder::append_head_value(std::string_view value) {
    piece_.clear();
    if (options_.comments) {
        line_.resize(std::min(line_.size(), kLineNumberField));
        std::string_view comment = comment_for(value);
        if (options_.form == kFormC) piece_ += "/*";
        piece_.append(comment);
        pad_to(piece_, piece_.size() - comment.size(), kCommentWidth);
        if (options_.form == kFormC) {
            piece_ += "*/(\"";
        } else {
            piece_ += ' ';
        }
        append_number(piece_, code_);
        piece_ += options_.form == kFormC ? kEscapedNewline : std::string(1, options_.code_mark);
    } else if (options_.form == kFormC) {
        append_number(piece_, code_);
        piece_ += kEscapedNewline;
    }
    if (options_.form == kFormC) {
        piece_.append(value);
        piece_ += kEscapedNewline;
    } else {
        append_terminated(value, kHeadValueWidth);
    }
    line_ += piece_;
}

void ItemLineBuilder::append_form_c_value(std::string_view value) {
    const char* placeholder = nullptr;
    std::string argument;
    if (code_ == 1) {
        placeholder = "%%s";
        argument = ",strings";
    } else if (code_ == 5) {
        placeholder = "%%lx";
        argument = ",handle++";
    } else if (code_ == 8) {
        placeholder = "%%s";
        argument = ",layer";
    } else if (code_ >= 10 && code_ <= 59) {
        placeholder = "%%f";
        argument = ",d_";
        append_number(argument, code_);
    }
    if (placeholder != nullptr) {
        piece_ += placeholder;
        // The argument list only serves the closing line; past the longest
        // line it could not be written anyway.
        if (call_args_.size() < kMaxCallArgs) call_args_ += argument;
    } else {
        piece_.append(value);
    }
    piece_ += kEscapedNewline;
}

void ItemLineBuilder::bound_line_before(std::size_t piece_size) {
    if (line_.size() + piece_size <= kMaxWriteLine || groups_in_line_ == 0) return;
    // The group would make the line too long to be written: the line ends
    // before it and the group begins a continuation line.
    std::string carried = line_.substr(group_start_);
    line_.resize(group_start_);
    bool extended_before = xdata_count_ - (code_ >= 1000 ? 1 : 0) > 0;
    break_line(continuation_prefix(extended_before) + carried);
    xdata_count_ = code_ >= 1000 ? 1 : 0;
}

void ItemLineBuilder::break_line(std::string next) {
    if (shown_) write_line();
    line_ = std::move(next);
    groups_in_line_ = 0;
}

std::string ItemLineBuilder::continuation_prefix(bool after_extended_data) const {
    std::string prefix = "^";
    prefix.append(options_.comments ? kContinuationBlanksWithComments : kContinuationBlanksPlain,
                  ' ');
    if (!after_extended_data) prefix += ' ';
    return prefix;
}

void ItemLineBuilder::write_line() { out_.write_line(line_); }

void ItemLineBuilder::write_closed_line() {
    if (options_.form == kFormC) {
        line_ += '"';
        line_ += call_args_;
        line_ += ");";
    }
    write_line();
}

std::string_view ItemLineBuilder::comment_for(std::string_view value) const {
    int entry = options_.names != nullptr ? options_.names->find(value) : 0;
    if (entry != 0) return options_.names->comment(entry);
    return code_ == 999 ? remark_comment_ : default_comment_;
}

void ItemLineBuilder::finish() {
    if (!item_started_) return;
    if (expect_value_) {
        // The file ended between a group line and its value.
        if (!head_complete_) return;
        if (group_pending_) line_.resize(group_start_);
    }
    if (!head_complete_ || item_is_eof_) return;
    flush_item();
}

}  // namespace zov
