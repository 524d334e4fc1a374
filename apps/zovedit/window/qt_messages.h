#pragma once
// The analyser's messages as message boxes over the main window, with the
// beep of their kind.
#include <QWidget>

#include "common/messages.h"

namespace zovedit {

class QtMessages : public zov::Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show(zov::MessageIcon icon, const std::string& text) override;
    bool ask(const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace zovedit
