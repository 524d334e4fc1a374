#include "dxf/line_reader.h"

#include <cstring>

namespace zov {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr std::string_view kEndText = "EOF";

}  // namespace

// DXF lines are mostly a few bytes long, so the first bytes are looked at
// eight at a time without a library call; a long line goes on with memchr.
const char* DxfLineReader::find_byte(const char* bytes, std::size_t n, char wanted) {
    constexpr std::size_t kWordScan = 32;
    const std::size_t head = n < kWordScan ? n : kWordScan;
    const std::size_t i = first_of(bytes, head, wanted);
    if (i < head) return bytes + i;
    if (n <= head) return nullptr;
    return static_cast<const char*>(std::memchr(bytes + head, wanted, n - head));
}

// Left uninitialised: only as much of it as a file fills is ever touched.
DxfLineReader::DxfLineReader() : buffer_(new char[kBufferSize]) {}

DxfLineReader::~DxfLineReader() { close(); }

bool DxfLineReader::open(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return false;
    seek(0);
    detect_line_end();
    return true;
}

void DxfLineReader::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    begin_ = end_ = 0;
    buffer_offset_ = 0;
    file_ended_ = true;
    line_ = kEndText;
}

bool DxfLineReader::fill() {
    if (file_ended_ || file_ == nullptr) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        buffer_offset_ += static_cast<std::int64_t>(begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == kBufferSize) return false;
    std::size_t got = std::fread(buffer_.get() + end_, 1, kBufferSize - end_, file_);
    end_ += got;
    if (got == 0) file_ended_ = true;
    return got > 0;
}

void DxfLineReader::detect_line_end() {
    // The first line end within the first buffer decides; a file without any
    // keeps the CR LF default.
    fill();
    line_end_ = first_line_end(std::string_view(buffer_.get() + begin_, end_ - begin_))
                    .value_or(LineEnd::CrLf);
    terminator_ = line_end_ == LineEnd::Lf ? '\n' : '\r';
}

int DxfLineReader::read_any_line(std::size_t max_len) {
    while (true) {
        const char* start = buffer_.get() + begin_;
        std::size_t available = end_ - begin_;
        std::size_t window = available < max_len + 1 ? available : max_len + 1;
        const char* found = find_byte(start, window, terminator_);
        if (found != nullptr) {
            std::size_t length = static_cast<std::size_t>(found - start);
            std::size_t consumed = length + 1;
            if (line_end_ == LineEnd::CrLf) {
                // The byte after the CR is dropped, whatever it is.
                if (length + 1 >= available) {
                    if (fill()) continue;
                    break;
                }
                consumed = length + 2;
            } else if (line_end_ == LineEnd::Lf && length > 0 && start[length - 1] == '\r') {
                --length;  // a stray CR before the LF
            }
            line_ = std::string_view(start, length);
            begin_ += consumed;
            return 1;
        }
        if (available > max_len) {
            line_ = std::string_view(start, max_len);
            begin_ += max_len;
            return 1;
        }
        if (!fill()) break;
    }
    begin_ = end_;
    line_ = kEndText;
    return -1;
}

std::int64_t DxfLineReader::position() const {
    return buffer_offset_ + static_cast<std::int64_t>(begin_);
}

void DxfLineReader::seek(std::int64_t position) {
    begin_ = end_ = 0;
    buffer_offset_ = position;
    file_ended_ = file_ == nullptr || std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0;
    line_ = kEndText;
}

}  // namespace zov
