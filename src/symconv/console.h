#pragma once
// What the converter shows on the console. Everything goes through Messages:
// progress text is an Information message printed as it is; a failure report
// is a Stop message, which the console prints as "\n★text★", followed by a
// wait for one key press and a line feed.
#include <cstdio>
#include <string>

#include "common/messages.h"

namespace zov {

// Prints progress text (CP932) on the console.
void print_text(Messages& messages, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Reports a failure; the console waits for a key press before going on.
void report_error(Messages& messages, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The console of the program: CP932 text is converted to UTF-8 on output.
// The key wait reads one key without echo from a terminal; when standard
// input is not a terminal it returns at once, so scripts never hang.
class ConverterConsole : public Messages {
public:
    explicit ConverterConsole(std::FILE* out = stdout) : out_(out) {}
    void show(MessageIcon icon, const std::string& text) override;
    bool ask(const std::string& text) override;

private:
    void print(const std::string& text);
    std::FILE* out_;
};

// A file-system (UTF-8) path as CP932 text for messages and the DXF; a
// character that CP932 cannot hold becomes "?".
std::string path_text(const std::string& path);

// Waits for one key press without echo when standard input is a terminal.
void wait_for_key();

}  // namespace zov
