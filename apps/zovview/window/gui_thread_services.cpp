#include "gui_thread_services.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace {

// Runs `call` on the application's thread and gives its result.
template <class Result, class Call>
Result on_application_thread(Call call) {
    QCoreApplication* application = QCoreApplication::instance();
    if (QThread::currentThread() == application->thread()) return call();
    Result result{};
    QMetaObject::invokeMethod(application, call, Qt::BlockingQueuedConnection, &result);
    return result;
}

}  // namespace

void GuiThreadMessages::show(zov::MessageIcon icon, const std::string& text) {
    on_application_thread<bool>([&] {
        target_.show(icon, text);
        return true;
    });
}

bool GuiThreadMessages::ask(const std::string& text) {
    return on_application_thread<bool>([&] { return target_.ask(text); });
}

std::optional<std::string> GuiThreadFileDialog::choose_file(const zov::FileDialogRequest& request) {
    return on_application_thread<std::optional<std::string>>(
        [&] { return target_.choose_file(request); });
}
