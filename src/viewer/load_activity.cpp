#include "viewer/load_activity.h"

#include "common/paths.h"

namespace zov {

void LoadActivity::begin(LoadStep step, const std::string& path) {
    const PathParts parts = split_path(path);
    if (step == LoadStep::Importing) reading_.start(0);
    std::lock_guard lock(mutex_);
    step_ = step;
    file_name_ = parts.name + parts.extension;
    started_ = std::chrono::steady_clock::now();
}

void LoadActivity::end() {
    std::lock_guard lock(mutex_);
    step_ = LoadStep::Idle;
}

LoadProgress LoadActivity::progress() const {
    std::lock_guard lock(mutex_);
    const auto elapsed = std::chrono::steady_clock::now() - started_;
    return {step_, file_name_,
            static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count()),
            step_ == LoadStep::Importing ? reading_.percent() : -1};
}

LoadDialogState load_dialog_state(const LoadProgress& progress, long milliseconds,
                                  bool cancel_requested, long delay) {
    if (progress.step == LoadStep::Idle || milliseconds < delay) return {};
    return {true, !cancel_requested, progress.percent};
}

}  // namespace zov
