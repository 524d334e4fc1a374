#pragma once
// Dialog 100 "ZovEditのﾊﾞｰｼﾞｮﾝ情報": the program's icon, name and version.
#include <QDialog>

namespace zovedit {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace zovedit
