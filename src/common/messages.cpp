#include "common/messages.h"

#include <atomic>
#include <cstdio>
#include <vector>

#include "common/encoding.h"

namespace zov {

void RecordingMessages::show(MessageIcon icon, const std::string& text) {
    entries.push_back({icon, text, false});
}

bool RecordingMessages::ask(const std::string& text) {
    entries.push_back({MessageIcon::Question, text, true});
    if (answers.empty()) return default_answer;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string RecordingMessages::last() const {
    return entries.empty() ? std::string() : entries.back().text;
}

namespace {

std::atomic<bool> quiet{false};

const char* icon_label(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return "information";
        case MessageIcon::Exclamation: return "warning";
        case MessageIcon::Question: return "question";
        case MessageIcon::Stop: return "error";
        case MessageIcon::Warning: return "warning";
    }
    return "message";
}

}  // namespace

void set_quiet_output(bool on) { quiet = on; }

bool quiet_output() { return quiet; }

void ConsoleMessages::show(MessageIcon icon, const std::string& text) {
    if (icon == MessageIcon::Information && quiet_output()) return;
    std::fprintf(stderr, "%s: %s\n", icon_label(icon), cp932_to_utf8(text).c_str());
}

bool ConsoleMessages::ask(const std::string& text) {
    std::fprintf(stderr, "question: %s [%s]\n", cp932_to_utf8(text).c_str(),
                 answer_yes_ ? "yes" : "no");
    return answer_yes_;
}

std::string format_text_v(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed <= 0) return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<std::size_t>(needed));
}

std::string format_text(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text_v(format, args);
    va_end(args);
    return text;
}

void show_information(Messages& messages, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text_v(format, args);
    va_end(args);
    if (text.empty() || text.size() > 1000) {
        messages.show(MessageIcon::Warning, "Eroor in MessageBox");
        return;
    }
    messages.show(MessageIcon::Information, text);
}

void show_error(Messages& messages, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = format_text_v(format, args);
    va_end(args);
    messages.show(MessageIcon::Stop, text);
}

}  // namespace zov
