#include "analyser/text_lines.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <optional>

#include "analyser/disk.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/messages.h"

namespace zov {

namespace {

constexpr std::size_t kReadBufferSize = std::size_t{256} * 1024;
constexpr std::size_t kWriteBufferSize = std::size_t{256} * 1024;
constexpr std::size_t kDetectionWindow = 4096;

bool is_white_space(unsigned char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

bool is_trail_byte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// A byte that may stand in a text file: printable, white space, part of a
// double-byte character, or one of the control bytes 0, 1, 19 and 26.
bool is_text_byte(unsigned char byte) {
    return (byte >= 0x20 && byte <= 0x7E) || is_white_space(byte) || is_lead_byte(byte) ||
           is_trail_byte(byte) || byte == 0 || byte == 1 || byte == 19 || byte == 26;
}

}  // namespace

bool has_macbinary_text_header(const std::string& path) {
    std::FILE* file = open_cp932(path, "rb");
    if (file == nullptr) return false;
    char header[kMacBinaryHeaderSize];
    std::size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    return got == sizeof header && header[0] == '\0' && std::memcmp(header + 65, "TEXT", 4) == 0;
}

int detect_line_end_style(const std::string& path) {
    std::FILE* file = open_cp932(path, "rb");
    if (file == nullptr) return -1;
    char header[kMacBinaryHeaderSize];
    std::size_t got = std::fread(header, 1, sizeof header, file);
    if (got == 0) {
        std::fclose(file);
        return -1;
    }
    bool macbinary_dos = got == sizeof header && std::memcmp(header + 65, "TEXTdos", 7) == 0;
    std::fseek(file, macbinary_dos ? static_cast<long>(kMacBinaryHeaderSize) : 0L, SEEK_SET);

    // One byte more than the window: the LF of a CR LF may lie just past it.
    char window[kDetectionWindow + 1];
    const std::size_t n = std::fread(window, 1, sizeof window, file);
    std::fclose(file);
    std::size_t text_end = 0;
    while (text_end < std::min(n, kDetectionWindow) &&
           is_text_byte(static_cast<unsigned char>(window[text_end])))
        ++text_end;
    const std::optional<LineEnd> line_end = first_line_end(std::string_view(window, n), text_end);
    if (!line_end) return kLineEndUnknown;
    if (*line_end == LineEnd::Cr && macbinary_dos) return kLineEndMacBinary;
    return static_cast<int>(*line_end);
}

// ---- LineReader ----

LineReader::~LineReader() { close(); }

bool LineReader::open(const std::string& path, int style) {
    close();
    file_ = open_cp932(path, "rb");
    if (file_ == nullptr) return false;
    std::setvbuf(file_, nullptr, _IONBF, 0);  // reads go straight into `buffer_`
    buffer_ = std::make_unique<char[]>(kReadBufferSize);
    style_ = style;
    terminator_ = style == kLineEndLf ? '\n' : '\r';
    return true;
}

void LineReader::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    buffer_.reset();
    pos_ = end_ = 0;
    skip_next_ = false;
}

bool LineReader::refill() {
    if (file_ == nullptr) return false;
    pos_ = 0;
    end_ = std::fread(buffer_.get(), 1, kReadBufferSize, file_);
    return end_ > 0;
}

bool LineReader::peek_byte(unsigned char& byte) {
    if (pos_ == end_ && !refill()) return false;
    byte = static_cast<unsigned char>(buffer_[pos_]);
    return true;
}

void LineReader::consume_line_feed() {
    // The byte after the CR of a CR LF line belongs to the line end; when it
    // is not in the buffer yet, the next read passes over it.
    if (pos_ < end_)
        ++pos_;
    else
        skip_next_ = true;
}

void LineReader::skip_bytes(std::size_t count) {
    while (count > 0) {
        if (pos_ == end_ && !refill()) break;
        std::size_t n = std::min(count, end_ - pos_);
        pos_ += n;
        count -= n;
    }
}

int LineReader::read_line() {
    static constexpr char kEof[] = "EOF";
    unsigned char byte = 0;
    if (skip_next_) {
        skip_next_ = false;
        if (!peek_byte(byte)) {
            line_ = kEof;
            return -1;
        }
        ++pos_;
    }
    // Style 0 has no line end: the file is then delivered in full-length
    // pieces until its end, so that reading always ends.
    bool has_terminator = style_ != kLineEndUnknown;
    std::size_t length = 0;
    for (;;) {
        if (pos_ == end_ && !refill()) {
            line_ = kEof;
            return -1;
        }
        std::size_t scan = std::min(end_ - pos_, kMaxReadLine - length);
        const char* start = buffer_.get() + pos_;
        const char* hit = has_terminator
                              ? static_cast<const char*>(std::memchr(start, terminator_, scan))
                              : nullptr;
        if (hit != nullptr) {
            std::size_t n = static_cast<std::size_t>(hit - start);
            if (length == 0) {
                line_ = std::string_view(start, n);  // whole line inside the buffer
            } else {
                std::memcpy(pieces_ + length, start, n);
                line_ = std::string_view(pieces_, length + n);
            }
            pos_ += n + 1;
            if (style_ == kLineEndCrLf) consume_line_feed();
            return 1;
        }
        std::memcpy(pieces_ + length, start, scan);
        length += scan;
        pos_ += scan;
        if (length == kMaxReadLine) {
            // A full-length piece. When the line ends right here, its line end
            // belongs to it; otherwise it would come back as an empty line.
            if (has_terminator && peek_byte(byte) &&
                byte == static_cast<unsigned char>(terminator_)) {
                ++pos_;
                if (style_ == kLineEndCrLf) consume_line_feed();
            }
            line_ = std::string_view(pieces_, length);
            return 1;
        }
    }
}

// ---- LineWriter ----

LineWriter::~LineWriter() = default;

bool LineWriter::create(const std::string& path) {
    discard();
    failed_ = false;
    cut_lines_ = 0;
    existing_ = ExistingTarget::Replace;
    if (path.empty() || !file_.open(cp932_to_file_name(path))) return false;
    std::setvbuf(file_.stream(), nullptr, _IONBF, 0);  // lines are gathered in `buffer_`
    buffer_.reserve(kWriteBufferSize + kMaxWriteLine + 2);
    return true;
}

void LineWriter::set_line_end(int output_line_end) {
    const auto line_end = static_cast<LineEnd>(output_line_end);
    line_end_ = line_end_bytes(line_end == LineEnd::Cr || line_end == LineEnd::Lf ? line_end
                                                                                  : LineEnd::CrLf);
}

bool LineWriter::flush() {
    if (!file_.is_open()) return false;
    if (!buffer_.empty() &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_.stream()) != buffer_.size())
        failed_ = true;
    buffer_.clear();
    return !failed_;
}

bool LineWriter::close() {
    if (!file_.is_open()) return !failed_;
    if (!flush()) {
        discard();
        return false;
    }
    if (!file_.commit(existing_)) failed_ = true;
    return !failed_;
}

void LineWriter::discard() {
    buffer_.clear();
    file_.discard();
}

void LineWriter::put(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kWriteBufferSize) flush();
}

bool LineWriter::write(std::string_view bytes) {
    put(bytes);
    return !failed_;
}

int LineWriter::write_line(std::string_view text) {
    if (text.size() > kMaxWriteLine) {
        text = "??";
        ++cut_lines_;
    }
    put(text);
    put(line_end_);
    return static_cast<int>(text.size());
}

int LineWriter::write_format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text_v(format, args);
    va_end(args);
    return write_line(text);
}

}  // namespace zov
