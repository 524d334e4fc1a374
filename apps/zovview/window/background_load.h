#pragma once
// Commands that may load a drawing (the open commands, the history dialog,
// the start file) run on a thread of their own while the window's thread
// goes on: the window repaints, its input is held back, and once a
// conversion or import has run for a moment LoadProgressDialog shows it and
// offers to stop the converter. Messages and file dialogs of the command
// reach the window's thread through GuiThreadMessages and
// GuiThreadFileDialog. The store is not drawn while a command runs.
#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zov {
class ViewerShell;
}

class BackgroundLoads : public QObject {
public:
    explicit BackgroundLoads(zov::ViewerShell& shell) : shell_(shell) {}

    // Runs `command` on a thread of its own and returns when it has ended;
    // input to `caller`'s window and the windows it belongs to is held back
    // until then. A command asked for while one runs is not run.
    void run(QWidget& caller, const std::function<void()>& command);
    bool running() const { return running_; }
    // Stops a running converter (the window is being closed).
    void cancel();

    int progress_delay_ms = 300;  // shorter loads show no dialog

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    zov::ViewerShell& shell_;
    std::vector<QPointer<QWidget>> held_;
    bool running_ = false;
};
