#pragma once
// ZovView's main window: the menus and the flat toolbar of the viewer's
// commands, the drawing view in the middle, no status bar. The title is
// "<document title> - ZovView". The window holds the viewer shell (settings,
// history, load pipeline) and the view of the drawing store; messages, file
// dialogs and the clock come from outside, so tests can answer them.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "common/clock.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "render/drawing_view.h"
#include "viewer/file_dialog.h"
#include "viewer/viewer_shell.h"

class DrawingWidget;
class QAction;

struct ViewerServices {
    zov::Messages& messages;
    const zov::Clock& clock;
    zov::FileDialog& file_dialog;
};

class ViewerWindow : public QMainWindow {
public:
    // Reads the settings of `program_folder`; `start_command_line` is what
    // the first repaint opens (see zov::start_command_line).
    ViewerWindow(const std::string& program_folder, ViewerServices services,
                 std::vector<std::string> start_command_line);
    ~ViewerWindow() override;

    // Runs a command as its menu item or toolbar button does.
    void run_command(int id);
    // The action of a command id (menus and toolbar share it).
    QAction* action(int id) const;

    zov::ViewerShell& shell() { return shell_; }
    zov::DrawingView& view() { return view_; }
    DrawingWidget& drawing() { return *drawing_; }

private:
    void build_menus();
    void build_toolbar();
    QAction* make_action(int id);
    // After an open command or the history dialog: the view switches to the
    // standard display and repaints, showing the new drawing when one was
    // loaded (current_file_label names it).
    void after_open();
    void show_help_drawing();
    void save_shown_drawing_as_dxf();
    void show_history_dialog();
    void update_checks();
    void update_title();

    zov::ViewerShell shell_;
    zov::DrawingView view_;
    zov::DxfHandles dxf_handles_;
    DrawingWidget* drawing_;
    std::map<int, QAction*> actions_;
};
