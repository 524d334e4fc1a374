#pragma once
// The find and replace dialogs of the editor: one window that shows the
// replace controls only when asked for replacing. Searches go up or down from
// the caret, with or without case and whole words.
#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zovedit {

class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    FindReplaceDialog(QPlainTextEdit* editor, QWidget* parent = nullptr);

    // Shows the dialog for finding (or replacing), with the selection as text.
    void show_for(bool replacing);

    void set_find_text(const QString& text);
    void set_replace_text(const QString& text);
    void set_options(bool up, bool match_case, bool whole_word);

    // The next match from the caret, going round from the other end of the
    // text (with a note) when there is none before it; false (with a beep)
    // when the text holds none.
    bool find_next();
    // Replaces the selected match, then finds the next one.
    bool replace_one();
    // Replaces every match in the text as one undo step; notes the count
    // and returns it.
    int replace_all();
    bool has_find_text() const;

signals:
    // A short note for the status bar: the search went round, or how many
    // were replaced.
    void note(const QString& text);

private:
    QTextDocument::FindFlags flags() const;
    bool selection_matches() const;

    QPlainTextEdit* editor_;
    QLineEdit* find_ = nullptr;
    QLineEdit* replace_ = nullptr;
    QLabel* replace_label_ = nullptr;
    QRadioButton* up_ = nullptr;
    QCheckBox* match_case_ = nullptr;
    QCheckBox* whole_word_ = nullptr;
    QPushButton* replace_button_ = nullptr;
    QPushButton* replace_all_button_ = nullptr;
};

}  // namespace zovedit
