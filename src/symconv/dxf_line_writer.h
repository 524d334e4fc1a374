#pragma once
// The one writer of the converter's DXF lines (and of its settings file).
#include <cstdio>

namespace zov {

// Longest text that is written as formatted; a longer one is written as "??".
inline constexpr int kLongestDxfLine = 1021;

class DxfLineWriter {
public:
    explicit DxfLineWriter(std::FILE* file) : file_(file) {}

    // Formats the text, appends CR LF and writes both. A template holding
    // "\r\n" thus writes several lines, the writer adding the last line end.
    // Returns 0, or -1 when the file did not take the bytes.
    int write_dxf_line(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // True once any write has failed (a full disk, a lost device).
    bool failed() const { return failed_; }

private:
    std::FILE* file_;
    bool failed_ = false;
};

}  // namespace zov
