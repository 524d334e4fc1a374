#pragma once
// Little-endian values from a JW_CAD for Windows file, read either from a
// file through a fixed buffer or from bytes held in memory. A read that runs
// past the end of the input gives zeros and marks the source as cut short;
// every later read then gives zeros too, so a reader may check once per
// object instead of after every field.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "common/read_progress.h"

namespace zov {

class JwwByteSource {
public:
    // Reads `bytes`, which must outlive the source.
    explicit JwwByteSource(std::string_view bytes);
    // Reads the open `file` from its current position up to `size` bytes in
    // all; the caller keeps the file open and closes it.
    JwwByteSource(std::FILE* file, std::int64_t size);

    // Tells `progress` how far the file has been read at every refill; a
    // stop asked for there ends the input as if the file ended.
    void report_to(ReadProgress* progress) { progress_ = progress; }

    bool cut_short() const { return cut_short_; }
    bool read_failed() const { return read_failed_; }
    std::int64_t offset() const { return consumed_ + (cursor_ - buffer_start_); }
    std::int64_t remaining() const { return size_ - offset(); }

    std::uint8_t u8() { return value<std::uint8_t>(); }
    std::uint16_t u16() { return value<std::uint16_t>(); }
    std::uint32_t u32() { return value<std::uint32_t>(); }
    std::int32_t i32() { return value<std::int32_t>(); }
    std::uint64_t u64() { return value<std::uint64_t>(); }
    double f64() { return value<double>(); }

    // Appends `n` bytes to `out`, after checking that the input holds them.
    void append(std::string& out, std::int64_t n);
    // Passes over `n` bytes.
    void skip(std::int64_t n);

private:
    template <class T>
    T value() {
        T v{};
        if (end_ - cursor_ >= static_cast<std::ptrdiff_t>(sizeof v)) {
            std::memcpy(&v, cursor_, sizeof v);
            cursor_ += sizeof v;
        } else {
            take_slowly(&v, sizeof v);
        }
        return v;
    }
    // Copies `n` bytes across refills; zero-fills and marks the cut when the
    // input ends first.
    void take_slowly(void* out, std::size_t n);
    // Moves the unread bytes to the front of the buffer and reads more; false
    // when nothing more could be read.
    bool refill();
    void mark_cut();

    std::FILE* file_ = nullptr;
    std::unique_ptr<unsigned char[]> buffer_;
    const unsigned char* buffer_start_ = nullptr;
    const unsigned char* cursor_ = nullptr;
    const unsigned char* end_ = nullptr;
    std::int64_t consumed_ = 0;  // input bytes before buffer_start_
    std::int64_t size_ = 0;
    bool cut_short_ = false;
    bool read_failed_ = false;
    ReadProgress* progress_ = nullptr;
};

}  // namespace zov
