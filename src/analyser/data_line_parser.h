#pragma once
// The data lines of an analysis file in the program's own form, read back
// into DXF groups: "code<code mark>value<data mark><end code>", one group
// after the other, blanks allowed before a code and after the last value.
#include <string_view>

#include "analyser/management.h"
#include "analyser/text_lines.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "dxf/group_writer.h"

namespace zov {

// The group codes a DXF file can hold.
inline constexpr long kLargestGroupCode = 1071;

// True when `value` holds the end code followed by what reads as the start
// of a group ("10:"): such a value cannot be told from two groups whose data
// mark is missing, so the analysis reports it and the rebuild refuses it.
bool value_holds_group_start(std::string_view value, char end_code, char code_mark);

// Writes the groups of data-region lines as DXF lines, reading them with
// the values of one management line. The value of a real group that is not
// a finite number ("nan", "inf", an overflow, no number) is written as the
// number the viewer's import reads from it, counted in `replaced`.
class DataLineParser {
public:
    DataLineParser(const ManagementRecord& record, LineWriter& out, Messages& messages)
        : record_(record), out_(out), groups_(out, out.line_end()), messages_(messages) {}

    // Writes the groups of line `line_number` of the analysis file; 0, or -1
    // after reporting the line and what is wrong with it: a missing code
    // mark, a group code that is not a number from 0 to 1071, a value
    // without its data mark or end code, or a value holding the end code and
    // the start of a group (a data mark missing). A refused line writes
    // nothing.
    int parse_data_line(std::string_view text, long line_number);
    // The real values written as other numbers.
    const LossReport& replaced() const { return replaced_; }

private:
    int refuse(long line_number, const char* utf8_format, std::string_view detail) const;

    const ManagementRecord& record_;
    LineWriter& out_;
    DxfGroupWriter groups_;
    Messages& messages_;
    LossReport replaced_;
};

}  // namespace zov
