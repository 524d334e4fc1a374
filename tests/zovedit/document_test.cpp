// The window's document: byte-exact open and save of analysis files, the
// title, the menus and keys, keyboard editing, and the rebuild of an edited
// analysis through dialog 132 with the question about unsaved changes.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <filesystem>

#include "about_dialog.h"
#include "analyser/conversion.h"
#include "analyser/dialogs.h"
#include "analyser/texts.h"
#include "common/encoding.h"
#include "editor_view.h"
#include "fixtures/dxf_text.h"
#include "qt_text.h"
#include "window_fixture.h"

namespace zovedit {
namespace {

TEST_F(WindowTest, CorpusAnalysesOpenAndSaveByteForByte) {
    zov::AcceptingDialogs accepting;
    zov::AnalyserContext plain(folder.path(), messages, clock, accepting);
    plain.settings = context->settings;
    int opened = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ZOV_CORPUS_DIR)) {
        if (!entry.is_regular_file()) continue;
        for (int form : {0, 1, 2}) {
            SCOPED_TRACE(entry.path().filename().string() + " form " + std::to_string(form));
            plain.settings.analysis_form = form;
            const std::string analysis = folder.file("corpus.TXT");
            ASSERT_EQ(zov::convert_dxf_to_analysis(plain, entry.path().string(), analysis), 1);
            messages.entries.clear();  // the conversion's own warnings are not the window's
            const std::string before = zov::read_file_bytes(analysis);
            ASSERT_TRUE(window->open_document(QString::fromStdString(analysis)));
            if (form == 0) {
                EXPECT_TRUE(window->view()->toPlainText().contains(QChar(0x2418)));
            }
            ASSERT_TRUE(window->save_document());
            ASSERT_EQ(zov::read_file_bytes(analysis), before);
            ++opened;
        }
    }
    EXPECT_GT(opened, 0);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(WindowTest, TitleMenusAndKeys) {
    EXPECT_EQ(window->windowTitle(), ui("無題 - ZovEdit"));
    window->open_document(QString::fromStdString(analyse_room()));
    EXPECT_EQ(window->windowTitle(), ui("room.TXT - ZovEdit"));
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, QStringList({ui("ﾌｧｲﾙ(&F)"), ui("編集(&E)"), ui("表示(&V)"), ui("設定(&S)"),
                                  ui("ﾍﾙﾌﾟ(&H)")}));
    // Beside each item the menu shows the key bound to it, and only that.
    for (QAction* action : window->findChildren<QAction*>())
        EXPECT_FALSE(action->text().contains('\t')) << action->text().toStdString();
    EXPECT_EQ(window->action(kRebuildDxf)->text(), ui("ＤＸＦファイルを作成(&S)"));
    EXPECT_EQ(window->action(kFileOpen)->text(), ui("開く(&R)..."));
    EXPECT_TRUE(window->action(kRebuildDxf)->shortcut().isEmpty());
    EXPECT_EQ(window->action(kFileSave)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(window->action(kFileOpen)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_TRUE(window->action(kAnalyseDxf)->shortcut().isEmpty());
    EXPECT_EQ(window->action(kEditFindNext)->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(window->action(kEditReplace)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    EXPECT_TRUE(
        window->action(kEditUndo)->shortcuts().contains(QKeySequence(Qt::ALT | Qt::Key_Backspace)));
    EXPECT_EQ(window->action(kAnalyseDxf)->statusTip(), ui("ＤＸＦファイルを解析して表示します。"));
    EXPECT_EQ(window->action(kAnalyseDxf)->toolTip(), ui("ＤＸＦを開く(解析)"));
    window->run_command(kFileNew);
    EXPECT_EQ(window->windowTitle(), ui("無題 - ZovEdit"));

    // The program's icon on the window and in the about box; the rebuild's
    // own on the toolbar, not the save button's floppy disk.
    EXPECT_FALSE(window->windowIcon().isNull());
    const QImage rebuild = window->action(kRebuildDxf)->icon().pixmap(16, 16).toImage();
    EXPECT_FALSE(rebuild.isNull());
    EXPECT_NE(rebuild,
              window->style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(16, 16).toImage());
    AboutDialog about(window.get());
    EXPECT_FALSE(about.findChild<QLabel*>("program_icon")->pixmap().isNull());
}

// Puts the caret on the value `value` of the text and selects it.
void select_value(EditorView* view, const QString& value) {
    QTextCursor found = view->document()->find(value);
    ASSERT_FALSE(found.isNull());
    view->setTextCursor(found);
}

TEST_F(WindowTest, KeyboardEditSaveAndRebuildDiffersExactlyAtTheValue) {
    const std::string analysis = analyse_room();
    window->start(QString::fromStdString(analysis));
    EXPECT_EQ(session->analysis_path(), analysis);
    EXPECT_TRUE(window->action(kRebuildDxf)->isEnabled());
    select_value(window->view(), QStringLiteral("2000.0"));
    window->view()->setFocus();
    QTest::keyClicks(window->view(), QStringLiteral("2468.5"));
    EXPECT_TRUE(window->modified());
    QTest::keyClick(window->view(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->modified());
    EXPECT_NE(zov::read_file_bytes(analysis).find("2468.5_\x18"), std::string::npos);

    QString proposed;
    when_dialog_opens([&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), ui("生成するＤＸＦファイル名"));
        proposed = dialog->findChild<QLineEdit*>("control_1002")->text();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    window->action(kRebuildDxf)->trigger();
    EXPECT_EQ(proposed.toStdString(), folder.file("room$$$1.DXF"));  // rule 2, the default
    std::vector<zov::DxfGroup> source = zov::read_dxf_groups(zov::read_file_bytes(room_dxf()));
    std::vector<zov::DxfGroup> rebuilt =
        zov::read_dxf_groups(zov::read_file_bytes(proposed.toStdString()));
    // The rebuild begins with two comment groups; the source ends in EOF as the rebuild does.
    ASSERT_EQ(rebuilt.size(), source.size() + 2);
    int differences = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (rebuilt[i + 2] == source[i]) continue;
        ++differences;
        EXPECT_EQ(source[i].value, "2000.0");
        EXPECT_EQ(rebuilt[i + 2].value, "2468.5");
        EXPECT_EQ(rebuilt[i + 2].code, source[i].code);
    }
    EXPECT_EQ(differences, 1);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(WindowTest, RebuildAsksAboutUnsavedChanges) {
    const std::string analysis = analyse_room();
    window->start(QString::fromStdString(analysis));
    select_value(window->view(), QStringLiteral("2000.0"));
    window->view()->textCursor().insertText(QStringLiteral("1999.0"));
    std::vector<QString> questions;
    window->three_way_question = [&](const QString& text) {
        questions.push_back(text);
        return zov::SaveAnswer::Cancel;
    };
    bool dialog_shown = false;
    window->action(kRebuildDxf)->trigger();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].contains(QString::fromStdString(analysis)));
    EXPECT_TRUE(window->modified());
    EXPECT_EQ(zov::read_file_bytes(analysis).find("1999.0"), std::string::npos);

    // Yes saves first, so the rebuilt DXF holds the edit.
    window->three_way_question = [](const QString&) { return zov::SaveAnswer::Save; };
    QString output;
    when_dialog_opens([&](QDialog* dialog) {
        dialog_shown = true;
        output = dialog->findChild<QLineEdit*>("control_1002")->text();
        dialog->accept();
    });
    window->action(kRebuildDxf)->trigger();
    EXPECT_TRUE(dialog_shown);
    EXPECT_FALSE(window->modified());
    EXPECT_NE(zov::read_file_bytes(output.toStdString()).find("\r\n1999.0\r\n"), std::string::npos);
}

TEST_F(WindowTest, DxfOnTheCommandLineRunsDialog129AndOpensTheAnalysis) {
    QString title;
    when_dialog_opens([&](QDialog* dialog) {
        title = dialog->windowTitle();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    window->start(QString::fromStdString(room_dxf()));
    EXPECT_EQ(title, ui("ＤＸＦファイル解析方法の設定"));
    EXPECT_EQ(window->windowTitle(), ui("room.TXT - ZovEdit"));
    EXPECT_EQ(session->analysis_path(), folder.file("room.TXT"));
    EXPECT_EQ(shown_bytes(), zov::read_file_bytes(folder.file("room.TXT")));
}

TEST_F(WindowTest, UnwritableCharactersAreSavedOnlyWhenAllowed) {
    const std::string path = folder.file("notes.TXT");
    zov::write_file_bytes(path, "abc\r\n");
    window->open_document(QString::fromStdString(path));
    window->view()->moveCursor(QTextCursor::End);
    window->view()->insertPlainText(QString::fromUtf8("é"));  // é has no CP932 code
    messages.answers = {false};
    EXPECT_FALSE(window->save_document());
    EXPECT_EQ(zov::read_file_bytes(path), "abc\r\n");
    messages.answers = {true};
    EXPECT_TRUE(window->save_document());
    EXPECT_EQ(zov::read_file_bytes(path), "abc\r\n?");
}

}  // namespace
}  // namespace zovedit
