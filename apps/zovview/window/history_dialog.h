#pragma once
// Dialog 130 "経歴リストから開く": the history entries of the settings file,
// newest first; "開く" or a double-click opens the selected entry's file and
// closes the dialog, a file that has gone is refused and the dialog stays.
#include <string>
#include <vector>

#include <QDialog>

class BackgroundLoads;
class QListWidget;

namespace zov {
class ViewerShell;
}

class HistoryDialog : public QDialog {
public:
    HistoryDialog(zov::ViewerShell& shell, BackgroundLoads& loads, QWidget* parent);

    QListWidget& list() { return *list_; }
    // "開く": loads the selected entry (in the background); closes the dialog
    // when it was loaded.
    void open_selected();

private:
    zov::ViewerShell& shell_;
    BackgroundLoads& loads_;
    std::vector<std::string> entries_;
    QListWidget* list_;
};
