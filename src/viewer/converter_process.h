#pragma once
// Runs the DWG converter as a program of its own: started directly with its
// arguments (never through a shell), in a process group of its own, with its
// output in a log file, and waited for up to a time limit or until the user
// asks to stop. Whatever the converter started is ended with it.
#include <string>
#include <vector>

namespace zov {

class LoadActivity;

enum class ProcessEnd {
    Exited,      // ended by itself; exit_code holds its code
    Crashed,     // ended by a signal it did not get from us; signal_number holds it
    NotStarted,  // the program could not be started
    TimedOut,    // still running at the time limit: stopped
    Cancelled,   // stopped because the user asked
};

struct ProcessOutcome {
    ProcessEnd end = ProcessEnd::NotStarted;
    int exit_code = 0;
    int signal_number = 0;
};

// Runs `arguments` (the program first) with stdin from /dev/null and stdout
// and stderr into `log_path`, checking `activity` for a stop every 20 ms.
ProcessOutcome run_converter_process(const std::vector<std::string>& arguments,
                                     const std::string& log_path, int limit_seconds,
                                     const LoadActivity& activity);

// The last line of the log that holds more than blanks, at most `max_bytes`
// of it, with control characters as blanks; "" when there is none. Reads only
// the end of the file, whatever its size.
std::string last_log_line(const std::string& log_path, std::size_t max_bytes = 300);

}  // namespace zov
