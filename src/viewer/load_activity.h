#pragma once
// What a load is doing, for a window that runs the load on another thread
// and shows its progress: the step (converting a DWG, importing), the file,
// since when and how much of it the import has read; and the user's request
// to stop. Every member may be used from any thread.
#include <chrono>
#include <mutex>
#include <string>

#include "common/read_progress.h"

namespace zov {

enum class LoadStep { Idle, Converting, Importing };

struct LoadProgress {
    LoadStep step = LoadStep::Idle;
    std::string file_name;  // name and extension of the file, file-system text
    int seconds = 0;        // since the step began
    int percent = -1;       // share of the file the import has read; -1 while converting
};

// The progress dialog of a load comes up once the load has run this long,
// so that short loads show none.
inline constexpr int kLoadDialogDelayMilliseconds = 500;

// What the progress dialog shows of a load.
struct LoadDialogState {
    bool shown = false;
    bool cancel_offered = false;  // the button and Esc stop the load
    int percent = -1;             // the bar's share; -1: a moving bar
};

// The dialog of a load in `progress` that has run `milliseconds` since its
// first step began: shown after `delay` milliseconds while a step runs, the
// cancel offered until the user has asked for it.
LoadDialogState load_dialog_state(const LoadProgress& progress, long milliseconds,
                                  bool cancel_requested, long delay = kLoadDialogDelayMilliseconds);

class LoadActivity {
public:
    // The step now running on `path` (a file-system path).
    void begin(LoadStep step, const std::string& path);
    void end();
    LoadProgress progress() const;

    // A stop asked for by the user. The converter honours it at once (its
    // processes are ended) and an import within a few thousand groups of its
    // file (its section files are deleted): either way the store of the
    // drawing shown before stays as it was. Cleared when the next command
    // starts.
    void request_cancel() { reading_.request_stop(); }
    bool cancel_requested() const { return reading_.stop_requested(); }
    void clear_cancel() { reading_.clear_stop(); }

    // Where the importers count the bytes read and look for the stop.
    ReadProgress& reading() { return reading_; }

private:
    mutable std::mutex mutex_;
    LoadStep step_ = LoadStep::Idle;
    std::string file_name_;
    std::chrono::steady_clock::time_point started_;
    ReadProgress reading_;
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
