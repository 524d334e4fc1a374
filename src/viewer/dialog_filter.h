#pragma once
// The open dialogs' filters in the program's own form, description and
// pattern pairs separated by "|" and ended by "||" ("JWCﾌｧｲﾙ(*.JWC)|*.JWC|..."),
// taken apart for a dialog that lists files by patterns. Patterns match
// names in any letter case, as the extensions are meant on Linux.
#include <string>
#include <string_view>
#include <vector>

namespace zov {

struct DialogFilter {
    std::string description;            // as given (CP932)
    std::vector<std::string> patterns;  // the pattern part split at ";"
};

// The pairs of `filter`, in order; a description without its pattern is dropped.
std::vector<DialogFilter> parse_dialog_filter(std::string_view filter);

// A pattern as a Linux file dialog must match it (UTF-8, where no byte of a
// multi-byte character looks like a letter): letters match either case,
// "*.JWC" gives "*.[jJ][wW][cC]"; "*.*", every file on the system the
// patterns were written for, gives "*".
std::string dialog_pattern(std::string_view pattern);

}  // namespace zov
