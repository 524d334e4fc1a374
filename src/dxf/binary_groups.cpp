#include "dxf/binary_groups.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool DxfBinaryGroups::open(const std::string& path) {
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    void* mapped = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        mapped =
            ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) return false;
    data_ = static_cast<const unsigned char*>(mapped);
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ < kBinaryDxfSentinel.size() ||
        std::memcmp(data_, kBinaryDxfSentinel.data(), kBinaryDxfSentinel.size()) != 0) {
        close();
        return false;
    }
    // Every file starts with the group 0 "SECTION": its code is one zero
    // byte followed by the text in R12 files, two zero bytes from R13 on.
    const std::size_t first = kBinaryDxfSentinel.size();
    one_byte_codes_ = first + 1 < size_ && data_[first] == 0 && data_[first + 1] != 0;
    at_ = first;
    return true;
}

void DxfBinaryGroups::close() {
    if (data_ != nullptr) ::munmap(const_cast<unsigned char*>(data_), size_);
    data_ = nullptr;
    size_ = at_ = 0;
}

void DxfBinaryGroups::seek(std::int64_t position) {
    at_ = position < 0 ? size_ : std::min(static_cast<std::size_t>(position), size_);
}

template <class T>
bool DxfBinaryGroups::read_number(T& value) {
    if (size_ - at_ < sizeof(T)) {
        at_ = size_;
        return false;
    }
    std::memcpy(&value, data_ + at_, sizeof(T));  // the file is little-endian, as we are
    at_ += sizeof(T);
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
    if (data_ == nullptr || at_ >= size_) return false;
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
            if (!read_number(length) || size_ - at_ < length) {
                at_ = size_;
                return false;
            }
            static constexpr char kHex[] = "0123456789ABCDEF";
            chunk_text_.clear();
            for (std::size_t i = 0; i < length; ++i) {
                chunk_text_ += kHex[data_[at_ + i] >> 4];
                chunk_text_ += kHex[data_[at_ + i] & 15];
            }
            at_ += length;
            group.numeric = false;
            group.text = chunk_text_;
            return true;
        }
        case BinaryValue::Text: {
            const auto* start = data_ + at_;
            const auto* end = static_cast<const unsigned char*>(std::memchr(start, 0, size_ - at_));
            if (end == nullptr) {
                at_ = size_;
                return false;
            }
            const auto length = static_cast<std::size_t>(end - start);
            group.numeric = false;
            group.text =
                std::string_view(reinterpret_cast<const char*>(start), std::min(length, kMaxText));
            at_ += length + 1;
            return true;
        }
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
