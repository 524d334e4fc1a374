#include "find_replace_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>

#include "qt_text.h"

namespace zovedit {

FindReplaceDialog::FindReplaceDialog(QPlainTextEdit* editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(ui("検索する文字列(&N):"), this), 0, 0);
    find_ = new QLineEdit(this);
    find_->setObjectName("find_text");
    layout->addWidget(find_, 0, 1);
    replace_label_ = new QLabel(ui("置換後の文字列(&P):"), this);
    layout->addWidget(replace_label_, 1, 0);
    replace_ = new QLineEdit(this);
    replace_->setObjectName("replace_text");
    layout->addWidget(replace_, 1, 1);
    match_case_ = new QCheckBox(ui("大文字と小文字を区別する(&C)"), this);
    whole_word_ = new QCheckBox(ui("単語単位で探す(&W)"), this);
    layout->addWidget(whole_word_, 2, 0, 1, 2);
    layout->addWidget(match_case_, 3, 0, 1, 2);
    auto* direction = new QGroupBox(ui("検索する方向"), this);
    auto* direction_layout = new QHBoxLayout(direction);
    up_ = new QRadioButton(ui("上へ(&U)"), direction);
    auto* down = new QRadioButton(ui("下へ(&D)"), direction);
    down->setChecked(true);
    direction_layout->addWidget(up_);
    direction_layout->addWidget(down);
    layout->addWidget(direction, 4, 0, 1, 2);

    auto* buttons = new QVBoxLayout;
    auto* next = new QPushButton(ui("次を検索(&F)"), this);
    next->setDefault(true);
    replace_button_ = new QPushButton(ui("置換して次に(&R)"), this);
    replace_all_button_ = new QPushButton(ui("すべて置換(&A)"), this);
    auto* close = new QPushButton(ui("キャンセル"), this);
    for (QPushButton* button : {next, replace_button_, replace_all_button_, close})
        buttons->addWidget(button);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 5, 1);
    connect(next, &QPushButton::clicked, this, &FindReplaceDialog::find_next);
    connect(replace_button_, &QPushButton::clicked, this, &FindReplaceDialog::replace_one);
    connect(replace_all_button_, &QPushButton::clicked, this, &FindReplaceDialog::replace_all);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

void FindReplaceDialog::show_for(bool replacing) {
    setWindowTitle(replacing ? ui("置換") : ui("検索"));
    for (QWidget* widget : std::initializer_list<QWidget*>{replace_label_, replace_,
                                                           replace_button_, replace_all_button_})
        widget->setVisible(replacing);
    QString selected = editor_->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        find_->setText(selected);
    show();
    raise();
    activateWindow();
    find_->setFocus();
    find_->selectAll();
}

void FindReplaceDialog::set_find_text(const QString& text) { find_->setText(text); }
void FindReplaceDialog::set_replace_text(const QString& text) { replace_->setText(text); }

void FindReplaceDialog::set_options(bool up, bool match_case, bool whole_word) {
    up_->setChecked(up);
    if (!up) findChildren<QRadioButton*>().back()->setChecked(true);
    match_case_->setChecked(match_case);
    whole_word_->setChecked(whole_word);
}

bool FindReplaceDialog::has_find_text() const { return !find_->text().isEmpty(); }

QTextDocument::FindFlags FindReplaceDialog::flags() const {
    QTextDocument::FindFlags flags;
    if (up_->isChecked()) flags |= QTextDocument::FindBackward;
    if (match_case_->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    if (whole_word_->isChecked()) flags |= QTextDocument::FindWholeWords;
    return flags;
}

bool FindReplaceDialog::find_next() {
    if (find_->text().isEmpty()) return false;
    if (editor_->find(find_->text(), flags())) return true;
    const bool upward = up_->isChecked();
    const QTextCursor before = editor_->textCursor();
    QTextCursor edge(editor_->document());
    edge.movePosition(upward ? QTextCursor::End : QTextCursor::Start);
    editor_->setTextCursor(edge);
    if (editor_->find(find_->text(), flags())) {
        emit note(upward ? ui("末尾から検索を続けました") : ui("先頭から検索を続けました"));
        return true;
    }
    editor_->setTextCursor(before);
    QApplication::beep();
    return false;
}

bool FindReplaceDialog::selection_matches() const {
    Qt::CaseSensitivity sensitivity =
        match_case_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QTextCursor cursor = editor_->textCursor();
    return cursor.hasSelection() &&
           QString::compare(cursor.selectedText(), find_->text(), sensitivity) == 0;
}

bool FindReplaceDialog::replace_one() {
    if (selection_matches()) editor_->textCursor().insertText(replace_->text());
    return find_next();
}

int FindReplaceDialog::replace_all() {
    if (find_->text().isEmpty()) return 0;
    QTextDocument* document = editor_->document();
    QTextDocument::FindFlags forward = flags() & ~QTextDocument::FindBackward;
    QTextCursor edit(document);
    edit.beginEditBlock();
    int count = 0;
    QTextCursor found = document->find(find_->text(), 0, forward);
    while (!found.isNull()) {
        found.insertText(replace_->text());
        ++count;
        found = document->find(find_->text(), found.position(), forward);
    }
    edit.endEditBlock();
    emit note(ui("%1個置換しました").arg(count));
    return count;
}

}  // namespace zovedit
