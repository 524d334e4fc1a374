// The Qt sides of the viewer's services: the file dialog's filters list
// files of every letter case, as the dialog's own file list applies them;
// messages are modal boxes titled with the program's name, with the icon of
// their kind, and questions answer Yes or No; with a Japanese locale Qt's own
// texts are Japanese.
#include <algorithm>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

#include "common/utf8_messages.h"
#include "qt_file_dialog.h"
#include "qt_messages.h"
#include "qt_translations.h"
#include "window_fixture.h"

namespace zov {
namespace {

TEST(QtFileDialogFilters, ExtensionPatternsMatchAnyCaseAndAllFilesMeansAll) {
    ensure_widget_application();
    TempFolder folder;
    for (const char* name : {"a.jwc", "b.Jwc", "c.JWC", "d.dxf", "README"})
        write_file_bytes(folder.file(name), "x");

    const QStringList filters =
        name_filters(utf8_to_cp932("JWCﾌｧｲﾙ(*.JWC)|*.JWC|全てのﾌｧｲﾙ(*.*)|*.*||"));
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0].toStdString(), "JWCﾌｧｲﾙ(*.JWC) (*.[jJ][wW][cC])");
    EXPECT_EQ(filters[1].toStdString(), "全てのﾌｧｲﾙ(*.*) (*)");

    // The patterns as the dialog reads them from the last parentheses, and
    // matched case-sensitively as its file list does on a Linux file system.
    const QDir dir(QString::fromStdString(folder.path()));
    auto listed = [&](const QString& filter) {
        const QString patterns = filter.mid(filter.lastIndexOf('(') + 1).chopped(1);
        return dir.entryList(patterns.split(' '), QDir::Files | QDir::CaseSensitive, QDir::Name);
    };
    EXPECT_EQ(listed(filters[0]), (QStringList{"a.jwc", "b.Jwc", "c.JWC"}));
    EXPECT_EQ(listed(filters[1]).size(), 5);
    // Without the conversion only the upper-case file would be listed.
    EXPECT_EQ(dir.entryList({"*.JWC"}, QDir::Files | QDir::CaseSensitive), QStringList{"c.JWC"});
}

struct ShownBox {
    std::string title;
    std::string text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Shows what `show` brings up and closes the box with `button`.
template <class F>
ShownBox shown_box(QMessageBox::StandardButton button, F show) {
    ShownBox box;
    QTimer::singleShot(0, [&box, button] {
        auto* shown = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        box = {shown->windowTitle().toStdString(), shown->text().toStdString(), shown->icon()};
        shown->done(button);
    });
    show();
    return box;
}

TEST(QtMessageBoxes, TitleIconAndTextOfEachKind) {
    ensure_widget_application();
    QtMessages messages;
    ShownBox box = shown_box(QMessageBox::Ok,
                             [&] { show_error_utf8(messages, "%s を開けない", "/a/図面.dxf"); });
    EXPECT_EQ(box.title, "ZovView");
    EXPECT_EQ(box.text, "/a/図面.dxf を開けない");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    box = shown_box(QMessageBox::Ok, [&] { show_information_utf8(messages, "コピー終了"); });
    EXPECT_EQ(box.icon, QMessageBox::Information);
    // An empty information text shows the fixed text with the warning icon.
    box = shown_box(QMessageBox::Ok, [&] { show_information(messages, "%s", ""); });
    EXPECT_EQ(box.text, "Eroor in MessageBox");
    EXPECT_EQ(box.icon, QMessageBox::Warning);

    bool answer = true;
    box = shown_box(QMessageBox::No, [&] { answer = ask_utf8(messages, "退出しますか？"); });
    EXPECT_EQ(box.icon, QMessageBox::Question);
    EXPECT_FALSE(answer);
    shown_box(QMessageBox::Yes, [&] { answer = ask_utf8(messages, "退出しますか？"); });
    EXPECT_TRUE(answer);
}

// With a Japanese locale Qt's own texts are Japanese: the message boxes'
// buttons and the file dialog, which opens with room for its columns.
TEST(QtTranslations, JapaneseButtonsAndARoomyFileDialog) {
    ensure_widget_application();
    QTranslator* japanese = install_qt_translations(QLocale(QLocale::Japanese, QLocale::Japan));
    ASSERT_NE(japanese, nullptr) << "qt6-translations-l10n is not installed";
    QtMessages messages;
    std::vector<std::string> buttons;
    QTimer::singleShot(0, [&buttons] {
        auto* shown = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        for (QAbstractButton* button : shown->buttons())
            buttons.push_back(button->text().toStdString());
        shown->done(QMessageBox::No);
    });
    ask_utf8(messages, "退出しますか？");
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (std::vector<std::string>{"いいえ(&N)", "はい(&Y)"}));

    QtFileDialog files;
    QSize opened;
    std::string cancel;
    when_open<QFileDialog>([&](QFileDialog& dialog) {
        opened = dialog.size();
        if (auto* box = dialog.findChild<QDialogButtonBox*>())
            cancel = box->button(QDialogButtonBox::Cancel)->text().toStdString();
        dialog.reject();
    });
    FileDialogRequest request;
    request.filter = utf8_to_cp932("DXFﾌｧｲﾙ(*.DXF)|*.DXF||");
    EXPECT_FALSE(files.choose_file(request));
    EXPECT_EQ(cancel, "キャンセル");
    // Qt's own size, 624 x 412, cuts the columns of the detail view.
    EXPECT_GT(opened.width(), 624);
    EXPECT_GT(opened.height(), 412);
    QCoreApplication::removeTranslator(japanese);
    delete japanese;
}

}  // namespace
}  // namespace zov
