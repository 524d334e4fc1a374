#pragma once
// The analyser's headless commands. Each takes the arguments after its own
// option name and returns the process exit code: 0, 1 after a reported
// failure, or 2 (kExitMisuse) after a one-line reason for a wrong argument.
// They work in the current folder's settings, as the program does when it is
// started there, and leave that settings file as they found it.
#include <optional>
#include <string>
#include <vector>

#include "common/headless_commands.h"

using zov::CommandArgs;

int analyse_command(const CommandArgs& args);
int rebuild_command(const CommandArgs& args);

// Options of a command: "-x VALUE" pairs, flags and one file name.
class CommandOptions {
public:
    // `valued` lists the options that take a value, `flags` those that do not.
    CommandOptions(const CommandArgs& args, const std::vector<std::string>& valued,
                   const std::vector<std::string>& flags);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& file() const { return file_; }
    std::optional<std::string> value(const std::string& option) const;
    bool flag(const std::string& option) const;
    // The value of `option` when it is one of `choices`; the index of the
    // choice, -1 when the option is absent. An invalid value sets the error.
    int choice(const std::string& option, const std::vector<std::string>& choices);

private:
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> flags_;
    std::string file_;
    std::string error_;
};

// A name from the command line as CP932: converted from UTF-8, or its bytes
// as they are when they are no UTF-8 (a name written in CP932 already).
std::string command_cp932_name(const std::string& name);

// A file named on the command line as the analyser names it (CP932), or
// nothing, after a one-line reason on stderr, when the analyser would touch
// a file under other bytes than those given: bytes that are no UTF-8 but
// read as CP932 stand for a UTF-8 name too, and name that one unless only
// the file with the bytes given exists; a UTF-8 name with characters that
// CP932 lacks is kept as bytes that read as other characters.
std::optional<std::string> command_file_name(const char* command, const std::string& name);

#include "analyser/context.h"
#include "analyser/dialogs.h"
#include "common/clock.h"
#include "common/messages.h"

// The analyser as a headless command runs it: the current folder is the
// start folder, its settings are loaded and the item-name index is built;
// the index is deleted again at the end, as when the program exits.
class HeadlessSession {
public:
    explicit HeadlessSession(bool answer_questions_yes);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    zov::AnalyserContext& context() { return context_; }
    zov::AcceptingDialogs& dialogs() { return dialogs_; }

private:
    zov::ConsoleMessages messages_;
    zov::SystemClock clock_;
    zov::AcceptingDialogs dialogs_;
    zov::AnalyserContext context_;
};

// The editor window on the file named by argv[1] (whole, blanks kept).
int run_editor_window(int argc, char** argv);
