// Dialogs 129, 132 and 134, the font dialog and the about box as the window
// shows them: their controls, rules and the settings they leave behind.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "analyser/font_record.h"
#include "analyser/settings_file.h"
#include "editor_view.h"
#include "fixtures/drop_files.h"
#include "options_dialog.h"
#include "qt_text.h"
#include "window_fixture.h"

namespace zovedit {
namespace {

template <typename Widget>
Widget* control(QDialog* dialog, int id) {
    auto* widget = dialog->findChild<Widget*>(QStringLiteral("control_%1").arg(id));
    EXPECT_NE(widget, nullptr) << id;
    return widget;
}

zov::AnalyserSettings settings_on_disk(zov::AnalyserContext& context) {
    zov::AnalyserSettings memory = context.settings;
    zov::load_settings(context);
    zov::AnalyserSettings disk = context.settings;
    context.settings = memory;
    return disk;
}

TEST_F(WindowTest, AnalysisOptionsDialogRulesAndCancelKeepsTheChanges) {
    window->choose_file = [this](const QString&, const QString&, const QString&) {
        return QString::fromStdString(room_dxf());
    };
    bool checked = false;
    when_dialog_opens([&](QDialog* dialog) {
        EXPECT_EQ(control<QLineEdit>(dialog, 1015)->text().toStdString(), room_dxf());
        // Selection is off: the explanations show, the item controls do not.
        EXPECT_TRUE(control<QLabel>(dialog, 1018)->isVisible());
        EXPECT_FALSE(control<QListWidget>(dialog, 1001)->isVisible());
        control<QCheckBox>(dialog, 1003)->click();
        EXPECT_FALSE(control<QLabel>(dialog, 1018)->isVisible());
        auto* list = control<QListWidget>(dialog, 1001);
        auto* combo = control<QComboBox>(dialog, 1002);
        EXPECT_TRUE(list->isVisible());
        EXPECT_EQ(list->count(), 7);
        EXPECT_EQ(combo->count(), 277);
        EXPECT_EQ(combo->itemText(214), ui("LINE  (ライン)"));
        // Choosing entries adds them until the list holds ten.
        for (int i = 0; i < 4; ++i) emit combo->activated(214 + i);
        EXPECT_EQ(list->count(), 10);
        EXPECT_EQ(messages.last(), zov::cp932_text("これ以上追加できません"));
        // A double-click deletes the selected entry.
        list->setCurrentRow(0);
        emit list->itemDoubleClicked(list->item(0));
        EXPECT_EQ(list->count(), 9);
        EXPECT_EQ(list->item(0)->text(), ui("LINE  (ライン)"));
        // "クリア" asks; No keeps the list.
        messages.answers = {false};
        control<QPushButton>(dialog, 1004)->click();
        EXPECT_EQ(list->count(), 9);
        EXPECT_EQ(messages.last(),
                  zov::cp932_text("右側の項目リスト全てをクリアしてよろしいですか？"));
        // Another mark, then "標準" puts ":" back.
        auto* code_mark = control<QLineEdit>(dialog, 1006);
        code_mark->clear();
        QTest::keyClicks(code_mark, QStringLiteral("#"));
        EXPECT_EQ(context->settings.code_mark, "#");
        control<QPushButton>(dialog, 1011)->click();
        EXPECT_EQ(code_mark->text(), QStringLiteral(":"));
        control<QCheckBox>(dialog, 1014)->click();     // comments off
        control<QRadioButton>(dialog, 1022)->click();  // form C
        // The hover help follows the mouse, 4 pixels beside a control too.
        auto* options = static_cast<OptionsDialog*>(dialog);
        options->hover_at(QPoint(166, 236));
        EXPECT_EQ(options->hover_lines()[0], zov::cp932_text("複数行のＤＸＦファイルを１行に"));
        options->hover_at(QPoint(520, 5));
        EXPECT_EQ(options->hover_lines()[0], "");
        checked = true;
        control<QPushButton>(dialog, 2)->click();
    });
    window->action(kAnalyseDxf)->trigger();
    ASSERT_TRUE(checked);
    // Cancelled: nothing written, but the choices are saved.
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder.file("_room.TXT"))));
    zov::AnalyserSettings disk = settings_on_disk(*context);
    EXPECT_EQ(disk.item_comments, 0);
    EXPECT_EQ(disk.selected_only, 1);
    EXPECT_EQ(disk.analysis_form, 2);
    EXPECT_EQ(disk.code_mark, ":");
    EXPECT_EQ(disk.selected_items[0], zov::cp932_text("LINE  (ライン)"));
    EXPECT_EQ(disk.selected_items[9], "");
}

TEST_F(WindowTest, AnalyseFromTheMenuOpensThePrefixedAnalysis) {
    window->choose_file = [this](const QString&, const QString&, const QString&) {
        return QString::fromStdString(room_dxf());
    };
    when_dialog_opens([](QDialog* dialog) { control<QPushButton>(dialog, 1)->click(); });
    window->action(kAnalyseDxf)->trigger();
    EXPECT_EQ(window->windowTitle(), ui("_room.TXT - ZovEdit"));
    EXPECT_EQ(session->analysis_path(), folder.file("_room.TXT"));
    EXPECT_TRUE(window->action(kRebuildDxf)->isEnabled());
}

// Files dropped on the text: a DXF is analysed as from the menu, an
// analysis file opens, anything else is refused and not inserted as text.
TEST_F(WindowTest, DroppedDxfIsAnalysedAndDroppedAnalysisOpens) {
    QWidget& text = *window->view()->viewport();
    zov::write_file_bytes(folder.file("notes.csv"), "x");
    EXPECT_FALSE(zov::drop_files(text, {folder.file("notes.csv")}));
    EXPECT_TRUE(window->view()->toPlainText().isEmpty());
    when_dialog_opens([](QDialog* dialog) { control<QPushButton>(dialog, 1)->click(); });
    EXPECT_TRUE(zov::drop_files(text, {room_dxf(), folder.file("notes.csv")}));
    EXPECT_EQ(window->windowTitle(), ui("_room.TXT - ZovEdit"));
    EXPECT_EQ(session->analysis_path(), folder.file("_room.TXT"));
    const std::string analysis = analyse_room();
    EXPECT_TRUE(zov::drop_files(text, {analysis}));
    EXPECT_EQ(window->windowTitle(), ui("room.TXT - ZovEdit"));
    EXPECT_EQ(session->analysis_path(), analysis);
}

TEST_F(WindowTest, OutputNameDialogFollowsTheRuleAndSavesOnCancel) {
    window->start(QString::fromStdString(analyse_room()));
    when_dialog_opens([&](QDialog* dialog) {
        auto* output = control<QLineEdit>(dialog, 1002);
        EXPECT_EQ(control<QLineEdit>(dialog, 1001)->text().toStdString(), room_dxf());
        EXPECT_TRUE(control<QRadioButton>(dialog, 1006)->isChecked());
        control<QRadioButton>(dialog, 1004)->click();
        EXPECT_EQ(output->text().toStdString(), folder.file("_room.DXF"));
        control<QRadioButton>(dialog, 1005)->click();
        EXPECT_EQ(output->text().toStdString(), folder.file("room$1.DXF"));
        control<QRadioButton>(dialog, 1009)->click();
        dialog->reject();
    });
    window->action(kRebuildDxf)->trigger();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(folder.file("room$1.DXF"))));
    zov::AnalyserSettings disk = settings_on_disk(*context);
    EXPECT_EQ(disk.naming_rule, 1);
    EXPECT_EQ(disk.line_ends, 3);
}

TEST_F(WindowTest, PaletteBeepsOnEmptyTextAndClipboardElseRunsItsCommand) {
    QApplication::clipboard()->clear();
    window->open_palette(QPoint(10, 10));
    EXPECT_EQ(window->beeps(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // With text on the clipboard the palette opens; "貼り付け" pastes.
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    when_dialog_opens([](QDialog* dialog) { control<QPushButton>(dialog, 3)->click(); });
    window->open_palette(QPoint(10, 10));
    EXPECT_EQ(window->view()->toPlainText(), QStringLiteral("pasted"));
    // ｷｬﾝｾﾙ chooses nothing; "全て選択" selects everything.
    when_dialog_opens([](QDialog* dialog) { control<QPushButton>(dialog, 1023)->click(); });
    window->open_palette(QPoint(10, 10));
    EXPECT_FALSE(window->view()->textCursor().hasSelection());
    when_dialog_opens([](QDialog* dialog) { control<QPushButton>(dialog, 6)->click(); });
    window->open_palette(QPoint(10, 10));
    EXPECT_EQ(window->view()->textCursor().selectedText(), QStringLiteral("pasted"));
    EXPECT_EQ(window->beeps(), 1);
}

TEST_F(WindowTest, FontRecordIsWrittenOnCancelAndUsedForTheNextDocument) {
    const std::string record_file = folder.file(zov::kFontFileName);
    window->choose_font = [](const QFont&) { return std::nullopt; };
    window->action(kFont)->trigger();
    EXPECT_EQ(zov::read_file_bytes(record_file).size(), 60u);
    EXPECT_EQ(zov::read_font_record(folder.path())->height, 200);
    window->choose_font = [](const QFont&) {
        QFont font(QStringLiteral("IPAMincho"));
        font.setPointSize(14);
        font.setBold(true);
        return std::optional<QFont>(font);
    };
    window->action(kFont)->trigger();
    std::optional<zov::FontRecord> record = zov::read_font_record(folder.path());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->height, 280);
    EXPECT_EQ(zov::font_face(*record), "IPAMincho");
    EXPECT_TRUE(record->effects & zov::kFontMaskBold);
    window->run_command(kFileNew);
    EXPECT_EQ(window->view()->font().family(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(window->view()->font().pointSize(), 14);
}

TEST_F(WindowTest, AboutBoxSavesTheSettingsWhenClosed) {
    context->settings.analysis_prefix = "ab";
    QString text;
    when_dialog_opens([&](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), ui("ZovEditのﾊﾞｰｼﾞｮﾝ情報"));
        for (QLabel* label : dialog->findChildren<QLabel*>()) text += label->text();
        dialog->accept();
    });
    window->action(kAbout)->trigger();
    EXPECT_TRUE(text.contains(ui("DXF Editer ZovEdit Version 1.4")));
    EXPECT_EQ(settings_on_disk(*context).analysis_prefix, "ab");
}

}  // namespace
}  // namespace zovedit
