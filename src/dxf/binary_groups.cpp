#include "dxf/binary_groups.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

namespace zov {

BinaryValue binary_value_type(int code) {
    const auto in = [code](int first, int last) { return code >= first && code <= last; };
    if (in(10, 59) || in(110, 149) || in(210, 239) || in(460, 469) || in(1010, 1059))
        return BinaryValue::Real;
    if (in(60, 79) || in(170, 179) || in(270, 289) || in(370, 389) || in(400, 409) ||
        in(1060, 1070))
        return BinaryValue::Int16;
    if (in(90, 99) || in(420, 429) || in(440, 459) || code == 1071) return BinaryValue::Int32;
    if (in(160, 169)) return BinaryValue::Int64;
    if (in(290, 299)) return BinaryValue::Byte;
    if (in(310, 319) || code == 1004) return BinaryValue::Chunk;
    return BinaryValue::Text;
}

DxfBinaryGroups::~DxfBinaryGroups() { close(); }

bool DxfBinaryGroups::is_binary_file(const std::string& path) {
    char head[kBinaryDxfSentinel.size()];
    std::ifstream in(path, std::ios::binary);
    return in.read(head, sizeof head) && std::string_view(head, sizeof head) == kBinaryDxfSentinel;
}

namespace {

// Bytes read at a time: a few system calls per megabyte of drawing.
constexpr std::size_t kWindowSize = std::size_t{1} << 20;

}  // namespace

bool DxfBinaryGroups::open(const std::string& path) {
    close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || info.st_size <= 0) {
        close();
        return false;
    }
    size_ = static_cast<std::size_t>(info.st_size);
    // Every file starts with the group 0 "SECTION": its code is one zero
    // byte followed by the text in R12 files, two zero bytes from R13 on.
    const std::size_t first = kBinaryDxfSentinel.size();
    const unsigned char* head = bytes_at(first);
    if (head == nullptr || std::memcmp(head, kBinaryDxfSentinel.data(), first) != 0) {
        close();
        return false;
    }
    at_ = first;
    const unsigned char* code = bytes_at(2);
    one_byte_codes_ = code != nullptr && code[0] == 0 && code[1] != 0;
    return true;
}

void DxfBinaryGroups::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    size_ = at_ = window_start_ = 0;
    window_.clear();
}

void DxfBinaryGroups::seek(std::int64_t position) {
    at_ = position < 0 ? size_ : std::min(static_cast<std::size_t>(position), size_);
}

const unsigned char* DxfBinaryGroups::bytes_at(std::size_t count) {
    if (at_ >= window_start_ && count <= window_.size() &&
        at_ - window_start_ <= window_.size() - count)
        return window_.data() + (at_ - window_start_);
    if (fd_ < 0 || at_ > size_ || count > size_ - at_) return nullptr;
    window_.resize(std::min(std::max(count, kWindowSize), size_ - at_));
    window_start_ = at_;
    std::size_t got = 0;
    while (got < window_.size()) {
        const ssize_t n =
            ::pread(fd_, window_.data() + got, window_.size() - got, static_cast<off_t>(at_ + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got < window_.size()) {
        // The file got shorter (or cannot be read) while it was read: it ends here.
        window_.resize(got);
        size_ = at_ + got;
    }
    return count <= got ? window_.data() : nullptr;
}

template <class T>
bool DxfBinaryGroups::read_number(T& value) {
    const unsigned char* bytes = bytes_at(sizeof(T));
    if (bytes == nullptr) {
        at_ = size_;
        return false;
    }
    std::memcpy(&value, bytes, sizeof(T));  // the file is little-endian, as we are
    at_ += sizeof(T);
    return true;
}

bool DxfBinaryGroups::read_text(BinaryGroup& group) {
    // A text runs to its zero byte, which may lie beyond the window; only
    // its first kMaxText bytes are kept.
    value_text_.clear();
    while (true) {
        const unsigned char* start = bytes_at(1);
        if (start == nullptr) {
            at_ = size_;
            return false;
        }
        const std::size_t available = window_.size() - (at_ - window_start_);
        const auto* end = static_cast<const unsigned char*>(std::memchr(start, 0, available));
        const std::size_t length =
            end == nullptr ? available : static_cast<std::size_t>(end - start);
        value_text_.append(reinterpret_cast<const char*>(start),
                           std::min(length, kMaxText - value_text_.size()));
        at_ += length;
        if (end != nullptr) break;
    }
    ++at_;
    group.numeric = false;
    group.text = value_text_;
    return true;
}

bool DxfBinaryGroups::read_code(int& code) {
    if (one_byte_codes_) {
        std::uint8_t byte = 0;
        if (!read_number(byte)) return false;
        if (byte != 255) {
            code = byte;
            return true;
        }
    }
    std::int16_t wide = 0;
    if (!read_number(wide)) return false;
    code = wide;
    return true;
}

bool DxfBinaryGroups::next(BinaryGroup& group) {
    if (fd_ < 0 || at_ >= size_) return false;
    return read_code(group.code) && read_value(group);
}

template <class T>
bool DxfBinaryGroups::read_number_value(BinaryGroup& group) {
    T value{};
    if (!read_number(value)) return false;
    // As for ASCII numbers: what is not finite reads as 0.
    group.number = static_cast<double>(value);
    if (!std::isfinite(group.number)) group.number = 0.0;
    group.numeric = true;
    return true;
}

bool DxfBinaryGroups::read_value(BinaryGroup& group) {
    switch (binary_value_type(group.code)) {
        case BinaryValue::Real: return read_number_value<double>(group);
        case BinaryValue::Int16: return read_number_value<std::int16_t>(group);
        case BinaryValue::Int32: return read_number_value<std::int32_t>(group);
        case BinaryValue::Int64: return read_number_value<std::int64_t>(group);
        case BinaryValue::Byte: return read_number_value<std::uint8_t>(group);
        case BinaryValue::Chunk: {
            // A length byte and that many bytes, shown as hex digits as an
            // ASCII file writes them.
            std::uint8_t length = 0;
            const unsigned char* chunk = read_number(length) ? bytes_at(length) : nullptr;
            if (chunk == nullptr) {
                at_ = size_;
                return false;
            }
            static constexpr char kHex[] = "0123456789ABCDEF";
            value_text_.clear();
            for (std::size_t i = 0; i < length; ++i) {
                value_text_ += kHex[chunk[i] >> 4];
                value_text_ += kHex[chunk[i] & 15];
            }
            at_ += length;
            group.numeric = false;
            group.text = value_text_;
            return true;
        }
        case BinaryValue::Text: return read_text(group);
    }
    return false;
}

std::string_view binary_number_text(const BinaryGroup& group, char* buffer) {
    constexpr std::size_t kSize = 32;
    const auto written =
        binary_value_type(group.code) == BinaryValue::Real
            ? std::to_chars(buffer, buffer + kSize, group.number)
            : std::to_chars(buffer, buffer + kSize, static_cast<long long>(group.number));
    return std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer));
}

}  // namespace zov
