#pragma once
// Dialog 134, the command palette of a right click in the text: each button
// chooses one editor command and closes it.
#include <QDialog>

#include "command_ids.h"

namespace zovedit {

class PaletteDialog : public QDialog {
    Q_OBJECT
public:
    explicit PaletteDialog(QWidget* parent = nullptr);
    // The command of the button pressed, kNoCommand after ｷｬﾝｾﾙ or a close.
    int chosen() const { return chosen_; }

protected:
    // A right click inside the palette closes it without a command.
    void mousePressEvent(QMouseEvent* event) override;

private:
    int chosen_ = kNoCommand;
};

}  // namespace zovedit
