#include "background_load.h"

#include <atomic>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "load_progress_dialog.h"
#include "viewer/viewer_shell.h"

namespace {

constexpr int kPollMilliseconds = 100;

bool is_input(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu: return true;
        default: return false;
    }
}

// The window an object belongs to: its own, or that of the nearest widget
// among its parents (actions and shortcuts belong to a window that way).
QWidget* window_of(QObject* object) {
    for (; object != nullptr; object = object->parent())
        if (object->isWidgetType()) return static_cast<QWidget*>(object)->window();
    return nullptr;
}

}  // namespace

void BackgroundLoads::run(QWidget& caller, const std::function<void()>& command) {
    if (running_) return;
    running_ = true;
    shell_.activity.clear_cancel();
    held_.clear();
    for (QWidget* window = caller.window(); window != nullptr;
         window = window->parentWidget() != nullptr ? window->parentWidget()->window() : nullptr)
        held_.emplace_back(window);
    QApplication::instance()->installEventFilter(this);

    LoadProgressDialog dialog(shell_.activity, caller.window());
    QElapsedTimer step_seen;
    QTimer poll;
    QWidget* const caller_window = caller.window();
    connect(&poll, &QTimer::timeout, &dialog, [&] {
        // A box or file dialog of the command stands alone meanwhile.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != caller_window) {
            dialog.hide();
            return;
        }
        const zov::LoadProgress progress = shell_.activity.progress();
        if (progress.step == zov::LoadStep::Idle) {
            step_seen.invalidate();
        } else if (!step_seen.isValid()) {
            step_seen.start();
        }
        if (progress.step == zov::LoadStep::Idle || step_seen.elapsed() >= progress_delay_ms)
            dialog.show_progress(progress);
    });
    poll.start(kPollMilliseconds);

    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        command();
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    // An application that quits ends the loop early: the command is asked to
    // stop, and its boxes and dialogs are still served until it has ended.
    while (!done) {
        shell_.activity.request_cancel();
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPollMilliseconds);
        QThread::msleep(10);
    }
    worker.join();

    QApplication::instance()->removeEventFilter(this);
    held_.clear();
    running_ = false;
}

void BackgroundLoads::cancel() { shell_.activity.request_cancel(); }

bool BackgroundLoads::eventFilter(QObject* watched, QEvent* event) {
    if (!is_input(event->type())) return false;
    QWidget* window = window_of(watched);
    for (const QPointer<QWidget>& held : held_)
        if (held != nullptr && held == window) return true;
    return false;
}
