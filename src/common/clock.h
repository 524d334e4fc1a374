#pragma once
// Local time for file stamps and texts, from a clock that tests can set.
#include <ctime>
#include <string>

namespace zov {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::time_t now() const = 0;
};

class SystemClock : public Clock {
public:
    std::time_t now() const override;
};

// A clock that stands still at the time it is given.
class FixedClock : public Clock {
public:
    explicit FixedClock(std::time_t time) : time_(time) {}
    std::time_t now() const override { return time_; }
    void set(std::time_t time) { time_ = time; }

private:
    std::time_t time_;
};

// strftime of `when` in local time; the pattern may hold CP932 text.
std::string format_local_time(const char* pattern, std::time_t when);

// The standard 24-character local-time text followed by "\n", as in
// "Wed Jan 02 02:03:55 1980\n".
std::string standard_time_text(std::time_t when);

}  // namespace zov
