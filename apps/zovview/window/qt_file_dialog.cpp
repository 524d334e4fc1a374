#include "qt_file_dialog.h"

#include <QFileDialog>

#include "common/encoding.h"
#include "qt_messages.h"
#include "standard_dialogs.h"
#include "viewer/dialog_filter.h"

QStringList name_filters(const std::string& filter) {
    QStringList filters;
    for (const zov::DialogFilter& entry : zov::parse_dialog_filter(filter)) {
        QStringList patterns;
        for (const std::string& pattern : entry.patterns)
            patterns << QString::fromStdString(zov::dialog_pattern(zov::cp932_to_utf8(pattern)));
        // Qt reads the patterns from the last parentheses of a filter.
        filters << screen_text(entry.description) + " (" + patterns.join(' ') + ")";
    }
    return filters;
}

std::optional<std::string> QtFileDialog::choose_file(const zov::FileDialogRequest& request) {
    ArrowCursorWhileOpen arrow;
    QFileDialog dialog(parent_, screen_text(request.title),
                       QString::fromStdString(request.initial_folder));
    dialog.setNameFilters(name_filters(request.filter));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(QString::fromStdString(request.proposed_name));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    give_room(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}
