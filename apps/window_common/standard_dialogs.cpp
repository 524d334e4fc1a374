#include "standard_dialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>

namespace {

// Name, size, type and date side by side, with a sidebar of places.
constexpr QSize kRoomForColumns(960, 600);

QString chosen_file(QFileDialog& dialog) {
    give_room(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().front();
}

}  // namespace

void give_room(QWidget& dialog) {
    QSize wanted = dialog.size().expandedTo(kRoomForColumns);
    const QScreen* screen =
        dialog.screen() != nullptr ? dialog.screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) wanted = wanted.boundedTo(screen->availableSize() * 9 / 10);
    dialog.resize(wanted);
}

QString choose_file_to_open(QWidget* parent, const QString& title, const QString& folder,
                            const QString& filter) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosen_file(dialog);
}

QString choose_file_to_save(QWidget* parent, const QString& title, const QString& proposed,
                            const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    return chosen_file(dialog);
}
