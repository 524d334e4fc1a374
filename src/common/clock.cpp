#include "common/clock.h"

#include <cstdio>

namespace zov {

std::time_t SystemClock::now() const { return std::time(nullptr); }

std::string format_local_time(const char* pattern, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char buffer[512];
    std::size_t n = std::strftime(buffer, sizeof buffer, pattern, &local);
    return std::string(buffer, n);
}

std::string standard_time_text(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %s %02d %02d:%02d:%02d %d\n", kDays[local.tm_wday],
                  kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_year + 1900);
    return buffer;
}

}  // namespace zov
