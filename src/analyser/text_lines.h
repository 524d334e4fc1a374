#pragma once
// Line-by-line text files of the analyser: line-end detection, a line reader
// that follows the detected style and a line writer with the chosen line end.
// Source DXF files, analysis files, rebuilt DXF files, the settings file and
// the item-name table all go through these three. dxf/line_end.h tells how
// they differ from the viewer's DXF line reader.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "common/whole_file.h"
#include "dxf/group_writer.h"
#include "dxf/line_end.h"

namespace zov {

// Line-end styles as `detect_line_end_style` reports them: the three line
// ends by their numbers, and two more findings.
enum LineEndStyle : int {
    // No line end in the first 4096 bytes, or not text.
    kLineEndUnknown = 0,
    kLineEndCrLf = static_cast<int>(LineEnd::CrLf),  // MS-DOS / Windows
    kLineEndCr = static_cast<int>(LineEnd::Cr),      // Macintosh
    kLineEndLf = static_cast<int>(LineEnd::Lf),      // UNIX
    // CR behind a 128-byte MacBinary "TEXTdos" header.
    kLineEndMacBinary = 4,
};

// Longest line `read_line` delivers; a longer line comes in pieces.
constexpr std::size_t kMaxReadLine = 4095;
// Longest text `write_line` writes; a longer one is written as "??".
constexpr std::size_t kMaxWriteLine = 4093;

// -1 when the file cannot be opened or is empty, else the style 0 to 4.
// `path` is a CP932 path.
int detect_line_end_style(const std::string& path);

// Size of the MacBinary header in front of a file saved on a Macintosh.
constexpr std::size_t kMacBinaryHeaderSize = 128;

// True when the file starts with a MacBinary header of a text file: a zero
// first byte and the type "TEXT" at bytes 65 to 68.
bool has_macbinary_text_header(const std::string& path);

// Reads lines of one file in one line-end style, through its own buffer.
class LineReader {
public:
    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    // Opens a CP932 path for reading lines in `style`; false when it cannot
    // be opened.
    bool open(const std::string& path, int style);
    // Passes over the first `count` bytes (a MacBinary header).
    void skip_bytes(std::size_t count);
    void close();

    // 1 for a line (its text in `line()`), -1 at the end of the file (then
    // `line()` is "EOF"). A last line without a line end is not delivered.
    int read_line();
    std::string_view line() const { return line_; }

private:
    bool refill();
    bool peek_byte(unsigned char& byte);
    void consume_line_feed();

    std::FILE* file_ = nullptr;
    int style_ = kLineEndCrLf;
    char terminator_ = '\r';
    bool skip_next_ = false;  // the byte after a CR of a CR LF file
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    char pieces_[kMaxReadLine + 1] = {};
    std::string_view line_;
};

// Writes lines with one line-end style. Output is buffered; `close` reports
// whether everything reached the file. The file is written whole or not at
// all (common/whole_file.h): it takes its name only when `close` succeeds; a
// writer discarded, or dropped without `close`, leaves the old file as it was.
class LineWriter : public DxfSink {
public:
    LineWriter() = default;
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;
    ~LineWriter();

    // Starts the file at a CP932 path; false when it cannot be created.
    bool create(const std::string& path);
    // `ExistingTarget::Keep`: close fails rather than replace a file that
    // appeared under the name meanwhile.
    void set_existing_target(ExistingTarget existing) { existing_ = existing; }
    // The setting `line_ends`: 1 CR LF, 2 CR, 3 LF; any other value counts as 1.
    void set_line_end(int output_line_end);
    // Puts the file in place; false when any write failed.
    bool close();
    // Drops what was written; the name keeps its old file, if any.
    void discard();

    // Writes `text` and the line end; a text over 4093 bytes is written as
    // "??". Returns the number of text bytes written.
    int write_line(std::string_view text);
    // printf-style form of `write_line`.
    int write_format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Lines that were too long and went out as "??".
    int cut_lines() const { return cut_lines_; }

    // The line end chosen, for DXF groups written through this writer.
    std::string_view line_end() const { return line_end_; }
    // Bytes as they are (DXF groups with their own line ends); false once a
    // write has failed.
    bool write(std::string_view bytes) override;

private:
    void put(std::string_view bytes);
    bool flush();

    WholeFileOutput file_;
    ExistingTarget existing_ = ExistingTarget::Replace;
    std::string_view line_end_ = "\r\n";
    std::string buffer_;
    bool failed_ = false;
    int cut_lines_ = 0;
};

}  // namespace zov
