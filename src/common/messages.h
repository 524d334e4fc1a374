#pragma once
// The one way the programs tell the user something or ask a Yes/No question.
// Texts are CP932; each implementation converts at its own border.
#include <cstdarg>
#include <deque>
#include <string>
#include <vector>

namespace zov {

// The icons (and beeps) of the programs' message boxes. The analyser's kinds
// 0 to 3 are Information, Exclamation, Question and Stop in that order.
enum class MessageIcon { Information, Exclamation, Question, Stop, Warning };

class Messages {
public:
    virtual ~Messages() = default;
    virtual void show(MessageIcon icon, const std::string& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool ask(const std::string& text) = 0;
};

// Keeps every message for tests; questions take queued answers, then the default.
class RecordingMessages : public Messages {
public:
    struct Entry {
        MessageIcon icon;
        std::string text;
        bool question = false;
    };

    void show(MessageIcon icon, const std::string& text) override;
    bool ask(const std::string& text) override;

    std::vector<Entry> entries;
    std::deque<bool> answers;
    bool default_answer = true;

    // The text of the last entry, or "" when nothing was shown.
    std::string last() const;
};

// Writes each message to stderr in UTF-8; questions take a stated answer.
// Information messages are dropped while quiet_output() holds.
class ConsoleMessages : public Messages {
public:
    explicit ConsoleMessages(bool answer_questions_yes = false)
        : answer_yes_(answer_questions_yes) {}
    void show(MessageIcon icon, const std::string& text) override;
    bool ask(const std::string& text) override;

private:
    bool answer_yes_;
};

// --quiet of the headless commands: the console then shows only errors,
// warnings and questions, and no command names the file it wrote.
void set_quiet_output(bool quiet);
bool quiet_output();

// printf-style formatting into a string (CP932 bytes pass through).
std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string format_text_v(const char* format, va_list args);

// The viewer's information box: an empty text, or one over 1000 characters,
// shows "Eroor in MessageBox" with the warning icon instead.
void show_information(Messages& messages, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
// The viewer's error box (stop icon).
void show_error(Messages& messages, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace zov
