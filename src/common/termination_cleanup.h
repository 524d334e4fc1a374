#pragma once
// A command's temporary folder must not outlive it when the user or the
// system ends it (Ctrl+C, kill, a closed terminal): a large drawing leaves
// tens of megabytes of store files behind.
#include <string>

namespace zov {

// From now on SIGINT, SIGTERM and SIGHUP first remove `folder` with all it
// holds, then end the process as the signal would have. A later call names
// another folder; "" removes nothing. Call it before the process starts other
// threads: the signals are taken by one thread of this helper.
void remove_folder_on_termination(const std::string& folder);

}  // namespace zov
