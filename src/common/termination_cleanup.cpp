#include "common/termination_cleanup.h"

#include <pthread.h>

#include <csignal>
#include <filesystem>
#include <mutex>
#include <thread>

namespace zov {

namespace {

std::mutex folder_mutex;
std::string folder_to_remove;

sigset_t termination_signals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals, signal);
    return signals;
}

// Waits for one of the signals (blocked in every thread, so they come only
// here), removes the folder, and lets the signal end the process.
void wait_for_termination() {
    const sigset_t signals = termination_signals();
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    {
        std::lock_guard<std::mutex> lock(folder_mutex);
        std::error_code ignored;
        if (!folder_to_remove.empty()) std::filesystem::remove_all(folder_to_remove, ignored);
    }
    std::signal(signal, SIG_DFL);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    std::raise(signal);
}

}  // namespace

void remove_folder_on_termination(const std::string& folder) {
    {
        std::lock_guard<std::mutex> lock(folder_mutex);
        folder_to_remove = folder;
    }
    static std::once_flag started;
    std::call_once(started, [] {
        const sigset_t signals = termination_signals();
        pthread_sigmask(SIG_BLOCK, &signals, nullptr);
        std::thread(wait_for_termination).detach();
    });
}

}  // namespace zov
