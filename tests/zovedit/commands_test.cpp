// The editing commands of the window: bookmarks with their one-time cyan
// line, wrapping, find and replace, the wheel and the settings file.
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include "editor_view.h"
#include "find_replace_dialog.h"
#include "qt_text.h"
#include "window_fixture.h"

namespace zovedit {
namespace {

void caret_to_block(EditorView* view, int block) {
    QTextCursor cursor(view->document()->findBlockByNumber(block));
    view->setTextCursor(cursor);
}

bool has_cyan(const QImage& image) {
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (image.pixel(x, y) == qRgb(0, 255, 255)) return true;
    return false;
}

TEST_F(WindowTest, BookmarksFlashOnceAndARebuildClearsThem) {
    window->start(QString::fromStdString(analyse_room()));
    EditorView* view = window->view();
    caret_to_block(view, 0);
    window->action(kSetBookmark)->trigger();  // the first line counts as none
    EXPECT_EQ(messages.last(), zov::cp932_text("注目位置がセットされていません"));
    caret_to_block(view, 4);
    window->action(kSetBookmark)->trigger();
    QImage flashed = view->viewport()->grab().toImage();
    EXPECT_EQ(view->last_flashed_block(), 4);
    EXPECT_TRUE(has_cyan(flashed));
    view->viewport()->repaint();  // the next repaint removes it
    EXPECT_EQ(view->last_flashed_block(), -1);
    EXPECT_FALSE(has_cyan(view->viewport()->grab().toImage()));
    caret_to_block(view, 20);
    window->action(kGoToBookmark)->trigger();
    EXPECT_EQ(view->textCursor().blockNumber(), 4);

    when_dialog_opens([](QDialog* dialog) { dialog->accept(); });
    window->action(kRebuildDxf)->trigger();
    std::size_t shown = messages.entries.size();
    window->action(kGoToBookmark)->trigger();
    ASSERT_EQ(messages.entries.size(), shown + 1);
    EXPECT_EQ(messages.last(), zov::cp932_text("注目位置がセットされていません"));
}

TEST_F(WindowTest, WrapIsEnabledWithTextAndOffForEveryNewDocument) {
    QAction* wrap = window->action(kWrap);
    EXPECT_FALSE(wrap->isEnabled());
    window->start(QString::fromStdString(analyse_room()));
    EXPECT_TRUE(wrap->isEnabled());
    EXPECT_FALSE(wrap->isChecked());
    wrap->trigger();
    EXPECT_TRUE(wrap->isChecked());
    EXPECT_EQ(window->view()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    window->open_document(QString::fromStdString(folder.file("room.TXT")));
    EXPECT_FALSE(wrap->isChecked());
    EXPECT_EQ(window->view()->lineWrapMode(), QPlainTextEdit::NoWrap);
    window->run_command(kFileNew);
    EXPECT_FALSE(wrap->isEnabled());
}

TEST_F(WindowTest, FindUpDownCaseWholeWordAndReplaceAll) {
    const std::string path = folder.file("words.TXT");
    zov::write_file_bytes(path, "LINE line LINES\r\nLINE\r\n");
    window->open_document(QString::fromStdString(path));
    FindReplaceDialog* find = window->find_dialog();
    window->run_command(kEditReplace);
    find->set_find_text(QStringLiteral("LINE"));
    find->set_options(false, true, true);
    ASSERT_TRUE(find->find_next());
    EXPECT_EQ(window->view()->textCursor().selectionStart(), 0);
    ASSERT_TRUE(find->find_next());  // "line" and "LINES" do not match
    EXPECT_EQ(window->view()->textCursor().blockNumber(), 1);
    // Past the last match the search goes round from the top, and says so.
    ASSERT_TRUE(find->find_next());
    EXPECT_EQ(window->view()->textCursor().selectionStart(), 0);
    EXPECT_EQ(window->statusBar()->currentMessage(), ui("先頭から検索を続けました"));
    ASSERT_TRUE(find->find_next());
    find->set_find_text(QStringLiteral("ARC"));
    EXPECT_FALSE(find->find_next());  // none anywhere: the caret stays
    EXPECT_EQ(window->view()->textCursor().blockNumber(), 1);
    find->set_find_text(QStringLiteral("LINE"));
    find->set_options(true, false, false);  // up, any case, parts of words
    ASSERT_TRUE(find->find_next());
    EXPECT_EQ(window->view()->textCursor().selectionStart(), 10);
    // F3 finds the next one with the same text.
    QTest::keyClick(window->view(), Qt::Key_F3);
    EXPECT_EQ(window->view()->textCursor().selectionStart(), 5);
    find->set_replace_text(QStringLiteral("ARC"));
    find->set_options(false, true, true);
    EXPECT_EQ(find->replace_all(), 2);
    EXPECT_EQ(window->statusBar()->currentMessage(), ui("2個置換しました"));
    window->save_document();
    EXPECT_EQ(zov::read_file_bytes(path), "ARC line LINES\r\nARC\r\n");
    // One undo takes the whole replacement back.
    window->action(kEditUndo)->trigger();
    EXPECT_EQ(window->view()->toPlainText(), QStringLiteral("LINE line LINES\nLINE\n"));
}

TEST_F(WindowTest, WheelScrollsThreeLinesMoreThanTheDefault) {
    window->start(QString::fromStdString(analyse_room()));
    EditorView* view = window->view();
    QScrollBar* bar = view->verticalScrollBar();
    bar->setValue(0);
    QPointF at(20, 20);
    QWheelEvent turn(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &turn);
    int lines = QApplication::wheelScrollLines();
    EXPECT_EQ(bar->value(), lines + EditorView::kWheelExtraLines);
}

TEST_F(WindowTest, SettingsFileOpensAsADocument) {
    context->settings.analysis_prefix = "x";
    window->action(kShowSettingsFile)->trigger();
    EXPECT_EQ(window->windowTitle(), ui("ZovEdit.CFG - ZovEdit"));
    EXPECT_TRUE(window->view()->toPlainText().contains(QStringLiteral("FHS=\"x\"")));
}

TEST_F(WindowTest, SettingsSavedInTheEditorOutliveTheProgramsExit) {
    window->action(kShowSettingsFile)->trigger();
    QTextCursor value = window->view()->document()->find(QStringLiteral("FHS=\"_\""));
    ASSERT_FALSE(value.isNull());
    value.insertText(QStringLiteral("FHS=\"u\""));
    QTest::keyClick(window->view(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->modified());
    EXPECT_EQ(context->settings.analysis_prefix, "u");
    context->settings.analysis_form = 2;  // changed by the program afterwards
    window.reset();
    session.reset();  // the exit writes the settings
    const std::string saved = zov::read_file_bytes(folder.file("ZovEdit.CFG"));
    EXPECT_NE(saved.find("FHS=\"u\""), std::string::npos);
    EXPECT_NE(saved.find("KTM=2 "), std::string::npos);
}

}  // namespace
}  // namespace zovedit
