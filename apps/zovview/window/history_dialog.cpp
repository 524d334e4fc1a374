#include "history_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "background_load.h"
#include "qt_messages.h"
#include "viewer/open_commands.h"

HistoryDialog::HistoryDialog(zov::ViewerShell& shell, BackgroundLoads& loads, QWidget* parent)
    : QDialog(parent),
      shell_(shell),
      loads_(loads),
      entries_(zov::history_dialog_entries(shell)),
      list_(new QListWidget(this)) {
    setWindowTitle("経歴リストから開く");
    resize(596, 370);  // 397 x 228 dialog units
    list_->setObjectName("1000");
    // The entries are aligned in columns with blanks.
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const std::string& entry : entries_) list_->addItem(screen_text(entry));
    if (list_->count() > 0) list_->setCurrentRow(0);

    auto* open = new QPushButton("開く", this);
    auto* cancel = new QPushButton("ｷｬﾝｾﾙ", this);
    open->setDefault(true);
    connect(open, &QPushButton::clicked, this, [this] { open_selected(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { open_selected(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(open);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
}

void HistoryDialog::open_selected() {
    WaitCursor wait;
    bool opened = false;
    const int row = list_->currentRow();
    loads_.run(*this, [&] { opened = zov::open_history_entry(shell_, entries_, row); });
    if (opened) accept();
}
