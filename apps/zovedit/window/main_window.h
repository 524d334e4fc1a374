#pragma once
// ZovEdit's main window: one document (a CP932 text shown byte-exact), its
// menus, toolbar and status bar, and the commands that analyse a DXF into a
// document and rebuild a DXF from it. Decisions are the EditorSession's.
#include <QHash>
#include <QMainWindow>
#include <functional>
#include <optional>

#include "analyser/editor_session.h"
#include "analyser/editor_text.h"
#include "command_ids.h"

class QLabel;
class QMenu;

namespace zovedit {

class EditorView;
class FindReplaceDialog;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 16;

    MainWindow(zov::EditorSession& session, zov::Messages& messages, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The command line's argument (a file-system name, whole): opens what
    // the session decides.
    void start(const QString& argument);

    // Documents.
    bool open_document(const QString& path);
    void show_untitled(const QString& path);
    bool save_document();
    bool save_document_as(const QString& path);
    void new_document();
    QString document_path() const { return path_; }
    bool modified() const;

    // Commands by id, as the menus, toolbar, keys and palette run them.
    void run_command(int id);
    QAction* action(int id) const { return actions_.value(id); }
    EditorView* view() const { return view_; }
    FindReplaceDialog* find_dialog() const { return find_; }
    QMenu* recent_menu() const { return recent_menu_; }
    int beeps() const { return beeps_; }
    // The right click at `global` in the text: the palette, or a beep when
    // there is neither text nor clipboard text.
    void open_palette(QPoint global);

    // Stand-ins for the platform's own dialogs, replaceable by tests: the
    // open-file dialog (title, first folder, filter) and the font dialog.
    std::function<QString(const QString&, const QString&, const QString&)> choose_file;
    std::function<std::optional<QFont>(const QFont&)> choose_font;
    std::function<zov::SaveAnswer(const QString&)> three_way_question;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A dropped analysis file opens, a dropped DXF is analysed (the first
    // file of several); other files are refused.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class Document;

    void build_menus();
    void build_tool_bar();
    void build_status_bar();
    QAction* add_action(QMenu* menu, int id, const char* text,
                        const QList<QKeySequence>& keys = {});
    void update_title();
    void update_command_states();
    void load_text(const QByteArray& bytes);
    void show_document_start();
    bool save_if_asked();
    void remember_recent(const QString& path);
    void rebuild_recent_menu();

    void analyse_dxf();
    // Analyses the DXF at `dxf` (a file-system name) and opens its analysis.
    void analyse_dxf_file(const QString& dxf);
    // Opens `path` as chosen by the user: asks about unsaved changes first.
    void open_chosen_document(const QString& path);
    void rebuild_dxf();
    void set_bookmark();
    void go_to_bookmark();
    void change_font();
    void toggle_wrap();
    void show_settings_file();
    void show_help_text();
    void show_about();
    void open_with_dialog();
    void apply_font(const zov::FontRecord& record);

    zov::EditorSession& session_;
    zov::Messages& messages_;
    std::unique_ptr<Document> document_;
    EditorView* view_ = nullptr;
    FindReplaceDialog* find_ = nullptr;
    QMenu* recent_menu_ = nullptr;
    QHash<int, QAction*> actions_;
    QStringList recent_;
    QString path_;  // file-system name, "" while untitled
    zov::LineEnd line_end_ = zov::LineEnd::CrLf;
    zov::FontRecord font_record_{};
    int beeps_ = 0;
};

}  // namespace zovedit
