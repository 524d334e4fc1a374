#include "viewer_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

#include "about_dialog.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/paths.h"
#include "drawing_widget.h"
#include "history_dialog.h"
#include "qt_messages.h"
#include "store/records.h"
#include "toolbar_icons.h"
#include "viewer/dxf_save.h"
#include "viewer/first_repaint.h"
#include "viewer/help_drawing.h"
#include "viewer/open_commands.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_commands.h"

namespace {

constexpr char kTitleSuffix[] = " - ZovView";

struct FilterCommand {
    int id;
    zov::LayerFilter filter;
};
constexpr FilterCommand kFilterCommands[] = {
    {zov::kCmdVisibleLayers, zov::LayerFilter::Visible},
    {zov::kCmdAllLayers, zov::LayerFilter::All},
    {zov::kCmdHiddenLayers, zov::LayerFilter::Hidden},
    {zov::kCmdLockedLayers, zov::LayerFilter::Locked},
};

struct DimensionCommand {
    int id;
    zov::DimensionEnds ends;
};
constexpr DimensionCommand kDimensionCommands[] = {
    {zov::kCmdDimensionAsData, zov::DimensionEnds::AsData},
    {zov::kCmdDimensionDots, zov::DimensionEnds::FilledDots},
    {zov::kCmdDimensionArrows, zov::DimensionEnds::OpenArrows},
    {zov::kCmdDimensionFilledArrows, zov::DimensionEnds::FilledArrows},
};

}  // namespace

ViewerWindow::ViewerWindow(const std::string& program_folder, ViewerServices services,
                           std::vector<std::string> start_command_line)
    : shell_(program_folder, services.messages, services.clock, services.file_dialog),
      view_(shell_.program_folder, services.messages),
      drawing_(new DrawingWidget(shell_, view_, this)) {
    zov::load_settings(shell_);
    shell_.state.start_command_line = std::move(start_command_line);
    setWindowIcon(program_icon());
    setCentralWidget(drawing_);
    build_menus();
    build_toolbar();
    // Alt+F4 ends the program even where no window manager offers it.
    auto* exit_keys = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(exit_keys, &QShortcut::activated, this, &QWidget::close);
    drawing_->on_repainted = [this] {
        update_title();
        update_checks();
    };
    drawing_->setFocus();
    update_title();
    update_checks();
}

ViewerWindow::~ViewerWindow() = default;

QAction* ViewerWindow::make_action(int id) {
    if (auto found = actions_.find(id); found != actions_.end()) return found->second;
    const zov::ViewerCommand& command = zov::viewer_command(id);
    auto* action = new QAction(QString::fromUtf8(command.menu_text), this);
    action->setObjectName(QString::number(id));
    action->setToolTip(QString::fromStdString(zov::tool_tip(command)));
    action->setStatusTip(QString::fromStdString(zov::status_prompt(command)));
    action->setEnabled(command.enabled);
    action->setIcon(command_icon(id));
    action->setIconVisibleInMenu(false);
    connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
    actions_[id] = action;
    return action;
}

QAction* ViewerWindow::action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void ViewerWindow::build_menus() {
    for (const zov::ViewerMenu& entry : zov::viewer_menus()) {
        if (entry.command != 0) {
            // A command on the menu bar itself shows its text, not the
            // toolbar's icon.
            const zov::ViewerCommand& command = zov::viewer_command(entry.command);
            QAction* item = menuBar()->addAction(QString::fromUtf8(command.menu_text));
            item->setObjectName(QString("menu_%1").arg(entry.command));
            const int id = entry.command;
            connect(item, &QAction::triggered, this, [this, id] { run_command(id); });
            continue;
        }
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entry.title));
        for (const int id : entry.items) {
            if (id == zov::kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(make_action(id));
            }
        }
    }
}

void ViewerWindow::build_toolbar() {
    QToolBar* toolbar = addToolBar("ZovView");
    toolbar->setObjectName("toolbar");
    toolbar->setMovable(true);
    toolbar->setFloatable(true);
    toolbar->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, toolbar);
    for (const int id : zov::viewer_toolbar()) {
        if (id == zov::kSeparator) {
            toolbar->addSeparator();
        } else {
            toolbar->addAction(make_action(id));
        }
    }
}

void ViewerWindow::run_command(int id) {
    switch (id) {
        case zov::kCmdOpenJwc:
        case zov::kCmdOpenDxf:
        case zov::kCmdOpenDwg: {
            shell_.state.current_file_label.clear();
            {
                WaitCursor wait;
                if (id == zov::kCmdOpenJwc) zov::open_jwc_command(shell_);
                if (id == zov::kCmdOpenDxf) zov::open_dxf_command(shell_);
                if (id == zov::kCmdOpenDwg) zov::open_dwg_command(shell_);
            }
            after_open();
            break;
        }
        case zov::kCmdOpenHistory: show_history_dialog(); break;
        case zov::kCmdExit: close(); break;
        case zov::kCmdStandardDisplay:
            if (view_.show_standard_display()) drawing_->redraw();
            break;
        case zov::kCmdLayerThumbnails: {
            bool shown = false;
            {
                WaitCursor wait;
                shown = view_.show_layer_sheet();
            }
            if (shown) drawing_->redraw();
            break;
        }
        case zov::kCmdZoom: drawing_->show_gesture(view_.gesture.enter_zoom_mode()); break;
        case zov::kCmdShowHelp: show_help_drawing(); break;
        case zov::kCmdAbout: {
            AboutDialog about(this);
            about.exec();
            break;
        }
        case zov::kCmdSaveDxf: save_shown_drawing_as_dxf(); break;
        default:
            for (const FilterCommand& command : kFilterCommands) {
                if (command.id == id && view_.set_layer_filter(command.filter)) drawing_->redraw();
            }
            for (const DimensionCommand& command : kDimensionCommands) {
                if (command.id == id && view_.set_dimension_ends(command.ends)) drawing_->redraw();
            }
            break;
    }
    update_checks();
}

void ViewerWindow::after_open() {
    const std::string& loaded = shell_.state.current_file_label;
    if (!loaded.empty()) drawing_->drawing_replaced(zov::has_extension(loaded, ".dwg"));
    view_.show_standard_display();
    drawing_->redraw();
}

void ViewerWindow::show_history_dialog() {
    shell_.state.current_file_label.clear();
    HistoryDialog dialog(shell_, this);
    if (dialog.exec() != QDialog::Accepted) shell_.state.current_file_label.clear();
    after_open();
}

void ViewerWindow::show_help_drawing() {
    zov::copy_help_drawing(shell_);
    drawing_->drawing_replaced(false);
    view_.show_standard_display();
    drawing_->redraw();
}

void ViewerWindow::save_shown_drawing_as_dxf() {
    const std::string source = zov::cp932_to_utf8(zov::fixed_text(view_.header().fname));
    const char* store = view_.settings.style == zov::DisplayStyle::LayerSheet
                            ? zov::kLayerSheetFileName
                            : zov::kDataFileName;
    zov::save_shown_drawing_as_dxf(shell_, source, [&]() -> std::optional<std::string> {
        WaitCursor wait;
        if (zov::export_dxf(dxf_handles_, shell_.program_folder, store, shell_.messages) != 0)
            return std::nullopt;
        return shell_.path(zov::kDxfOutputFileName);
    });
}

void ViewerWindow::update_checks() {
    const zov::DisplaySettings& settings = view_.settings;
    auto check = [this](int id, bool on) {
        QAction* item = action(id);
        // Only a checked item is checkable: the others show no mark at all.
        item->setCheckable(on);
        item->setChecked(on);
    };
    check(zov::kCmdStandardDisplay, settings.style == zov::DisplayStyle::Standard);
    check(zov::kCmdLayerThumbnails, settings.style == zov::DisplayStyle::LayerSheet);
    for (const FilterCommand& command : kFilterCommands) {
        // The locked-only filter never shows its check mark.
        if (command.id != zov::kCmdLockedLayers) check(command.id, settings.filter == command.filter);
    }
    for (const DimensionCommand& command : kDimensionCommands)
        check(command.id, settings.dimension_ends == command.ends);
}

void ViewerWindow::update_title() {
    setWindowTitle(screen_text(zov::window_title(shell_.state, view_.header())) + kTitleSuffix);
}
