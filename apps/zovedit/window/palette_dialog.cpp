#include "palette_dialog.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPushButton>

#include "qt_text.h"

namespace zovedit {

PaletteDialog::PaletteDialog(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setWindowTitle(ui("ZovEdit"));
    struct Button {
        int id;
        const char* text;
        int command;
    };
    const Button buttons[] = {
        {3, "貼り付け", kEditPaste},    {4, "コピー", kEditCopy},
        {5, "切り取り", kEditCut},      {6, "全て選択", kEditSelectAll},
        {7, "検索", kEditFind},         {8, "次を検索", kEditFindNext},
        {9, "置き換え", kEditReplace},  {10, "やり直し", kEditUndo},
        {13, "注目指定", kSetBookmark}, {14, "注目移動", kGoToBookmark},
        {1023, "ｷｬﾝｾﾙ", kNoCommand},
    };
    auto* layout = new QGridLayout(this);
    int index = 0;
    for (const Button& button : buttons) {
        auto* push = new QPushButton(ui(button.text), this);
        push->setObjectName(QStringLiteral("control_%1").arg(button.id));
        push->setAutoDefault(false);
        int command = button.command;
        connect(push, &QPushButton::clicked, this, [this, command] {
            chosen_ = command;
            if (command == kNoCommand)
                reject();
            else
                accept();
        });
        layout->addWidget(push, index / 2, index % 2);
        ++index;
    }
}

void PaletteDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        chosen_ = kNoCommand;
        reject();
        return;
    }
    QDialog::mousePressEvent(event);
}

}  // namespace zovedit
