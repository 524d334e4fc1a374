#pragma once
// The group-code / value step shared by every DXF reader. Lines alternate
// between a code line and its value line; one toggle, flipped at every line
// read, tells which is which. A binary DXF file is read through the same
// step: its groups are handed out as a code line and a value line each, so
// every reader works on both. Value lines of files that store their text as
// UTF-8 (version AC1021 and later) are handed out as CP932, a character that
// CP932 cannot hold becoming "?"; older files keep their bytes unless their
// code page is one that CP932 text has to be converted from.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/read_progress.h"
#include "dxf/binary_groups.h"
#include "dxf/code_page.h"
#include "dxf/line_reader.h"

namespace zov {

class DxfGroupReader {
public:
    // Opens an ASCII or a binary DXF file; false when it cannot be opened.
    bool open(const std::string& path);
    void close();
    bool is_binary() const { return binary_; }
    // Tells `progress` (which must outlive the reading) how far the reader
    // has come, every few thousand groups; a stop asked for there ends the
    // file at once, so that every reader's loop comes to its end.
    void report_to(ReadProgress* progress) { progress_ = progress; }
    // The same for a reader of a part further on in the file, on a thread
    // of its own: what it reads counts as read ahead (ReadProgress).
    void report_part_to(ReadProgress* progress) {
        progress_ = progress;
        reports_part_ = true;
        reported_position_ = mark().position;
    }

    // Reads the next line and flips the toggle; on a code line the group
    // code is taken from it. 1, or -1 at the end of the file.
    int read_group();

    // Reads a code line and, unless it has code 0 (or code 9 when
    // `stop_at_9`), its value line. False at a stopping code line, whose value
    // is left for the caller, and at the end of the file.
    bool read_pair(bool stop_at_9 = false);

    bool ended() const { return ended_; }
    bool is_code_line() const { return expect_value_; }
    int code() const { return code_; }
    std::string_view value() const { return numeric_ ? number_text() : value_; }
    double real() const;
    int integer() const;

    // Marks the text of the file as UTF-8 (from version AC1021 on).
    void set_utf8_text(bool utf8) { utf8_text_ = utf8; }
    // The file's code page ($DWGCODEPAGE), used for files whose text is not UTF-8.
    void set_code_page(std::string_view name) {
        code_page_name_ = name;
        code_page_.select(name);
    }
    // Reads text as `other` does (its UTF-8 mark and code page).
    void read_text_as(const DxfGroupReader& other) {
        utf8_text_ = other.utf8_text_;
        if (!other.code_page_name_.empty()) set_code_page(other.code_page_name_);
    }
    // The line ends of an ASCII file.
    LineEnd line_end() const { return lines_.line_end(); }
    // Characters of values that CP932 cannot hold are counted in `lost`
    // from now on; nullptr stops the counting.
    void count_lost_characters(LossReport* lost) { lost_characters_ = lost; }

    // A point of the file to come back to, with the toggle at that point
    // and, between a code line and its value, that line's code.
    struct Mark {
        std::int64_t position;
        bool expect_value;
        int code = 0;
    };
    Mark mark() const;
    void return_to(const Mark& mark);

private:
    int read_binary_group();
    void report_progress();
    // The text of a numeric binary value, made when it is asked for.
    std::string_view number_text() const { return binary_number_text(pair_, number_text_); }
    // The value line as CP932 text.
    void convert_value();

    DxfLineReader lines_;
    DxfBinaryGroups binary_groups_;
    BinaryGroup pair_;  // the binary group whose code line was read last
    std::int64_t pair_start_ = 0;
    bool binary_ = false;
    bool numeric_ = false;  // the value is pair_'s number
    mutable char number_text_[32] = {};
    CodePageConverter code_page_;
    std::string code_page_name_;
    LossReport* lost_characters_ = nullptr;
    bool expect_value_ = false;
    bool ended_ = false;
    bool utf8_text_ = false;
    int code_ = 0;
    std::string_view value_;
    std::string converted_;
    ReadProgress* progress_ = nullptr;
    int groups_to_report_ = 0;
    bool reports_part_ = false;
    std::int64_t reported_position_ = 0;
};

}  // namespace zov
