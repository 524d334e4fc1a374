#pragma once
// Reads a DXF file line by line. The line-end style (CR LF, LF or CR) is
// detected from the first line end of the file and used for every line; a
// CR LF file is split exactly as the viewer always split its lines (the byte
// after a CR is dropped, a lone LF stays in the line). A line longer than the
// maximum length is cut there and the rest is read as the next line. At the
// end of the file, also after an unterminated last line, the reader reports
// the end and the line reads "EOF".
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zov {

enum class LineEnd { CrLf, Lf, Cr };

class DxfLineReader {
public:
    static constexpr std::size_t kMaxLine = 2048;

    DxfLineReader();
    ~DxfLineReader();
    DxfLineReader(const DxfLineReader&) = delete;
    DxfLineReader& operator=(const DxfLineReader&) = delete;

    // Opens `path` for binary reading and detects its line ends; false when
    // the file cannot be opened.
    bool open(const std::string& path);
    void close();

    // The next line into line(): 1, or -1 at the end of the file.
    int read_line(std::size_t max_len = kMaxLine);
    std::string_view line() const { return line_; }

    LineEnd line_end() const { return line_end_; }

    // File offset of the next unread byte, and a return to such an offset.
    std::int64_t position() const;
    void seek(std::int64_t position);

private:
    // Moves the unread bytes to the front and reads more; false when nothing
    // more could be read.
    bool fill();
    void detect_line_end();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;  // first unread byte in buffer_
    std::size_t end_ = 0;    // end of the valid bytes in buffer_
    std::int64_t buffer_offset_ = 0;  // file offset of buffer_[0]
    bool file_ended_ = false;
    LineEnd line_end_ = LineEnd::CrLf;
    std::string_view line_;
};

}  // namespace zov
