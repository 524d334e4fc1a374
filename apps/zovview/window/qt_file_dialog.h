#pragma once
// The viewer's file dialogs on Qt: the program's "|"-separated filters become
// name filters whose patterns match any letter case ("*.JWC" also lists
// a.jwc and a.Jwc), and "*.*" lists every file.
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "viewer/file_dialog.h"

class QtFileDialog : public zov::FileDialog {
public:
    void set_parent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> choose_file(const zov::FileDialogRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

// The name filters of a CP932 filter in the program's form.
QStringList name_filters(const std::string& filter);
