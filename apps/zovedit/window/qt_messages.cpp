#include "qt_messages.h"

#include <QApplication>
#include <QMessageBox>

#include "qt_text.h"

namespace zovedit {

namespace {

QMessageBox::Icon box_icon(zov::MessageIcon icon) {
    switch (icon) {
        case zov::MessageIcon::Information: return QMessageBox::Information;
        case zov::MessageIcon::Question: return QMessageBox::Question;
        case zov::MessageIcon::Stop: return QMessageBox::Critical;
        case zov::MessageIcon::Exclamation:
        case zov::MessageIcon::Warning: break;
    }
    return QMessageBox::Warning;
}

}  // namespace

void QtMessages::show(zov::MessageIcon icon, const std::string& text) {
    QApplication::beep();
    QMessageBox box(box_icon(icon), ui("ZovEdit"), from_cp932(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtMessages::ask(const std::string& text) {
    QApplication::beep();
    return QMessageBox::question(parent_, ui("ZovEdit"), from_cp932(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace zovedit
