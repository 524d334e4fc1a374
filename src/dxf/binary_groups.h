#pragma once
// The groups of a binary DXF file ("AutoCAD Binary DXF" sentinel): each group
// is its code (one byte in R12 files, 255 announcing a two-byte code; two
// bytes from R13 on) followed by its value in the binary form its code
// calls for. The file is read through a window of its bytes (never mapped, so
// that a file cut short while it is read simply ends); every read is checked
// against the file's end, so a truncated or garbage file simply ends.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zov {

// The 22 bytes every binary DXF file begins with.
inline constexpr std::string_view kBinaryDxfSentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

// How the value of a group is stored in a binary DXF file.
enum class BinaryValue { Text, Real, Int16, Int32, Int64, Byte, Chunk };
BinaryValue binary_value_type(int code);

// The number of a numeric group as an ASCII file writes it: reals the
// shortest way that reads back to the same number, integers as integers.
// The text is placed in `buffer` (at least 32 bytes).
std::string_view binary_number_text(const struct BinaryGroup& group, char* buffer);

// One group as read: its code and its value, as text or as a number.
struct BinaryGroup {
    int code = 0;
    std::string_view text;
    bool numeric = false;
    double number = 0.0;
};

class DxfBinaryGroups {
public:
    // Text values longer than this are cut (as long as an ASCII line).
    static constexpr std::size_t kMaxText = 2048;

    DxfBinaryGroups() = default;
    ~DxfBinaryGroups();
    DxfBinaryGroups(const DxfBinaryGroups&) = delete;
    DxfBinaryGroups& operator=(const DxfBinaryGroups&) = delete;

    // True when the file at `path` begins with the binary DXF sentinel.
    static bool is_binary_file(const std::string& path);

    // Opens the file and places the reader after the sentinel; false when
    // the file cannot be opened or is not a binary DXF file.
    bool open(const std::string& path);
    void close();

    // The next group into `group` (valid until the next call); false at the
    // end of the file or where a group runs past it.
    bool next(BinaryGroup& group);

    // Offset of the next group, and a return to such an offset.
    std::int64_t position() const { return static_cast<std::int64_t>(at_); }
    void seek(std::int64_t position);

private:
    // The `count` bytes at the reading position, read into the window when
    // they are not in it; nullptr when the file ends before them.
    const unsigned char* bytes_at(std::size_t count);
    bool read_text(BinaryGroup& group);
    bool read_code(int& code);
    bool read_value(BinaryGroup& group);
    template <class T>
    bool read_number(T& value);
    template <class T>
    bool read_number_value(BinaryGroup& group);

    int fd_ = -1;
    std::size_t size_ = 0;  // the file's size when opened, or where it was found to end
    std::size_t at_ = 0;
    std::vector<unsigned char> window_;  // bytes [window_start_, + window_.size())
    std::size_t window_start_ = 0;
    bool one_byte_codes_ = false;
    std::string value_text_;
};

}  // namespace zov
