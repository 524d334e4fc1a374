#include "about_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "qt_text.h"

namespace zovedit {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(ui("ZovEditのﾊﾞｰｼﾞｮﾝ情報"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    QIcon program_icon = QApplication::windowIcon();
    if (program_icon.isNull()) program_icon = style()->standardIcon(QStyle::SP_FileIcon);
    icon->setPixmap(program_icon.pixmap(32, 32));
    row->addWidget(icon);
    row->addWidget(new QLabel(ui("DXF Editer ZovEdit Version 1.4"), this));
    layout->addLayout(row);
    auto* ok = new QPushButton(ui("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace zovedit
