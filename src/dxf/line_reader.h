#pragma once
// Reads a DXF file line by line. The line-end style (CR LF, LF or CR) is
// detected from the first line end of the file and used for every line
// (dxf/line_end.h tells how this differs from ZovEdit's line reader); a
// CR LF file is split exactly as the viewer always split its lines (the byte
// after a CR is dropped, a lone LF stays in the line). A line longer than the
// maximum length is cut there and the rest is read as the next line. At the
// end of the file, also after an unterminated last line, the reader reports
// the end and the line reads "EOF".
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "dxf/line_end.h"

namespace zov {

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
    int read_line(std::size_t max_len = kMaxLine) {
        // Most lines of a file are short lines lying whole in the buffer:
        // taken here without a call, whatever the file's line ends.
        // Everything else (a long line, the buffer's end) goes the general way.
        const char* start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const std::size_t scan = available < kQuickScan ? available : kQuickScan;
        const std::size_t i = first_of(start, scan, terminator_);
        if (i < scan && i <= max_len) {
            if (line_end_ == LineEnd::CrLf) {
                if (i + 1 < available) {
                    line_ = std::string_view(start, i);
                    begin_ += i + 2;  // the byte after the CR is dropped, whatever it is
                    return 1;
                }
            } else {
                // A stray CR before the LF of an LF file is not the line's.
                const bool stray_cr = line_end_ == LineEnd::Lf && i > 0 && start[i - 1] == '\r';
                line_ = std::string_view(start, stray_cr ? i - 1 : i);
                begin_ += i + 1;
                return 1;
            }
        }
        return read_any_line(max_len);
    }
    std::string_view line() const { return line_; }

    LineEnd line_end() const { return line_end_; }

    // File offset of the next unread byte, and a return to such an offset.
    std::int64_t position() const;
    void seek(std::int64_t position);

private:
    // Lines are looked for this far by the quick way.
    static constexpr std::size_t kQuickScan = 24;

    // Where the first byte `wanted` of the `size` bytes at `bytes` lies,
    // `size` when there is none. Eight bytes at a time: a byte loop's exit,
    // at a different place on every line, is a branch the processor
    // mispredicts.
    static std::size_t first_of(const char* bytes, std::size_t size, char wanted) {
        static_assert(std::endian::native == std::endian::little);
        constexpr std::uint64_t kOnes = 0x0101010101010101u;
        constexpr std::uint64_t kHighs = 0x8080808080808080u;
        const std::uint64_t pattern = kOnes * static_cast<unsigned char>(wanted);
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, sizeof word);
            const std::uint64_t matches = word ^ pattern;
            // The lowest flagged byte is exactly the first match.
            const std::uint64_t flagged = (matches - kOnes) & ~matches & kHighs;
            if (flagged != 0) return i + static_cast<std::size_t>(std::countr_zero(flagged)) / 8;
        }
        for (; i < size; ++i) {
            if (bytes[i] == wanted) return i;
        }
        return size;
    }

    // The first byte `wanted` of the n bytes at `bytes`, nullptr when there
    // is none.
    static const char* find_byte(const char* bytes, std::size_t n, char wanted);
    int read_any_line(std::size_t max_len);
    // Moves the unread bytes to the front and reads more; false when nothing
    // more could be read.
    bool fill();
    void detect_line_end();

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0;           // first unread byte in buffer_
    std::size_t end_ = 0;             // end of the valid bytes in buffer_
    std::int64_t buffer_offset_ = 0;  // file offset of buffer_[0]
    bool file_ended_ = false;
    LineEnd line_end_ = LineEnd::CrLf;
    char terminator_ = '\r';  // the byte that ends a line: LF in LF files, else CR
    std::string_view line_;
};

}  // namespace zov
