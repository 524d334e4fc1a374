#pragma once
// Reading a JW_CAD file through two independent streams on the same file: the
// record stream, which walks the header blocks and the element records, and
// the text stream, which reads the NUL-terminated strings of the text area.
// Short reads are reported: a file shorter than its counts promise ends the
// reading there instead of yielding zero records without end.
#include <cstdint>
#include <cstdio>
#include <string>

#include "jw/jw_format.h"

namespace zov {

class JwFile {
public:
    JwFile() = default;
    ~JwFile();
    JwFile(const JwFile&) = delete;
    JwFile& operator=(const JwFile&) = delete;

    // Opens `path` (a file-system path) twice for binary reading. False, with
    // nothing left open, when either open fails.
    bool open(const std::string& path);
    void close();
    bool is_open() const { return records_ != nullptr; }

    // Size of the file in bytes, taken when it was opened.
    std::int64_t size() const { return size_; }

    // Record stream.
    std::int64_t position() const;
    // Moves the record stream to `offset`; false when that lies beyond the end.
    bool seek(std::int64_t offset);
    // Reads `n` bytes; a short read zero-fills the rest and gives false.
    bool read(void* buffer, std::size_t n);

    // Text stream: positions it `text_count` text records after the record
    // stream's position, which is where the text area begins. When that lies
    // beyond the end, the text stream is put at the end and false is returned.
    bool start_texts(std::int32_t text_count);
    std::FILE* text_stream() const { return texts_; }

private:
    std::FILE* records_ = nullptr;
    std::FILE* texts_ = nullptr;
    std::int64_t size_ = 0;
};

// One header block from the record stream.
bool read_jw_block(JwFile& file, JwBlock& block);

// One record from the record stream; false, with the record zero-filled where
// the file ended, when the file holds less than a whole record.
bool read_jw_line(JwFile& file, JwLineRecord& record);
bool read_jw_circle(JwFile& file, JwCircleRecord& record);
bool read_jw_text(JwFile& file, JwTextRecord& record);
bool read_jw_point(JwFile& file, JwPointRecord& record);

// The next text of the text area: the bytes up to its NUL, of which the first
// 255 are kept (never ending inside a double-byte character). After 1024
// bytes without a NUL the text ends and the next starts at the following
// byte. False when the file ended before the text did; `text` then holds what
// was read.
bool read_jw_text_string(JwFile& file, std::string& text);

}  // namespace zov
