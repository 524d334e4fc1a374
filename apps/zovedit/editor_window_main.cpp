// The editor window's start and end: the current folder is the start
// folder; the settings are saved and the item-name index deleted at exit.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "analyser/disk.h"
#include "analyser/editor_session.h"
#include "commands.h"
#include "main_window.h"
#include "qt_dialogs.h"
#include "qt_messages.h"
#include "qt_text.h"
#include "qt_translations.h"

namespace {

// The help text installed with the program: beside it in a build tree,
// else in the data folder of the installation.
std::string installed_help_folder() {
    const QString program = QCoreApplication::applicationDirPath();
    for (const QString& folder : {program, program + QStringLiteral("/../share/zovedit")}) {
        QString path = QDir::cleanPath(folder) + QStringLiteral("/ZovEdit.txt");
        if (QFileInfo::exists(path))
            if (std::optional<std::string> name = zovedit::cp932_name(QDir::cleanPath(folder)))
                return *name + "/";
    }
    return {};
}

}  // namespace

int run_editor_window(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZovEdit"));
    QApplication::setDesktopFileName(QStringLiteral("zovedit"));
    install_qt_translations();
    std::optional<std::string> folder = zov::current_folder_cp932();
    if (!folder) {
        std::fprintf(stderr, "error: the current folder cannot be named in CP932\n");
        return 1;
    }
    zovedit::QtMessages messages;
    zovedit::QtDialogs dialogs;
    zov::SystemClock clock;
    zov::AnalyserContext context(*folder, messages, clock, dialogs);
    zov::EditorSession session(context, installed_help_folder());
    zovedit::MainWindow window(session, messages);
    messages.set_parent(&window);
    dialogs.set_parent(&window);
    window.show();
    const QString argument = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTimer::singleShot(0, &window, [&window, argument] { window.start(argument); });
    return application.exec();
}
