#pragma once
// What a run must not leave behind when the user or the system ends it
// (Ctrl+C, kill, a closed terminal): its scratch folders, with the store
// files of a large drawing in them, and the temporary files of outputs not
// yet finished. Each such path is registered while it exists; SIGINT, SIGTERM
// and SIGHUP first remove every registered path, then end the process as the
// signal would have. ScratchFolder and WholeFileOutput register their paths
// themselves.
#include <string>

namespace zov {

// From now on the three signals are taken by one thread of this helper.
// Call it first in main, before the process starts other threads (they
// inherit the blocked signals); the first registration calls it otherwise.
void start_termination_cleanup();

// Registers `path` (a file, or a folder with all it holds) for removal on
// those signals; returns the ticket that forget_on_termination takes.
unsigned long remove_on_termination(const std::string& path);
// Drops a registration: the path is gone, or is the run's result now.
void forget_on_termination(unsigned long ticket);

}  // namespace zov
