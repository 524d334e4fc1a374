#include "load_progress_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

LoadProgressDialog::LoadProgressDialog(zov::LoadActivity& activity, QWidget* parent)
    : QDialog(parent),
      activity_(activity),
      label_(new QLabel(this)),
      cancel_(new QPushButton("ｷｬﾝｾﾙ", this)) {
    setObjectName("load_progress");
    setWindowTitle("ZovView");
    setMinimumWidth(420);
    auto* busy = new QProgressBar(this);
    busy->setRange(0, 0);  // no known end: a moving bar
    connect(cancel_, &QPushButton::clicked, this, &LoadProgressDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(busy);
    layout->addLayout(buttons);
}

void LoadProgressDialog::show_progress(const zov::LoadProgress& progress) {
    const QString name = QString::fromStdString(progress.file_name);
    QString doing;
    switch (progress.step) {
        case zov::LoadStep::Idle: hide(); return;
        case zov::LoadStep::Converting:
            doing = activity_.cancel_requested() ? QString("%1 の変換を中止しています").arg(name)
                                                 : QString("%1 をDXFに変換しています").arg(name);
            break;
        case zov::LoadStep::Importing: doing = QString("%1 を読み込んでいます").arg(name); break;
    }
    label_->setText(QString("%1 (%2秒)").arg(doing).arg(progress.seconds));
    cancel_->setEnabled(progress.step == zov::LoadStep::Converting &&
                        !activity_.cancel_requested());
    if (!isVisible()) show();
}

void LoadProgressDialog::reject() {
    if (activity_.progress().step == zov::LoadStep::Converting) activity_.request_cancel();
}

void LoadProgressDialog::closeEvent(QCloseEvent* event) {
    reject();
    event->ignore();  // the dialog goes when the load has ended
}
