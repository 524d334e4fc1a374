#include "viewer/converter_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>

#include "viewer/load_activity.h"

namespace zov {

namespace {

constexpr int kPollMilliseconds = 20;
constexpr std::streamoff kLogTailBytes = 4096;

// Spawn attributes: a process group of its own (so that the whole group can
// be stopped), no blocked signals and the usual handling of the signals a
// caller may have changed.
class SpawnSetup {
public:
    explicit SpawnSetup(const std::string& log_path) {
        ::posix_spawnattr_init(&attributes_);
        ::posix_spawnattr_setpgroup(&attributes_, 0);
        sigset_t none;
        sigemptyset(&none);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (const int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD})
            sigaddset(&defaults, signal);
        ::posix_spawnattr_setsigdefault(&attributes_, &defaults);
        ::posix_spawnattr_setflags(
            &attributes_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions_, STDOUT_FILENO, log_path.c_str(),
                                           O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::posix_spawn_file_actions_adddup2(&actions_, STDOUT_FILENO, STDERR_FILENO);
    }
    ~SpawnSetup() {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    const posix_spawnattr_t* attributes() const { return &attributes_; }
    const posix_spawn_file_actions_t* actions() const { return &actions_; }

private:
    posix_spawnattr_t attributes_;
    posix_spawn_file_actions_t actions_;
};

// Kills the process group and reaps its leader, whose status it returns.
// The leader is reaped only afterwards, so that its number cannot have been
// given to another group meanwhile.
int stop_group(pid_t leader) {
    ::kill(-leader, SIGKILL);
    int status = 0;
    while (::waitpid(leader, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// true once the leader has ended (it is left unreaped).
bool has_ended(pid_t leader) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(leader), &info, WEXITED | WNOHANG | WNOWAIT) < 0) {
        if (errno != EINTR) return true;
    }
    return info.si_pid == leader;
}

}  // namespace

ProcessOutcome run_converter_process(const std::vector<std::string>& arguments,
                                     const std::string& log_path, int limit_seconds,
                                     const LoadActivity& activity) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const SpawnSetup setup(log_path);
    pid_t child = 0;
    // glibc reports a failed exec as posix_spawn's result.
    if (::posix_spawn(&child, argv[0], setup.actions(), setup.attributes(), argv.data(), environ) !=
        0)
        return {ProcessEnd::NotStarted};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limit_seconds);
    while (true) {
        if (has_ended(child)) {
            // What the converter left running in its group ends with it.
            const int status = stop_group(child);
            if (WIFSIGNALED(status)) return {ProcessEnd::Crashed, 0, WTERMSIG(status)};
            return {ProcessEnd::Exited, WEXITSTATUS(status), 0};
        }
        if (activity.cancel_requested()) {
            stop_group(child);
            return {ProcessEnd::Cancelled};
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            stop_group(child);
            return {ProcessEnd::TimedOut};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
    }
}

std::string last_log_line(const std::string& log_path, std::size_t max_bytes) {
    std::ifstream in(log_path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamoff size = in.tellg();
    const std::streamoff start = size > kLogTailBytes ? size - kLogTailBytes : 0;
    in.seekg(start);
    std::string tail(static_cast<std::size_t>(size - start), '\0');
    if (!in.read(tail.data(), static_cast<std::streamsize>(tail.size()))) return {};
    std::size_t end = tail.size();
    while (end > 0) {
        const std::size_t line_start = tail.find_last_of('\n', end - 1);
        const std::size_t first = line_start == std::string::npos ? 0 : line_start + 1;
        std::string line = tail.substr(first, end - first);
        for (char& c : line)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
        if (line.find_first_not_of(' ') != std::string::npos) {
            line.erase(0, line.find_first_not_of(' '));
            line.erase(line.find_last_not_of(' ') + 1);
            return line.substr(0, max_bytes);
        }
        if (line_start == std::string::npos) break;
        end = line_start;
    }
    return {};
}

}  // namespace zov
