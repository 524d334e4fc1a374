#include "viewer_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "about_dialog.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/paths.h"
#include "drawing_widget.h"
#include "dropped_files.h"
#include "history_dialog.h"
#include "print_commands.h"
#include "qt_messages.h"
#include "store/records.h"
#include "toolbar_icons.h"
#include "view/filter_hint.h"
#include "viewer/converter.h"
#include "viewer/dxf_save.h"
#include "viewer/first_repaint.h"
#include "viewer/help_drawing.h"
#include "viewer/load_drawing.h"
#include "viewer/open_commands.h"
#include "viewer/program_folder.h"
#include "viewer/settings_file.h"
#include "viewer/store_stamp.h"
#include "viewer/viewer_commands.h"

namespace {

constexpr char kTitleSuffix[] = " - ZovView";

// Commands that would start another load or use the shell, off while a load
// runs.
constexpr int kCommandsOffWhileLoading[] = {
    zov::kCmdOpenJwc,     zov::kCmdOpenDxf,  zov::kCmdOpenDwg,
    zov::kCmdOpenHistory, zov::kCmdShowHelp, zov::kCmdSaveDxf,
    zov::kCmdSaveFullDxf, zov::kCmdPrint,    zov::kCmdPrintPreview,
};

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
                           std::vector<std::string> start_command_line,
                           const std::string& store_folder)
    : messages_(services.messages),
      file_dialog_(services.file_dialog),
      shell_(program_folder, messages_, services.clock, file_dialog_, store_folder),
      loads_(shell_),
      view_(shell_.store_folder, services.messages),
      drawing_(new DrawingWidget(shell_, view_, loads_, this)),
      filter_hint_(new QLabel(drawing_)) {
    zov::load_settings(shell_);
    shell_.state.bundled_converter_folder = zov::find_bundled_converter(zov::executable_folder());
    shell_.state.start_command_line = std::move(start_command_line);
    setWindowIcon(program_icon());
    setAcceptDrops(true);
    setCentralWidget(drawing_);
    build_menus();
    build_toolbar();
    filter_hint_->setObjectName("filter_hint");
    filter_hint_->setAttribute(Qt::WA_TransparentForMouseEvents);
    filter_hint_->setStyleSheet("QLabel { background: #404040; color: white; padding: 2px 6px; }");
    filter_hint_->hide();
    // Alt+F4 ends the program even where no window manager offers it.
    auto* exit_keys = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(exit_keys, &QShortcut::activated, this, &QWidget::close);
    drawing_->on_repainted = [this] {
        update_title();
        update_checks();
        update_filter_hint();
    };
    loads_.on_running_changed = [this](bool running) {
        for (const int id : kCommandsOffWhileLoading) {
            if (QAction* item = action(id))
                item->setEnabled(!running && zov::viewer_command(id).enabled);
        }
        // Closed during the load: the window goes now that it has ended.
        if (!running && close_after_load_) QTimer::singleShot(0, this, &QWidget::close);
    };
    drawing_->setFocus();
    update_title();
    update_checks();
}

// The pass running reads the view, which goes before the view's widget.
ViewerWindow::~ViewerWindow() { drawing_->stop_pass(); }

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
    // The save button's option: the whole drawing, texts and blocks too.
    if (auto* save =
            qobject_cast<QToolButton*>(toolbar->widgetForAction(action(zov::kCmdSaveDxf)))) {
        auto* options = new QMenu(save);
        options->addAction(make_action(zov::kCmdSaveFullDxf));
        save->setMenu(options);
        save->setPopupMode(QToolButton::MenuButtonPopup);
    }
}

void ViewerWindow::run_command(int id) {
    // A command may use the view's store or draw on its picture: the pass
    // running stops, and is drawn again afterwards unless the command drew.
    const bool pass_stopped = drawing_->pass_running();
    drawing_->stop_pass();
    switch (id) {
        case zov::kCmdOpenJwc:
        case zov::kCmdOpenDxf:
        case zov::kCmdOpenDwg:
            show_what_opens([this, id] {
                WaitCursor wait;
                loads_.run(*this, [this, id] {
                    if (id == zov::kCmdOpenJwc) zov::open_jwc_command(shell_);
                    if (id == zov::kCmdOpenDxf) zov::open_dxf_command(shell_);
                    if (id == zov::kCmdOpenDwg) zov::open_dwg_command(shell_);
                });
            });
            break;
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
        case zov::kCmdSaveDxf: save_shown_drawing_as_dxf(zov::DxfContent::Curves); break;
        case zov::kCmdSaveFullDxf: save_shown_drawing_as_dxf(zov::DxfContent::Full); break;
        case zov::kCmdPrint: print_with_dialog(this, view_, shell_); break;
        case zov::kCmdPrintPreview: show_print_preview(this, view_, shell_); break;
        default:
            for (const FilterCommand& command : kFilterCommands) {
                if (command.id == id && view_.set_layer_filter(command.filter)) drawing_->redraw();
            }
            for (const DimensionCommand& command : kDimensionCommands) {
                if (command.id == id && view_.set_dimension_ends(command.ends)) drawing_->redraw();
            }
            break;
    }
    if (pass_stopped && !drawing_->pass_running()) drawing_->redraw();
    update_checks();
}

void ViewerWindow::show_what_opens(const std::function<void()>& open) {
    if (loads_.running()) return;
    shell_.state.current_file_label.clear();
    const std::string store = shell_.store_path(zov::kDataFileName);
    const zov::StoreStamp before = zov::store_stamp(store);
    open();
    std::optional<zov::DrawingExtents> fit = loads_.take_store_fit();
    const std::string& loaded = shell_.state.current_file_label;
    if (!loaded.empty() && zov::store_stamp(store) != before)
        drawing_->drawing_replaced(zov::has_extension(loaded, ".dwg"), std::move(fit));
    view_.show_standard_display();
    drawing_->redraw();
}

void ViewerWindow::show_history_dialog() {
    show_what_opens([this] {
        HistoryDialog dialog(shell_, loads_, this);
        if (dialog.exec() != QDialog::Accepted) shell_.state.current_file_label.clear();
    });
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    if (!loads_.running()) {
        QMainWindow::closeEvent(event);
        return;
    }
    loads_.cancel();
    close_after_load_ = true;
    event->ignore();
}

namespace {

std::optional<std::string> drawing_to_open(const QMimeData* data) {
    if (data == nullptr) return std::nullopt;
    std::vector<std::string> paths;
    for (const QString& file : dropped_files(*data)) paths.push_back(file.toStdString());
    return zov::dropped_drawing(paths);
}

}  // namespace

void ViewerWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!loads_.running() && drawing_to_open(event->mimeData())) event->acceptProposedAction();
}

void ViewerWindow::dropEvent(QDropEvent* event) {
    const std::optional<std::string> path = drawing_to_open(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    show_what_opens([this, &path] {
        WaitCursor wait;
        loads_.run(*this,
                   [this, &path] { zov::load_drawing(shell_, zov::SettingsFile::Rewrite, *path); });
    });
    update_checks();
}

void ViewerWindow::show_help_drawing() {
    zov::copy_help_drawing(shell_);
    drawing_->drawing_replaced(false);
    view_.show_standard_display();
    drawing_->redraw();
}

void ViewerWindow::save_shown_drawing_as_dxf(zov::DxfContent content) {
    const std::string source = zov::cp932_to_utf8(zov::fixed_text(view_.header().fname));
    const char* store = view_.settings.style == zov::DisplayStyle::LayerSheet
                            ? zov::kLayerSheetFileName
                            : zov::kDataFileName;
    zov::save_shown_drawing_as_dxf(
        shell_, source, [&](zov::LossReport& left_out) -> std::optional<std::string> {
            WaitCursor wait;
            zov::DxfExportTally tally;
            if (!zov::export_dxf(dxf_handles_, shell_.store_folder, store, shell_.messages, content,
                                 &tally))
                return std::nullopt;
            left_out = tally.losses;
            return shell_.store_path(zov::kDxfOutputFileName);
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
        if (command.id != zov::kCmdLockedLayers)
            check(command.id, settings.filter == command.filter);
    }
    for (const DimensionCommand& command : kDimensionCommands)
        check(command.id, settings.dimension_ends == command.ends);
}

void ViewerWindow::update_filter_hint() {
    const bool blank = view_.settings.style == zov::DisplayStyle::Standard &&
                       zov::filter_hides_every_entity(shell_.store_path(zov::kDataFileName),
                                                      view_.settings.filter);
    filter_hint_->setText(blank ? screen_text(zov::kEverythingFilteredOut) : QString());
    filter_hint_->adjustSize();
    filter_hint_->move(0, drawing_->height() - filter_hint_->height());
    filter_hint_->setVisible(blank);
}

void ViewerWindow::update_title() {
    setWindowTitle(screen_text(zov::window_title(shell_.state, view_.header())) + kTitleSuffix);
}
