#include "window_fixture.h"

#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "analyser/conversion.h"
#include "analyser/dialogs.h"
#include "analyser/editor_text.h"
#include "analyser/settings_file.h"
#include "common/files.h"
#include "editor_view.h"

namespace zovedit {

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "test_zovedit";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The recent-file list is kept under the test's own configuration folder.
        static zov::TempFolder config;
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
        return new QApplication(argc, argv);
    }();
    return *instance;
}

}  // namespace

void WindowTest::SetUp() {
    application();
    previous_folder_ = zov::current_folder();
    ASSERT_TRUE(zov::change_folder(folder.path()));
    std::filesystem::copy_file(ZOV_SOURCE_DIR "/samples/dxf/zovedit_room.dxf", room_dxf());
    context.emplace(folder.path(), messages, clock, dialogs);
    session = std::make_unique<zov::EditorSession>(*context, "");
    context->settings.analysis_form = 0;
    zov::save_settings(*context);
    window = std::make_unique<MainWindow>(*session, messages);
    dialogs.set_parent(window.get());
    window->show();
    // Key bindings reach only the active window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void WindowTest::TearDown() {
    window.reset();
    session.reset();
    zov::change_folder(previous_folder_);
}

void WindowTest::when_dialog_opens(std::function<void(QDialog*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

std::string WindowTest::analyse_room(int form) {
    zov::AcceptingDialogs accepting;
    zov::AnalyserContext plain(folder.path(), messages, clock, accepting);
    plain.settings = context->settings;
    plain.settings.analysis_form = form;
    std::string analysis = folder.file("room.TXT");
    EXPECT_EQ(zov::convert_dxf_to_analysis(plain, room_dxf(), analysis), 1);
    return analysis;
}

std::string WindowTest::shown_bytes() const {
    QString text = window->view()->toPlainText();
    return zov::encode_editor_text(
               std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size())),
               zov::LineEnd::CrLf)
        .bytes;
}

}  // namespace zovedit
