#pragma once
// The dialog of a load that runs for a while: the file's name, what is being
// done (converting the DWG, importing) and the seconds so far, above a busy
// bar and "ｷｬﾝｾﾙ". The button and Esc stop a running converter; an import
// cannot be stopped half way, so the button is off while it runs.
#include <QDialog>

#include "viewer/load_activity.h"

class QLabel;
class QPushButton;

class LoadProgressDialog : public QDialog {
public:
    LoadProgressDialog(zov::LoadActivity& activity, QWidget* parent);

    // Shows what `progress` says; hidden while no step runs.
    void show_progress(const zov::LoadProgress& progress);
    QLabel& label() { return *label_; }
    QPushButton& cancel_button() { return *cancel_; }

    // Esc and "ｷｬﾝｾﾙ".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    zov::LoadActivity& activity_;
    QLabel* label_;
    QPushButton* cancel_;
};
