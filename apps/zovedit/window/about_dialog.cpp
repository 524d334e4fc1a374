#include "about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt_text.h"
#include "svg_icons.h"

namespace zovedit {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(ui("ZovEditのﾊﾞｰｼﾞｮﾝ情報"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setObjectName("program_icon");
    icon->setPixmap(icon_from_svg(QStringLiteral(":/zovedit/zovedit.svg")).pixmap(32, 32));
    row->addWidget(icon);
    row->addWidget(new QLabel(ui("DXF Editer ZovEdit Version 1.4"), this));
    layout->addLayout(row);
    auto* ok = new QPushButton(ui("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

}  // namespace zovedit
