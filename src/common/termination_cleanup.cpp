#include "common/termination_cleanup.h"

#include <pthread.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace zov {

namespace {

std::mutex paths_mutex;
std::map<unsigned long, std::string> paths_to_remove;
unsigned long next_ticket = 1;

sigset_t termination_signals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
    return signals;
}

// Waits for one of the signals (blocked in every thread, so they come only
// here), removes the paths, and lets the signal end the process. The lock
// stays held: no path is registered or dropped any more.
void wait_for_termination() {
    const sigset_t signals = termination_signals();
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    paths_mutex.lock();
    for (const auto& [ticket, path] : paths_to_remove) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::signal(signal, SIG_DFL);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    std::raise(signal);
}

}  // namespace

void start_termination_cleanup() {
    static std::once_flag started;
    std::call_once(started, [] {
        const sigset_t signals = termination_signals();
        pthread_sigmask(SIG_BLOCK, &signals, nullptr);
        std::thread(wait_for_termination).detach();
        // A forked child inherits the blocked signals but not the thread:
        // it gets a thread of its own (and the list, unlocked).
        pthread_atfork([] { paths_mutex.lock(); }, [] { paths_mutex.unlock(); },
                       [] {
                           paths_mutex.unlock();
                           std::thread(wait_for_termination).detach();
                       });
    });
}

unsigned long remove_on_termination(const std::string& path) {
    start_termination_cleanup();
    std::lock_guard<std::mutex> lock(paths_mutex);
    paths_to_remove.emplace(next_ticket, path);
    return next_ticket++;
}

void forget_on_termination(unsigned long ticket) {
    std::lock_guard<std::mutex> lock(paths_mutex);
    paths_to_remove.erase(ticket);
}

}  // namespace zov
