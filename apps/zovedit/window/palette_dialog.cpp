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
        {3, "貼り付け", kCommandPaste},   {4, "コピー", kCommandCopy},
        {5, "切り取り", kCommandCut},     {6, "全て選択", kCommandSelectAll},
        {7, "検索", kCommandFind},        {8, "次を検索", kCommandFindNext},
        {9, "置き換え", kCommandReplace}, {10, "やり直し", kCommandUndo},
        {13, "注目指定", kCommandSetBookmark}, {14, "注目移動", kCommandGoToBookmark},
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
            if (command == kNoCommand) reject();
            else accept();
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
