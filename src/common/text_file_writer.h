#pragma once
// A text file written the way the programs write them: every "\n" becomes
// CR LF on disk, whatever the platform. Output is buffered; a failed write is
// remembered and reported by close(). The file is written whole or not at
// all (common/whole_file.h): it appears under its name only when close()
// succeeds, and a writer dropped without close() leaves the old file.
#include <string>
#include <string_view>

#include "common/whole_file.h"

namespace zov {

class TextFileWriter {
public:
    TextFileWriter() = default;
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Starts the file (an existing one is replaced at close()); false when it
    // cannot be created.
    bool open(const std::string& path);

    // printf-style output; CP932 bytes pass through unchanged.
    void put(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void put_text(std::string_view text);

    // Writes what is buffered, closes and puts the file in place; false when
    // any write failed (the old file, if any, then stands).
    bool close();

private:
    void flush_buffer();

    WholeFileOutput file_;
    std::string buffer_;
    bool failed_ = false;
};

}  // namespace zov
