#pragma once
// The viewer's messages as modal Qt message boxes titled with the program's
// name: information (default beep), exclamation, question (Yes/No) and stop
// (error beep) icons, and the warning icon of "Eroor in MessageBox".
#include <QPointer>
#include <QWidget>

#include "common/messages.h"

class QtMessages : public zov::Messages {
public:
    // The window the boxes belong to; none before it exists.
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show(zov::MessageIcon icon, const std::string& text) override;
    bool ask(const std::string& text) override;

private:
    QPointer<QWidget> parent_;
};

// While a dialog is up, the normal arrow cursor stands in for the wait
// cursor of a running command.
class ArrowCursorWhileOpen {
public:
    ArrowCursorWhileOpen();
    ~ArrowCursorWhileOpen();
    ArrowCursorWhileOpen(const ArrowCursorWhileOpen&) = delete;
    ArrowCursorWhileOpen& operator=(const ArrowCursorWhileOpen&) = delete;
};

// The wait cursor for the life of the object (imports, passes, the layer sheet).
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// CP932 text for the screen.
QString screen_text(const std::string& cp932);
