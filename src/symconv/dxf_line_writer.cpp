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
    std::size_t size = static_cast<std::size_t>(length) + 2;
    if (std::fwrite(buffer, 1, size, file_) != size) {
        failed_ = true;
        return -1;
    }
    return 0;
}

}  // namespace zov
