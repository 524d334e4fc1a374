#include "drawing_widget.h"

#include <cmath>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include "background_load.h"
#include "common/paths.h"
#include "qt_messages.h"
#include "surfaces/band_picture.h"
#include "surfaces/qt_surface.h"
#include "toolbar_icons.h"
#include "view/pass_preview.h"
#include "viewer/help_drawing.h"
#include "viewer/store_stamp.h"

namespace {

constexpr zov::Rgb kSplashGrey{192, 192, 192};
constexpr zov::Rgb kSplashText{0, 0, 0};

std::optional<zov::MouseButton> gesture_button(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return zov::MouseButton::Left;
    if (button == Qt::RightButton) return zov::MouseButton::Right;
    return std::nullopt;
}

// Draws on `picture` through the Qt surface. One-pixel lines go straight
// into the picture's pixels: a pass of a drawing that changes colour at
// every entity costs no pen changes.
void draw_on(QImage& picture, const std::function<void(zov::Surface&)>& draw) {
    zov::CosmeticLines direct_lines(zov::image_pixels(picture));
    QPainter painter(&picture);
    zov::QtSurface surface(painter, picture.width(), picture.height(), &direct_lines);
    draw(surface);
}

}  // namespace

DrawingWidget::DrawingWidget(zov::ViewerShell& shell, zov::DrawingView& view,
                             BackgroundLoads& loads, QWidget* parent)
    : QWidget(parent), shell_(shell), view_(view), loads_(loads) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    fit_backing_to_widget();
}

void DrawingWidget::fit_backing_to_widget() {
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (backing_.size() == wanted) return;
    // What was shown stays where it was until the next pass is drawn.
    QImage resized(wanted, QImage::Format_RGB32);
    resized.fill(Qt::black);
    if (!backing_.isNull()) QPainter(&resized).drawImage(0, 0, backing_);
    backing_ = std::move(resized);
    pass_due_ = true;
}

void DrawingWidget::paint_backing(const std::function<void(zov::Surface&)>& draw) {
    finish_pass();
    draw_on(backing_, draw);
    update();
}

void DrawingWidget::redraw() {
    fit_backing_to_widget();
    stop_pass();
    pass_due_ = false;
    if (std::optional<zov::PassPlan> plan = view_.plan_pass(backing_.width(), backing_.height())) {
        show_preview(plan->view);
        pass_view_.emplace(plan->view);
        // In bands on as many threads, as --render draws its pictures,
        // unless few entities are in view.
        const int bands =
            view_.bands_worth(*plan, zov::band_count(backing_.width(), backing_.height()));
        pass_.start([this, bands, plan = std::move(*plan)](const std::atomic<bool>& stop) {
            return zov::draw_planned_picture(view_, plan, bands, &stop);
        });
    }
    // The shell is the load's while one runs.
    if (loads_.running()) return;
    shell_.state.converter_ran = false;
    if (on_repainted) on_repainted();
}

void DrawingWidget::show_preview(const zov::ViewWindow& wanted) {
    if (!shown_view_) return;
    const zov::PreviewMapping mapping = zov::preview_mapping(*shown_view_, wanted);
    shown_view_.emplace(wanted);
    if (mapping.scale == 1.0 && mapping.dx == 0.0 && mapping.dy == 0.0) return;
    if (!std::isfinite(mapping.scale) || !std::isfinite(mapping.dx) || !std::isfinite(mapping.dy) ||
        mapping.scale <= 0.0)
        return;
    QImage preview(backing_.size(), QImage::Format_RGB32);
    preview.fill(Qt::black);
    {
        QPainter painter(&preview);
        painter.setTransform(
            QTransform(mapping.scale, 0, 0, mapping.scale, mapping.dx, mapping.dy));
        painter.drawImage(0, 0, backing_);
    }
    backing_ = std::move(preview);
    update();
}

void DrawingWidget::show_pass(const QImage& picture) {
    if (picture.size() == backing_.size()) {
        backing_ = picture;
        shown_view_.reset();
        if (pass_view_) shown_view_.emplace(*pass_view_);
    }
    update();
}

void DrawingWidget::drawing_replaced(bool from_dwg, std::optional<zov::DrawingExtents> fit) {
    // The picture shown is of another drawing: nothing to move or scale.
    shown_view_.reset();
    view_.drawing_loaded(std::move(fit));
    view_.source_was_dwg = from_dwg;
}

void DrawingWidget::run_first_repaint() {
    if (first_repaint_started_) return;
    first_repaint_started_ = true;
    const zov::Splash splash = zov::prepare_first_repaint(shell_);
    if (splash.shown) show_splash(splash);
    if (splash.pause_one_second) {
        QTimer::singleShot(splash_pause_ms, this, [this] { finish_first_repaint(); });
        return;
    }
    finish_first_repaint();
}

void DrawingWidget::show_splash(const zov::Splash& splash) {
    fit_backing_to_widget();
    paint_backing([&](zov::Surface& surface) {
        surface.fill_rect(0, 0, surface.width(), surface.height(), kSplashGrey);
        surface.set_text_colour(kSplashText);
        for (const zov::SplashText& line : splash.texts) {
            if (surface.select_font({zov::kGothicFace, line.height, 0, 400}))
                surface.text_out(line.x, line.y, line.text);
        }
    });
    pass_due_ = false;
    repaint();
}

void DrawingWidget::finish_first_repaint() {
    const std::string start_file = shell_.state.start_file;
    const std::string store = shell_.store_path(zov::kDataFileName);
    const zov::StoreStamp before = zov::store_stamp(store);
    {
        WaitCursor wait;
        loads_.run(*this, [this] { zov::finish_first_repaint(shell_); });
    }
    // The start screen put the help drawing into the store; a start file
    // that failed to convert leaves it there, titled as the help drawing.
    drawing_replaced(zov::store_stamp(store) != before && zov::has_extension(start_file, ".dwg"),
                     loads_.take_store_fit());
    first_repaint_done_ = true;
    redraw();
}

void DrawingWidget::show_gesture(const zov::GestureResponse& response) {
    if (response.beep) QApplication::beep();
    if (response.capture) setCursor(zoom_cursor());
    if (response.release_capture) unsetCursor();
    if (response.redraw) {
        redraw();
        return;
    }
    paint_backing([&](zov::Surface& surface) { zov::draw_gesture_response(surface, response); });
}

void DrawingWidget::paintEvent(QPaintEvent*) {
    // A load writes a new store beside the one drawn: that one stays whole.
    if (!first_repaint_started_ && zov::first_repaint_due(shell_.state)) {
        // The start may show message boxes and load a drawing: not inside a paint.
        QTimer::singleShot(0, this, [this] { run_first_repaint(); });
    } else if (pass_due_ && first_repaint_done_) {
        redraw();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, backing_);
}

void DrawingWidget::resizeEvent(QResizeEvent*) { fit_backing_to_widget(); }

void DrawingWidget::keyPressEvent(QKeyEvent* event) {
    zov::ViewWindow& window = view_.view;
    switch (event->key()) {
        case Qt::Key_PageUp: window.zoom_in(); break;
        case Qt::Key_PageDown: window.zoom_out(); break;
        case Qt::Key_Left: window.pan(zov::PanDirection::Left); break;
        case Qt::Key_Right: window.pan(zov::PanDirection::Right); break;
        case Qt::Key_Up: window.pan(zov::PanDirection::Up); break;
        case Qt::Key_Down: window.pan(zov::PanDirection::Down); break;
        default: QWidget::keyPressEvent(event); return;
    }
    redraw();
}

void DrawingWidget::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    if (steps > 0) {
        view_.view.zoom_in();
    } else {
        view_.view.zoom_out();
    }
    redraw();
}

void DrawingWidget::mousePressEvent(QMouseEvent* event) {
    const std::optional<zov::MouseButton> button = gesture_button(event->button());
    if (!button) return;
    if (*button == zov::MouseButton::Left && (event->modifiers() & Qt::ShiftModifier) &&
        !loads_.running()) {
        zov::maintenance_copy(shell_);
        // The question's box took the button's release: the press ends here,
        // so the gesture does not believe the button still held.
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) return;
    }
    const QPoint at = event->position().toPoint();
    show_gesture(view_.gesture.press(*button, at.x(), at.y()));
}

void DrawingWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!view_.gesture.active()) return;
    const QPoint at = event->position().toPoint();
    show_gesture(view_.gesture.move(at.x(), at.y()));
}

void DrawingWidget::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<zov::MouseButton> button = gesture_button(event->button());
    if (!button) return;
    const QPoint at = event->position().toPoint();
    finish_pass();  // a layer toggle writes through the pass's streams
    const zov::ReleaseResponse response = view_.mouse_release(*button, at.x(), at.y());
    show_gesture(response.gesture);
    if (response.toggle && !response.gesture.redraw) {
        paint_backing([&](zov::Surface& surface) {
            view_.draw_release(surface, {zov::GestureResponse{}, response.toggle});
        });
    }
}
