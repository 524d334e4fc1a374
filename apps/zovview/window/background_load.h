#pragma once
// Commands that may load a drawing (the open commands, the history dialog,
// the start file) run on a thread of their own while the window's thread
// goes on: the window repaints and takes keys, wheel and mouse on the
// drawing shown (a load writes its store beside that one), and once a
// conversion or import has run for a moment LoadProgressDialog shows it and
// offers to stop it. Messages and file dialogs of the command reach the
// window's thread through GuiThreadMessages and GuiThreadFileDialog.
#include <functional>
#include <optional>
#include <utility>

#include <QObject>
#include <QWidget>

#include "render/view_window.h"
#include "viewer/load_activity.h"

namespace zov {
class ViewerShell;
}

class BackgroundLoads : public QObject {
public:
    explicit BackgroundLoads(zov::ViewerShell& shell) : shell_(shell) {}

    // Runs `command` on a thread of its own and returns when it has ended;
    // the progress dialog belongs to `caller`'s window. A command asked for
    // while one runs is not run.
    void run(QWidget& caller, const std::function<void()>& command);
    bool running() const { return running_; }
    // The fit of the store as the last command left it, found on the
    // command's thread (a large drawing takes a while); once.
    std::optional<zov::DrawingExtents> take_store_fit() { return std::exchange(store_fit_, {}); }
    // Stops a running conversion or import (the window is being closed).
    void cancel();

    // Called with true when a command starts and false when it has ended:
    // the window turns off what would start another load or use the shell.
    std::function<void(bool running)> on_running_changed;
    // Shorter loads show no dialog.
    int progress_delay_ms = zov::kLoadDialogDelayMilliseconds;

private:
    zov::ViewerShell& shell_;
    bool running_ = false;
    std::optional<zov::DrawingExtents> store_fit_;
};
