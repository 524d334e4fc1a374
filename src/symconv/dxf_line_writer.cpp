#include "symconv/dxf_line_writer.h"

#include <cstdarg>
#include <cstring>

namespace zov {

int DxfLineWriter::write_dxf_line(const char* format, ...) {
    char buffer[kLongestDxfLine + 3];  // text, CR LF, NUL
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0 || length > kLongestDxfLine) {
        std::strcpy(buffer, "??");
        length = 2;
    }
    buffer[length] = '\r';
    buffer[length + 1] = '\n';
    return write({buffer, static_cast<std::size_t>(length) + 2}) ? 0 : -1;
}

bool DxfLineWriter::write(std::string_view bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    if (!written) failed_ = true;
    return written;
}

}  // namespace zov
