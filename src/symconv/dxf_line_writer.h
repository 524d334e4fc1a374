#pragma once
// The converter's writer of its files on a FILE*: the sink of its DXF
// groups, and whole formatted lines for its settings file.
#include <cstdio>
#include <string_view>

#include "dxf/group_writer.h"

namespace zov {

// Longest text that is written as formatted; a longer one is written as "??".
inline constexpr int kLongestDxfLine = 1021;

// The converter's DXF files end their lines with CR LF.
inline constexpr char kConverterLineEnd[] = "\r\n";

class DxfLineWriter : public DxfSink {
public:
    explicit DxfLineWriter(std::FILE* file) : file_(file) {}

    // Formats the text, appends CR LF and writes both. Returns 0, or -1 when
    // the file did not take the bytes.
    int write_dxf_line(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The bytes as they are; false when the file did not take them.
    bool write(std::string_view bytes) override;

    // True once any write has failed (a full disk, a lost device).
    bool failed() const { return failed_; }

private:
    std::FILE* file_;
    bool failed_ = false;
};

}  // namespace zov
