#include "common/utf8_messages.h"

#include <cstdarg>

#include "common/encoding.h"

namespace zov {

namespace {

std::string cp932_from_format(const char* format, va_list args) {
    return utf8_to_cp932(format_text_v(format, args));
}

}  // namespace

void show_information_utf8(Messages& messages, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = cp932_from_format(format, args);
    va_end(args);
    show_information(messages, "%s", text.c_str());
}

void show_error_utf8(Messages& messages, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = cp932_from_format(format, args);
    va_end(args);
    show_error(messages, "%s", text.c_str());
}

bool ask_utf8(Messages& messages, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = cp932_from_format(format, args);
    va_end(args);
    return messages.ask(text);
}

}  // namespace zov
