#include "common/mapped_copy.h"

#include <setjmp.h>
#include <signal.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace zov {

namespace {

// The copy this thread is doing, if any: where a SIGBUS inside it returns.
// Volatile and fenced: the handler reads it, which the compiler cannot see.
thread_local sigjmp_buf* volatile active_copy = nullptr;
struct sigaction previous_handler {};

void on_bus_error(int signal, siginfo_t* info, void* context) {
    if (active_copy != nullptr) siglongjmp(*active_copy, 1);
    // Not a fault of a guarded copy: the handler there was before, which
    // takes the fault when the instruction is tried again.
    ::sigaction(SIGBUS, &previous_handler, nullptr);
    (void)signal;
    (void)info;
    (void)context;
}

void install_handler() {
    struct sigaction action {};
    action.sa_sigaction = on_bus_error;
    // Not blocked while handled: the jump out does not restore the mask.
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previous_handler);
}

}  // namespace

bool copy_from_mapping(void* to, const void* from, std::size_t size) {
    static std::once_flag installed;
    std::call_once(installed, install_handler);
    sigjmp_buf landing;
    if (sigsetjmp(landing, 0) != 0) {
        active_copy = nullptr;
        return false;
    }
    active_copy = &landing;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    std::memcpy(to, from, size);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    active_copy = nullptr;
    return true;
}

}  // namespace zov
