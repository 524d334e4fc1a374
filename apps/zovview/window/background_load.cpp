#include "background_load.h"

#include <atomic>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "load_progress_dialog.h"
#include "render/drawing_extents.h"
#include "store/store_reader.h"
#include "viewer/viewer_shell.h"

namespace {

constexpr int kPollMilliseconds = 100;

}  // namespace

void BackgroundLoads::run(QWidget& caller, const std::function<void()>& command) {
    if (running_) return;
    running_ = true;
    shell_.activity.clear_cancel();
    store_fit_.reset();
    if (on_running_changed) on_running_changed(true);

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
        dialog.show_progress(progress, zov::load_dialog_state(
                                           progress, step_seen.isValid() ? step_seen.elapsed() : 0,
                                           shell_.activity.cancel_requested(), progress_delay_ms));
    });
    poll.start(kPollMilliseconds);

    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        command();
        zov::StoreReader store;
        if (store.open(shell_.store_path(zov::kDataFileName)) == 0)
            store_fit_ = zov::drawing_extents(store);
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

    running_ = false;
    if (on_running_changed) on_running_changed(false);
}

void BackgroundLoads::cancel() { shell_.activity.request_cancel(); }
