#include "about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "store/import_state.h"
#include "toolbar_icons.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("ZovViewのﾊﾞｰｼﾞｮﾝ情報");
    auto* icon = new QLabel(this);
    icon->setPixmap(program_icon().pixmap(32, 32));
    auto* version = new QLabel(zov::kStoreBanner, this);
    auto* about = new QLabel("JW_CAD・DXF・DWG 図面ビューア", this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(about, 1, 1);
    layout->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);
}
