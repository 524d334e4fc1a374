#pragma once
// A text file written the way the programs write them: every "\n" becomes
// CR LF on disk, whatever the platform. Output is buffered; a failed write is
// remembered and reported by close().
#include <cstdio>
#include <string>
#include <string_view>

namespace zov {

class TextFileWriter {
public:
    TextFileWriter() = default;
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Creates (or empties) the file; false when it cannot be created.
    bool open(const std::string& path);

    // printf-style output; CP932 bytes pass through unchanged.
    void put(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void put_text(std::string_view text);

    // Writes what is buffered and closes; false when any write failed.
    bool close();

private:
    void flush_buffer();

    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool failed_ = false;
};

}  // namespace zov
