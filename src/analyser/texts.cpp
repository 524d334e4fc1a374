#include "analyser/texts.h"

#include <cstdarg>

#include "common/encoding.h"

namespace zov {

std::string cp932_text(const char* utf8) { return utf8_to_cp932(utf8); }

void report(Messages& messages, MessageIcon icon, const char* utf8_format, ...) {
    std::string format = cp932_text(utf8_format);
    va_list args;
    va_start(args, utf8_format);
    std::string text = format_text_v(format.c_str(), args);
    va_end(args);
    messages.show(icon, text);
}

}  // namespace zov
