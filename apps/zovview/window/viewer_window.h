#pragma once
// ZovView's main window: the menus and the flat toolbar of the viewer's
// commands, the drawing view in the middle, no status bar (a hint that the
// layer filter hides everything shows in the view's corner). The title is
// "<document title> - ZovView". The window holds the viewer shell (settings,
// history, load pipeline) and the view of the drawing store; messages, file
// dialogs and the clock come from outside, so tests can answer them.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "background_load.h"
#include "common/clock.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "gui_thread_services.h"
#include "view/drawing_view.h"
#include "viewer/file_dialog.h"
#include "viewer/viewer_shell.h"

class DrawingWidget;
class QAction;
class QLabel;

struct ViewerServices {
    zov::Messages& messages;
    const zov::Clock& clock;
    zov::FileDialog& file_dialog;
};

class ViewerWindow : public QMainWindow {
public:
    // Reads the settings of `program_folder`; `start_command_line` is what
    // the first repaint opens (see zov::start_command_line). The store files
    // go to `store_folder` ("" for the program folder; another viewer
    // holding the program folder gives this one a private store folder,
    // zov::ProgramFolderClaim).
    ViewerWindow(const std::string& program_folder, ViewerServices services,
                 std::vector<std::string> start_command_line,
                 const std::string& store_folder = std::string());
    ~ViewerWindow() override;

    // Runs a command as its menu item or toolbar button does.
    void run_command(int id);
    // The action of a command id (menus and toolbar share it).
    QAction* action(int id) const;

    zov::ViewerShell& shell() { return shell_; }
    BackgroundLoads& background_loads() { return loads_; }
    zov::DrawingView& view() { return view_; }
    DrawingWidget& drawing() { return *drawing_; }

protected:
    // Closing while a command loads stops its converter; the window closes
    // when the command has ended.
    void closeEvent(QCloseEvent* event) override;
    // Files dropped on the window: the first opens, as on the command line,
    // when it is a drawing (nothing else is taken).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void build_menus();
    void build_toolbar();
    QAction* make_action(int id);
    // Runs `open` (an open command or the history dialog, which load through
    // the background loads); then the view switches to the standard display
    // and repaints, showing the new drawing when the store was replaced
    // (current_file_label names it). A failed conversion leaves the drawing.
    void show_what_opens(const std::function<void()>& open);
    void show_help_drawing();
    // The toolbar's save button (the viewer's own DXF) and its option for
    // the full drawing.
    void save_shown_drawing_as_dxf(zov::DxfContent content);
    void show_history_dialog();
    void update_checks();
    void update_title();
    // The hint in the view's lower left corner while the layer filter
    // leaves nothing drawn.
    void update_filter_hint();

    // The shell's messages and file dialogs reach the window's thread from
    // a command that runs in the background.
    GuiThreadMessages messages_;
    GuiThreadFileDialog file_dialog_;
    zov::ViewerShell shell_;
    BackgroundLoads loads_;
    bool close_after_load_ = false;
    zov::DrawingView view_;
    zov::DxfHandles dxf_handles_;
    DrawingWidget* drawing_;
    QLabel* filter_hint_;
    std::map<int, QAction*> actions_;
};
