#pragma once
// The rule every program follows before it writes an output file: the file a
// run reads is never its output, and an output that exists already is
// replaced only when the user has said so (a window asks; a headless command
// needs --yes). The programs show their own messages; the decision is here.
#include <string>
#include <vector>

namespace zov {

enum class OutputTarget {
    Free,      // nothing under the name: write
    Exists,    // a file is there: replace only when the user confirms
    IsSource,  // it is a file the run reads: never write
};

// Looks at `target` against the run's `sources` (all file-system paths; ""
// sources are passed over). A target that is a link counts as existing.
OutputTarget check_output_target(const std::string& target,
                                 const std::vector<std::string>& sources);

}  // namespace zov
