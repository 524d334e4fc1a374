#include "common/text_file_writer.h"

#include <cstdarg>
#include <cstdio>

#include "common/messages.h"

namespace zov {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

}  // namespace

TextFileWriter::~TextFileWriter() = default;

bool TextFileWriter::open(const std::string& path) {
    file_.discard();
    buffer_.clear();
    failed_ = false;
    return file_.open(path);
}

void TextFileWriter::put(const char* format, ...) {
    char small[512];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        put_text(std::string_view(small, static_cast<std::size_t>(n)));
    } else if (n >= 0) {
        put_text(format_text_v(format, args));
    }
    va_end(args);
}

void TextFileWriter::put_text(std::string_view text) {
    while (!text.empty()) {
        const std::size_t line_end = text.find('\n');
        if (line_end == std::string_view::npos) {
            buffer_.append(text);
            break;
        }
        buffer_.append(text.data(), line_end).append("\r\n");
        text.remove_prefix(line_end + 1);
    }
    if (buffer_.size() >= kFlushSize) flush_buffer();
}

void TextFileWriter::flush_buffer() {
    if (file_.is_open() && !buffer_.empty() &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_.stream()) != buffer_.size())
        failed_ = true;
    buffer_.clear();
}

bool TextFileWriter::close() {
    if (!file_.is_open()) return !failed_;
    flush_buffer();
    if (failed_) {
        file_.discard();
        return false;
    }
    if (!file_.commit()) failed_ = true;
    return !failed_;
}

}  // namespace zov
