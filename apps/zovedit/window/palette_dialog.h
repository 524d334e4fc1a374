#pragma once
// Dialog 134, the command palette of a right click in the text: each button
// chooses one editor command and closes it.
#include <QDialog>

namespace zovedit {

// Commands of the palette and the menus, by their ids.
enum CommandId {
    kNoCommand = 0,
    kCommandPaste = 57637,
    kCommandCopy = 57634,
    kCommandCut = 57635,
    kCommandSelectAll = 57642,
    kCommandFind = 57636,
    kCommandFindNext = 57640,
    kCommandReplace = 57641,
    kCommandUndo = 57643,
    kCommandSetBookmark = 32782,
    kCommandGoToBookmark = 32780,
};

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
