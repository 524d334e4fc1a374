#include "qt_messages.h"

#include <QApplication>
#include <QMessageBox>

#include "common/encoding.h"

namespace {

constexpr char kProgramTitle[] = "ZovView";

QMessageBox::Icon box_icon(zov::MessageIcon icon) {
    switch (icon) {
        case zov::MessageIcon::Information: return QMessageBox::Information;
        case zov::MessageIcon::Exclamation: return QMessageBox::Warning;
        case zov::MessageIcon::Question: return QMessageBox::Question;
        case zov::MessageIcon::Stop: return QMessageBox::Critical;
        case zov::MessageIcon::Warning: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString screen_text(const std::string& cp932) {
    return QString::fromStdString(zov::cp932_to_utf8(cp932));
}

void QtMessages::show(zov::MessageIcon icon, const std::string& text) {
    ArrowCursorWhileOpen arrow;
    QApplication::beep();
    QMessageBox box(box_icon(icon), kProgramTitle, screen_text(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtMessages::ask(const std::string& text) {
    ArrowCursorWhileOpen arrow;
    QApplication::beep();
    QMessageBox box(QMessageBox::Question, kProgramTitle, screen_text(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

ArrowCursorWhileOpen::ArrowCursorWhileOpen() { QApplication::setOverrideCursor(Qt::ArrowCursor); }

ArrowCursorWhileOpen::~ArrowCursorWhileOpen() { QApplication::restoreOverrideCursor(); }

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }
