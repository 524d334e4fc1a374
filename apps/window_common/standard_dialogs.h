#pragma once
// Qt's own file dialogs open at 624 x 412 pixels, too small for the columns
// of their detail view; these give them (and the print and font dialogs)
// room, within the screen they open on.
#include <QString>

class QWidget;

// Resizes `dialog` to at least a size that shows its columns, no larger than
// nine tenths of its screen's free area.
void give_room(QWidget& dialog);

// A file to open, through a roomy file dialog; "" when cancelled.
QString choose_file_to_open(QWidget* parent, const QString& title, const QString& folder,
                            const QString& filter);
// A file name to save under (an existing file is confirmed by the dialog);
// "" when cancelled.
QString choose_file_to_save(QWidget* parent, const QString& title, const QString& proposed,
                            const QString& filter);
