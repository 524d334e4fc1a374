#include "main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSaveFile>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>

#include "about_dialog.h"
#include "dropped_files.h"
#include "editor_view.h"
#include "find_replace_dialog.h"
#include "palette_dialog.h"
#include "qt_text.h"
#include "standard_dialogs.h"
#include "status_indicators.h"
#include "svg_icons.h"
#include "view_font.h"

namespace zovedit {

namespace {

constexpr char kRecentKeyOrganisation[] = "Local AppWizard-Generated Applications";
constexpr char kRecentGroup[] = "Recent File List";
constexpr int kNoteMilliseconds = 10000;  // how long a status-bar note stays

}  // namespace

// The window's document as the session sees it.
class MainWindow::Document : public zov::EditorDocument {
public:
    explicit Document(MainWindow& window) : window_(window) {}
    std::string path() const override { return cp932_name(window_.path_).value_or(std::string()); }
    bool modified() const override { return window_.modified(); }
    zov::SaveAnswer ask_save(const std::string& question) override {
        return window_.three_way_question(from_cp932(question));
    }
    bool save() override { return window_.save_document(); }

private:
    MainWindow& window_;
};

MainWindow::MainWindow(zov::EditorSession& session, zov::Messages& messages, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      messages_(messages),
      document_(std::make_unique<Document>(*this)) {
    choose_file = [this](const QString& title, const QString& folder, const QString& filter) {
        return choose_file_to_open(this, title, folder, filter);
    };
    choose_font = [this](const QFont& current) -> std::optional<QFont> {
        QFontDialog dialog(current, this);
        dialog.setWindowTitle(ui("フォント"));
        give_room(dialog);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.selectedFont();
    };
    three_way_question = [this](const QString& text) {
        QApplication::beep();
        auto answer = QMessageBox::question(
            this, ui("ZovEdit"), text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) return zov::SaveAnswer::Save;
        if (answer == QMessageBox::No) return zov::SaveAnswer::Discard;
        return zov::SaveAnswer::Cancel;
    };
    setWindowIcon(icon_from_svg(QStringLiteral(":/zovedit/zovedit.svg")));
    setAcceptDrops(true);
    view_ = new EditorView(this);
    setCentralWidget(view_);
    find_ = new FindReplaceDialog(view_, this);
    connect(find_, &FindReplaceDialog::note, this,
            [this](const QString& note) { statusBar()->showMessage(note, kNoteMilliseconds); });
    connect(view_, &EditorView::palette_requested, this, &MainWindow::open_palette);
    connect(view_, &QPlainTextEdit::textChanged, this, &MainWindow::update_command_states);
    QSettings settings(QString::fromLatin1(kRecentKeyOrganisation), ui("ZovEdit"));
    settings.beginGroup(QString::fromLatin1(kRecentGroup));
    for (int i = 1; i <= kRecentFileCount; ++i) {
        QString file = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty()) recent_.append(file);
    }
    build_menus();
    build_tool_bar();
    build_status_bar();
    resize(900, 640);
    show_document_start();
    update_title();
    update_command_states();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::add_action(QMenu* menu, int id, const char* text,
                                const QList<QKeySequence>& keys) {
    auto* action = new QAction(ui(text), this);
    action->setData(id);
    action->setShortcuts(keys);
    action->setObjectName(QStringLiteral("command_%1").arg(id));
    connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
    if (menu != nullptr) menu->addAction(action);
    actions_.insert(id, action);
    return action;
}

void MainWindow::build_menus() {
    // The menus show beside each item the first key bound to it, as Qt
    // writes it, and no key that does not act.
    using K = QKeySequence;
    QMenu* file = menuBar()->addMenu(ui("ﾌｧｲﾙ(&F)"));
    add_action(file, kFileNew, "新規作成(&N)", {K(Qt::CTRL | Qt::Key_N)});
    add_action(file, kFileOpen, "開く(&R)...", {K(Qt::CTRL | Qt::Key_O)});
    add_action(file, kFileSave, "上書き保存(&W)", {K(Qt::CTRL | Qt::Key_S)});
    add_action(file, kFileSaveAs, "名前を付けて保存(&A)...");
    file->addSeparator();
    add_action(file, kAnalyseDxf, "ＤＸＦファイルを開く(&O)");
    add_action(file, kRebuildDxf, "ＤＸＦファイルを作成(&S)");
    file->addSeparator();
    add_action(file, kFileExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
    file->addSeparator();
    recent_menu_ = file->addMenu(ui("最近使ったﾌｧｲﾙ"));
    recent_menu_->menuAction()->setData(kRecentFiles);
    rebuild_recent_menu();

    QMenu* edit = menuBar()->addMenu(ui("編集(&E)"));
    add_action(edit, kEditUndo, "元に戻す(&U)",
               {K(Qt::CTRL | Qt::Key_Z), K(Qt::ALT | Qt::Key_Backspace)});
    edit->addSeparator();
    add_action(edit, kEditCut, "切り取り(&T)",
               {K(Qt::CTRL | Qt::Key_X), K(Qt::SHIFT | Qt::Key_Delete)});
    add_action(edit, kEditCopy, "ｺﾋﾟｰ(&C)",
               {K(Qt::CTRL | Qt::Key_C), K(Qt::CTRL | Qt::Key_Insert)});
    add_action(edit, kEditPaste, "貼り付け(&P)",
               {K(Qt::CTRL | Qt::Key_V), K(Qt::SHIFT | Qt::Key_Insert)});
    add_action(edit, kEditSelectAll, "すべて選択(&L)", {K(Qt::CTRL | Qt::Key_A)});
    edit->addSeparator();
    add_action(edit, kEditFind, "検索(&F)...", {K(Qt::CTRL | Qt::Key_F)});
    add_action(edit, kEditFindNext, "次を検索(&I)", {K(Qt::Key_F3)});
    add_action(edit, kEditReplace, "置換(&E)", {K(Qt::CTRL | Qt::Key_H)});
    edit->addSeparator();
    add_action(edit, kSetBookmark, "注目行をセット");
    add_action(edit, kGoToBookmark, "注目行に移動");

    QMenu* show = menuBar()->addMenu(ui("表示(&V)"));
    add_action(show, kViewToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)")->setCheckable(true);
    add_action(show, kViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)")->setCheckable(true);
    actions_[kViewToolBar]->setChecked(true);
    actions_[kViewStatusBar]->setChecked(true);

    QMenu* settings = menuBar()->addMenu(ui("設定(&S)"));
    add_action(settings, kFont, "フォント(&F)");
    add_action(settings, kWrap, "右端で折返し(&W)")->setCheckable(true);
    add_action(settings, kShowSettingsFile, "ZovEdit.CFGを読み込む");

    QMenu* help = menuBar()->addMenu(ui("ﾍﾙﾌﾟ(&H)"));
    add_action(help, kAbout, "ZovEdit のﾊﾞｰｼﾞｮﾝ情報(&A)...");
    add_action(help, kShowHelpText, "解説文の表示(&H)");

    // Status-bar prompts and tooltips of the program's own commands.
    struct Prompt {
        int id;
        const char* prompt;
        const char* tip;
    };
    const Prompt prompts[] = {
        {kAnalyseDxf, "ＤＸＦファイルを解析して表示します。", "ＤＸＦを開く(解析)"},
        {kRebuildDxf, "表示されているデータを元にＤＸＦファイルを作成します",
         "ＤＸＦファイルを作成"},
        {kFont, "表示するフォントの設定を変更します。", "表示するフォントの設定"},
        {kShowSettingsFile, "ZovEditの動作環境を設定するZovEdit.CFGを開きます", nullptr},
    };
    for (const Prompt& prompt : prompts) {
        actions_[prompt.id]->setStatusTip(ui(prompt.prompt));
        if (prompt.tip != nullptr) actions_[prompt.id]->setToolTip(ui(prompt.tip));
    }
    for (QMenu* menu : {file, edit, settings})
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::update_command_states);
}

void MainWindow::build_tool_bar() {
    QToolBar* bar = addToolBar(ui("ﾂｰﾙ ﾊﾞｰ"));
    bar->setObjectName("tool_bar");
    auto standard = [this](QStyle::StandardPixmap pixmap) { return style()->standardIcon(pixmap); };
    // The rebuild makes a DXF from the text: an icon of its own, not a
    // floppy disk that reads as "save".
    const std::pair<int, QIcon> buttons[] = {
        {kAnalyseDxf, standard(QStyle::SP_DialogOpenButton)},
        {kRebuildDxf, icon_from_svg(QStringLiteral(":/zovedit/rebuild.svg"))},
        {0, {}},
        {kEditUndo, standard(QStyle::SP_ArrowBack)},
        {0, {}},
        {kEditFind, standard(QStyle::SP_FileDialogContentsView)},
        {kEditFindNext, standard(QStyle::SP_ArrowForward)},
        {0, {}},
        {kEditReplace, standard(QStyle::SP_BrowserReload)},
    };
    for (const auto& [id, icon] : buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        actions_[id]->setIcon(icon);
        bar->addAction(actions_[id]);
    }
    connect(actions_[kViewToolBar], &QAction::toggled, bar, &QToolBar::setVisible);
}

void MainWindow::build_status_bar() {
    statusBar()->showMessage(ui("レディ"));
    new StatusIndicators(statusBar());
    connect(actions_[kViewStatusBar], &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void MainWindow::update_title() {
    QString name = path_.isEmpty() ? ui("無題") : QFileInfo(path_).fileName();
    setWindowTitle(name + ui(" - ZovEdit"));
}

void MainWindow::update_command_states() {
    actions_[kRebuildDxf]->setEnabled(session_.rebuild_enabled());
    QAction* wrap = actions_[kWrap];
    wrap->setEnabled(zov::EditorSession::wrap_enabled(view_->document()->isEmpty()));
    wrap->setChecked(session_.wrap_on());
}

bool MainWindow::modified() const { return view_->document()->isModified(); }

// Every newly shown document: the font of the record, no wrapping.
void MainWindow::show_document_start() {
    apply_font(session_.view_font());
    session_.document_shown();
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
}

void MainWindow::apply_font(const zov::FontRecord& record) {
    font_record_ = record;
    view_->setFont(font_from_record(record));
    QPalette colours = view_->palette();
    QColor colour = colour_from_record(record);
    colours.setColor(QPalette::Text, colour.isValid() ? colour : palette().color(QPalette::Text));
    view_->setPalette(colours);
}

void MainWindow::load_text(const QByteArray& bytes) {
    zov::EditorText text = zov::decode_editor_text(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    line_end_ = text.line_end;
    QString shown(reinterpret_cast<const QChar*>(text.text.data()),
                  static_cast<qsizetype>(text.text.size()));
    text = {};
    view_->setPlainText(shown);
    view_->document()->setModified(false);
    show_document_start();
}

bool MainWindow::save_if_asked() {
    if (!modified()) return true;
    QString name = path_.isEmpty() ? ui("無題") : path_;
    switch (three_way_question(ui("%1 への変更を保存しますか?").arg(name))) {
        case zov::SaveAnswer::Cancel: return false;
        case zov::SaveAnswer::Discard: return true;
        case zov::SaveAnswer::Save: break;
    }
    return save_document();
}

bool MainWindow::open_document(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        zov::report(messages_, zov::MessageIcon::Exclamation, "オープンできません(%s)",
                    path.toStdString().c_str());
        return false;
    }
    load_text(file.readAll());
    path_ = path;
    remember_recent(path);
    update_title();
    update_command_states();
    return true;
}

void MainWindow::show_untitled(const QString& path) {
    if (open_document(path)) {
        path_.clear();
        update_title();
    }
}

void MainWindow::new_document() {
    view_->clear();
    view_->document()->setModified(false);
    path_.clear();
    line_end_ = zov::LineEnd::CrLf;
    show_document_start();
    update_title();
    update_command_states();
}

bool MainWindow::save_document() {
    if (path_.isEmpty()) {
        QString path = choose_file_to_save(this, ui("名前を付けて保存"), QString(),
                                           ui("ﾃｷｽﾄﾌｧｲﾙ(*.TXT *.txt);;全てのﾌｧｲﾙ(*)"));
        return !path.isEmpty() && save_document_as(path);
    }
    return save_document_as(path_);
}

bool MainWindow::save_document_as(const QString& path) {
    QString text = view_->toPlainText();
    zov::EncodedText encoded =
        zov::encode_editor_text(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                    static_cast<std::size_t>(text.size())),
                                line_end_);
    if (encoded.unwritable > 0 &&
        !messages_.ask(zov::format_text(zov::cp932_text("ＳＪＩＳで書けない文字が%zu個あります。\n"
                                                        "｢?｣に置き換えて保存しますか？")
                                            .c_str(),
                                        encoded.unwritable)))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(encoded.bytes.data(), static_cast<qint64>(encoded.bytes.size())) !=
            static_cast<qint64>(encoded.bytes.size()) ||
        !file.commit()) {
        zov::report(messages_, zov::MessageIcon::Stop, "%sを作成できませんでした",
                    zov::utf8_to_cp932(path.toStdString()).c_str());
        return false;
    }
    if (path != path_) {
        session_.document_renamed(cp932_name(path_).value_or(std::string()),
                                  cp932_name(path).value_or(std::string()));
        path_ = path;
        remember_recent(path);
    }
    view_->document()->setModified(false);
    session_.document_saved();
    update_title();
    update_command_states();
    return true;
}

void MainWindow::start(const QString& argument) {
    std::string name;
    if (!argument.isEmpty()) {
        std::optional<std::string> cp932 = cp932_name(argument);
        if (!cp932) {
            zov::report(messages_, zov::MessageIcon::Exclamation, "オープンできません(%s)",
                        zov::utf8_to_cp932(argument.toStdString()).c_str());
            return;
        }
        name = *cp932;
    }
    zov::StartupDocument startup = session_.startup(name);
    if (startup.path.empty()) return;
    QString path = file_system_name(startup.path);
    if (startup.untitled)
        show_untitled(path);
    else
        open_document(path);
    update_command_states();
}

void MainWindow::run_command(int id) {
    switch (id) {
        case kFileNew:
            if (save_if_asked()) new_document();
            break;
        case kFileOpen: open_with_dialog(); break;
        case kFileSave: save_document(); break;
        case kFileSaveAs: {
            QString path = choose_file_to_save(this, ui("名前を付けて保存"), path_,
                                               ui("ﾃｷｽﾄﾌｧｲﾙ(*.TXT *.txt);;全てのﾌｧｲﾙ(*)"));
            if (!path.isEmpty()) save_document_as(path);
            break;
        }
        case kAnalyseDxf: analyse_dxf(); break;
        case kRebuildDxf: rebuild_dxf(); break;
        case kFileExit: close(); break;
        case kEditUndo: view_->undo(); break;
        case kEditCut: view_->cut(); break;
        case kEditCopy: view_->copy(); break;
        case kEditPaste: view_->paste(); break;
        case kEditSelectAll: view_->selectAll(); break;
        case kEditFind: find_->show_for(false); break;
        case kEditFindNext:
            if (find_->has_find_text())
                find_->find_next();
            else
                find_->show_for(false);
            break;
        case kEditReplace: find_->show_for(true); break;
        case kSetBookmark: set_bookmark(); break;
        case kGoToBookmark: go_to_bookmark(); break;
        case kFont: change_font(); break;
        case kWrap: toggle_wrap(); break;
        case kShowSettingsFile: show_settings_file(); break;
        case kAbout: show_about(); break;
        case kShowHelpText: show_help_text(); break;
        default: break;
    }
}

void MainWindow::open_with_dialog() {
    if (!save_if_asked()) return;
    QString path = choose_file(ui("開く"), file_system_name(session_.context().settings.dxf_folder),
                               ui("ﾃｷｽﾄﾌｧｲﾙ(*.TXT *.txt);;DXFﾌｧｲﾙ(*.DXF *.dxf);;全てのﾌｧｲﾙ(*)"));
    if (path.isEmpty()) return;
    session_.document_opened(std::string());
    if (open_document(path)) session_.document_opened(cp932_name(path).value_or(std::string()));
    update_command_states();
}

void MainWindow::open_chosen_document(const QString& path) {
    if (!save_if_asked()) return;
    if (open_document(path)) session_.document_opened(cp932_name(path).value_or(std::string()));
    update_command_states();
}

namespace {

// The first dropped file and what it is taken as.
std::pair<QString, zov::DroppedFile> first_dropped(const QMimeData* data) {
    const QStringList files = data != nullptr ? dropped_files(*data) : QStringList();
    if (files.isEmpty()) return {QString(), zov::DroppedFile::Refused};
    return {files.front(), zov::dropped_file_kind(files.front().toStdString())};
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (first_dropped(event->mimeData()).second != zov::DroppedFile::Refused)
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto [path, kind] = first_dropped(event->mimeData());
    if (kind == zov::DroppedFile::Refused) return;
    event->acceptProposedAction();
    if (kind == zov::DroppedFile::Analysis) open_chosen_document(path);
    if (kind == zov::DroppedFile::Dxf) analyse_dxf_file(path);
}

void MainWindow::analyse_dxf() {
    QString dxf = choose_file(ui("解析するＤＸＦファイルを指定します"),
                              file_system_name(session_.context().settings.dxf_folder),
                              ui("DXFﾌｧｲﾙ(*.DXF *.dxf);;全てのﾌｧｲﾙ(*)"));
    if (!dxf.isEmpty()) analyse_dxf_file(dxf);
}

void MainWindow::analyse_dxf_file(const QString& dxf) {
    std::optional<std::string> name = cp932_name(dxf);
    if (!name) {
        zov::report(messages_, zov::MessageIcon::Exclamation, "オープンできません(%s)",
                    zov::utf8_to_cp932(dxf.toStdString()).c_str());
        return;
    }
    if (!save_if_asked()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<std::string> analysis = session_.analyse_from_menu(*name);
    QApplication::restoreOverrideCursor();
    if (analysis) open_document(file_system_name(*analysis));
    update_command_states();
}

void MainWindow::rebuild_dxf() {
    if (!session_.rebuild_enabled()) return;
    std::string output;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int result = session_.rebuild(*document_, output);
    QApplication::restoreOverrideCursor();
    if (result == 0) statusBar()->showMessage(from_cp932(output), kNoteMilliseconds);
}

void MainWindow::set_bookmark() {
    session_.set_bookmark(view_->textCursor().block().position());
    go_to_bookmark();
}

void MainWindow::go_to_bookmark() {
    std::optional<int> position = session_.bookmark_to_go();
    if (!position) return;
    QTextCursor cursor = view_->textCursor();
    cursor.setPosition(std::min(*position, view_->document()->characterCount() - 1));
    view_->setTextCursor(cursor);
    view_->ensureCursorVisible();
    view_->flash_block(cursor.block());
}

void MainWindow::change_font() {
    std::optional<QFont> chosen = choose_font(view_->font());
    if (chosen) {
        zov::FontRecord record = font_record_;
        record_from_font(record, *chosen);
        apply_font(record);
    }
    session_.font_dialog_closed(font_record_);
}

void MainWindow::toggle_wrap() {
    session_.toggle_wrap();
    view_->setLineWrapMode(session_.wrap_on() ? QPlainTextEdit::WidgetWidth
                                              : QPlainTextEdit::NoWrap);
    update_command_states();
}

void MainWindow::show_settings_file() {
    std::optional<std::string> path = session_.settings_file_to_show();
    if (path && save_if_asked()) open_document(file_system_name(*path));
}

void MainWindow::show_help_text() {
    std::optional<std::string> path = session_.locate_help_text([this](const std::string& folder) {
        QString chosen =
            choose_file(ui("環境設定ファイルZovEdit.txtを指定してください"),
                        file_system_name(folder), ui("ZovEditﾌｧｲﾙ(ZovEdit.txt);;全てのﾌｧｲﾙ(*)"));
        std::optional<std::string> name;
        if (!chosen.isEmpty()) name = cp932_name(chosen);
        return name;
    });
    if (path && save_if_asked()) show_untitled(file_system_name(*path));
}

void MainWindow::show_about() {
    AboutDialog dialog(this);
    dialog.exec();
    session_.about_closed();
}

void MainWindow::open_palette(QPoint global) {
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (view_->document()->isEmpty() && (clipboard == nullptr || !clipboard->hasText())) {
        QApplication::beep();
        ++beeps_;
        return;
    }
    PaletteDialog palette(this);
    palette.move(global);
    palette.exec();
    if (palette.chosen() != kNoCommand) run_command(palette.chosen());
}

void MainWindow::remember_recent(const QString& path) {
    QString absolute = QFileInfo(path).absoluteFilePath();
    recent_.removeAll(absolute);
    recent_.prepend(absolute);
    while (recent_.size() > kRecentFileCount) recent_.removeLast();
    QSettings settings(QString::fromLatin1(kRecentKeyOrganisation), ui("ZovEdit"));
    settings.beginGroup(QString::fromLatin1(kRecentGroup));
    for (int i = 1; i <= kRecentFileCount; ++i)
        settings.setValue(QStringLiteral("File%1").arg(i),
                          i <= recent_.size() ? recent_[i - 1] : QString());
    rebuild_recent_menu();
}

void MainWindow::rebuild_recent_menu() {
    recent_menu_->clear();
    recent_menu_->setEnabled(!recent_.isEmpty());
    for (int i = 0; i < recent_.size(); ++i) {
        QString path = recent_[i];
        QAction* entry =
            recent_menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1, 0, 16).arg(path));
        connect(entry, &QAction::triggered, this, [this, path] { open_chosen_document(path); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (save_if_asked())
        event->accept();
    else
        event->ignore();
}

}  // namespace zovedit
