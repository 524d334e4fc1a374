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
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton("ｷｬﾝｾﾙ", this)) {
    setObjectName("load_progress");
    setWindowTitle("ZovView");
    setMinimumWidth(420);
    connect(cancel_, &QPushButton::clicked, this, &LoadProgressDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
}

void LoadProgressDialog::show_progress(const zov::LoadProgress& progress,
                                       const zov::LoadDialogState& state) {
    if (!state.shown) {
        hide();
        return;
    }
    const QString name = QString::fromStdString(progress.file_name);
    const bool stopping = activity_.cancel_requested();
    QString doing;
    if (progress.step == zov::LoadStep::Converting) {
        doing = stopping ? QString("%1 の変換を中止しています").arg(name)
                         : QString("%1 をDXFに変換しています").arg(name);
    } else {
        doing = stopping ? QString("%1 の読み込みを中止しています").arg(name)
                         : QString("%1 を読み込んでいます").arg(name);
    }
    label_->setText(QString("%1 (%2秒)").arg(doing).arg(progress.seconds));
    if (state.percent < 0) {
        bar_->setRange(0, 0);  // no known end: a moving bar
    } else {
        bar_->setRange(0, 100);
        bar_->setValue(state.percent);
    }
    cancel_->setEnabled(state.cancel_offered);
    if (!isVisible()) show();
}

void LoadProgressDialog::reject() {
    if (activity_.progress().step != zov::LoadStep::Idle) activity_.request_cancel();
}

void LoadProgressDialog::closeEvent(QCloseEvent* event) {
    reject();
    event->ignore();  // the dialog goes when the load has ended
}
