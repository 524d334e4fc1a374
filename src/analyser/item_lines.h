#pragma once
// The data region of an analysis file: DXF lines go in one by one, item lines
// (with their banners and continuation lines) come out through a LineWriter.
#include <string>
#include <string_view>
#include <vector>

#include "analyser/item_index.h"
#include "analyser/management.h"
#include "analyser/text_lines.h"

namespace zov {

struct ItemLineOptions {
    int form = kFormOwn;
    bool comments = false;
    bool cut = false;  // leave out groups 5 and 100 (forms 0 and 1)
    char code_mark = ':';
    char data_mark = '_';
    char end_code = 24;
    // Names of the items to show; empty shows every item.
    std::vector<std::string> selected;
    // Item comments; needed when `comments` is on.
    const ItemNames* names = nullptr;
};

// Width of the blank run after "^" on a continuation line.
constexpr std::size_t kContinuationBlanksWithComments = 39;
constexpr std::size_t kContinuationBlanksPlain = 22;

class ItemLineBuilder {
public:
    ItemLineBuilder(ItemLineOptions options, LineWriter& out);

    // One line of the DXF file, in file order.
    void add_dxf_line(std::string_view text);
    // The end of the DXF file: the item being built is written unless it is
    // the final "0" / "EOF" item; a group without its value is left out.
    void finish();

    // Values of the program's own form that hold the data mark followed by
    // the end code: the rebuild would end the value there.
    int unsafe_values() const { return unsafe_values_; }

private:
    void flush_item();
    void start_item(long code);
    void add_group_line(std::string_view text);
    void add_value(std::string_view value);
    void append_head_value(std::string_view value);
    void append_form_c_value(std::string_view value);
    void append_terminated(std::string_view value, std::size_t width);
    void bound_line_before(std::size_t piece_size);
    void break_line(std::string carried);
    void write_line();
    void write_closed_line();
    std::string continuation_prefix(bool after_extended_data) const;
    std::string_view comment_for(std::string_view value) const;

    ItemLineOptions options_;
    LineWriter& out_;
    std::string default_comment_, remark_comment_;

    long dxf_line_no_ = 0;
    bool expect_value_ = false;
    long code_ = 0;
    std::string line_;
    std::string call_args_;
    bool shown_ = true;
    bool item_started_ = false;   // a head group has been read
    bool head_complete_ = false;  // ... and its value too
    bool item_is_eof_ = false;
    int banner_kind_ = 0;  // 0 none, 1 SECTION, 2 BLOCK
    std::string banner_name_;
    long vertex_counter_ = 0;
    bool binary_break_ = false;
    int xdata_count_ = 0;
    std::size_t group_start_ = 0;  // where the pending group's text begins in `line_`
    bool group_pending_ = false;   // a group line was appended, its value not yet
    int groups_in_line_ = 0;       // complete groups on the current line
    std::string piece_;
    int unsafe_values_ = 0;
};

}  // namespace zov
