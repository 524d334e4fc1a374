#include "symconv/console.h"

#include <termios.h>
#include <unistd.h>

#include <cstdarg>

#include "common/encoding.h"
#include "common/japanese_texts.h"

namespace zov {

namespace {

const char* const kStar = cp932_text(JaText::Star);

}  // namespace

void print_text(Messages& messages, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text_v(format, args);
    va_end(args);
    messages.show(MessageIcon::Information, text);
}

void report_error(Messages& messages, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text_v(format, args);
    va_end(args);
    messages.show(MessageIcon::Stop, text);
}

void ConverterConsole::print(const std::string& text) {
    std::string utf8 = cp932_to_utf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), out_);
    std::fflush(out_);
}

void ConverterConsole::show(MessageIcon icon, const std::string& text) {
    if (icon == MessageIcon::Warning) {
        print(text + "\n");
        return;
    }
    if (icon != MessageIcon::Stop) {
        print(text);
        return;
    }
    print(std::string("\n") + kStar + text + kStar);
    wait_for_key();
    print("\n");
}

bool ConverterConsole::ask(const std::string& text) {
    // The converter asks nothing; a question would be answered No.
    print(text);
    return false;
}

std::string path_text(const std::string& path) { return file_name_to_cp932(path); }

void wait_for_key() {
    if (!::isatty(STDIN_FILENO)) return;
    termios saved{};
    if (::tcgetattr(STDIN_FILENO, &saved) != 0) return;
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    char key = 0;
    [[maybe_unused]] ssize_t got = ::read(STDIN_FILENO, &key, 1);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

}  // namespace zov
