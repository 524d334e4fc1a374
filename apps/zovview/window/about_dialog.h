#pragma once
// Dialog 100 "ZovViewのﾊﾞｰｼﾞｮﾝ情報": the program's icon, name and version, one
// line about it, and OK.
#include <QDialog>

class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent);
};
