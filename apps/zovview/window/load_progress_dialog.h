#pragma once
// The dialog of a load that runs for a while: the file's name, what is being
// done (converting the DWG, importing) and the seconds so far, above a bar
// (the share of the file read while importing, a moving bar while
// converting) and "ｷｬﾝｾﾙ". The button and Esc stop the converter or the
// import; the drawing shown before stays.
#include <QDialog>

#include "viewer/load_activity.h"

class QLabel;
class QProgressBar;
class QPushButton;

class LoadProgressDialog : public QDialog {
public:
    LoadProgressDialog(zov::LoadActivity& activity, QWidget* parent);

    // Shows what `progress` says as `state` decides; hidden while not shown.
    void show_progress(const zov::LoadProgress& progress, const zov::LoadDialogState& state);
    QLabel& label() { return *label_; }
    QProgressBar& bar() { return *bar_; }
    QPushButton& cancel_button() { return *cancel_; }

    // Esc and "ｷｬﾝｾﾙ".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    zov::LoadActivity& activity_;
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* cancel_;
};
