#include "run_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include "common/clock.h"
#include "common/files.h"
#include "qt_file_dialog.h"
#include "qt_messages.h"
#include "qt_translations.h"
#include "viewer/command_line.h"
#include "viewer/program_folder.h"
#include "viewer/program_folder_claim.h"
#include "viewer_window.h"

namespace {

// Maximised, and as large as the screen even where no window manager does it.
void show_maximised(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
}

bool has_display() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

bool wants_window(int argc, char** argv) {
    if (argc < 2) return has_display();
    return argv[1][0] != '-';
}

int run_viewer_window(int argc, char** argv) {
    // Qt takes its own options (such as -platform) out of the arguments first.
    QApplication application(argc, argv);
    QApplication::setApplicationName("ZovView");
    install_qt_translations();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // A relative FILE means the folder the program was started in.
    std::vector<std::string> command_line =
        zov::start_command_line(arguments, zov::current_folder());

    const std::string program_folder =
        zov::prepare_program_folder(QCoreApplication::applicationDirPath().toStdString());
    if (program_folder.empty()) {
        QMessageBox::critical(nullptr, "ZovView",
                              "ZovView cannot create its program folder "
                              "($ZOVVIEW_HOME or ~/.local/share/zovview).");
        return 1;
    }
    // A second viewer on the program folder keeps its store files apart.
    zov::ProgramFolderClaim claim;
    if (!claim.claim(program_folder)) {
        QMessageBox::critical(nullptr, "ZovView", "ZovView cannot use its program folder.");
        return 1;
    }
    if (!command_line.empty()) zov::change_folder(program_folder);

    QtMessages messages;
    QtFileDialog file_dialog;
    zov::SystemClock clock;
    ViewerWindow window(program_folder, {messages, clock, file_dialog}, std::move(command_line),
                        claim.store_folder());
    messages.set_parent(&window);
    file_dialog.set_parent(&window);
    show_maximised(window);
    return QApplication::exec();
}
