#pragma once
// What a load is doing, for a window that runs the load on another thread
// and shows its progress: the step (converting a DWG, importing), the file
// and since when; and the user's request to stop. Every member may be used
// from any thread.
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

namespace zov {

enum class LoadStep { Idle, Converting, Importing };

struct LoadProgress {
    LoadStep step = LoadStep::Idle;
    std::string file_name;  // name and extension of the file, file-system text
    int seconds = 0;        // since the step began
};

class LoadActivity {
public:
    // The step now running on `path` (a file-system path).
    void begin(LoadStep step, const std::string& path);
    void end();
    LoadProgress progress() const;

    // A stop asked for by the user. The converter honours it at once (its
    // processes are ended and the drawing shown before stays); an import
    // runs to its end, since stopping it half way would leave no whole
    // drawing to show. Cleared when the next command starts.
    void request_cancel() { cancel_.store(true); }
    bool cancel_requested() const { return cancel_.load(); }
    void clear_cancel() { cancel_.store(false); }

private:
    mutable std::mutex mutex_;
    LoadStep step_ = LoadStep::Idle;
    std::string file_name_;
    std::chrono::steady_clock::time_point started_;
    std::atomic<bool> cancel_{false};
};

// A step for the life of the object; the step it interrupted (a DWG's
// import around its conversion) begins again afterwards.
class LoadStepScope {
public:
    LoadStepScope(LoadActivity& activity, LoadStep step, const std::string& path)
        : activity_(activity), interrupted_(activity.progress()) {
        activity_.begin(step, path);
    }
    ~LoadStepScope() {
        if (interrupted_.step == LoadStep::Idle) {
            activity_.end();
        } else {
            activity_.begin(interrupted_.step, interrupted_.file_name);
        }
    }
    LoadStepScope(const LoadStepScope&) = delete;
    LoadStepScope& operator=(const LoadStepScope&) = delete;

private:
    LoadActivity& activity_;
    const LoadProgress interrupted_;
};

}  // namespace zov
