#pragma once
// The view of the main window: paints the drawing store through the
// renderer and turns keys, wheel and mouse into the view's navigation, the
// gesture and the layer sheet's toggles. Every pass is drawn on a thread of
// its own, in bands on as many threads as --render draws them, into a
// picture that becomes the backing image once drawn whole;
// the paint event only copies the backing image, so the picture never
// flickers and what the view draws at once or with XOR between passes
// (rubber band, status texts, toggled diagonals) lands on the same picture.
// Until a pass of a new view is drawn, the picture before shows, moved and
// scaled to the new view; a newer zoom or pan stops a pass still running.
#include <functional>
#include <optional>

#include <QImage>
#include <QWidget>

#include "background_pass.h"
#include "render/surface.h"
#include "render/view_window.h"
#include "view/drawing_view.h"
#include "viewer/first_repaint.h"
#include "viewer/viewer_shell.h"

class BackgroundLoads;

class DrawingWidget : public QWidget {
public:
    // The start file is loaded through `loads`; no pass is drawn while they run.
    DrawingWidget(zov::ViewerShell& shell, zov::DrawingView& view, BackgroundLoads& loads,
                  QWidget* parent = nullptr);

    // Starts a full pass of the view as it stands (the preview shows until
    // it is drawn); afterwards the converter may run again for the next
    // open and `on_repainted` runs (not while a load runs).
    void redraw();
    // Waits for the pass running, if any, and shows it: before anything
    // else uses the view's store or draws on the picture.
    void finish_pass() { pass_.finish(); }
    // Stops the pass running, if any, and drops it.
    void stop_pass() { pass_.stop(); }
    bool pass_running() const { return pass_.running(); }
    // The store was replaced (load or help drawing): the next pass reopens
    // and fits it (to `fit` when given). `from_dwg`: the drawing came
    // through the DWG converter.
    void drawing_replaced(bool from_dwg, std::optional<zov::DrawingExtents> fit = std::nullopt);
    // The start: command line, start screen, help drawing or start file.
    // Runs once, from the first paint, or earlier when called.
    void run_first_repaint();
    bool first_repaint_done() const { return first_repaint_done_; }

    // Draws a gesture's response (rubber band, status text, cursor, beep).
    void show_gesture(const zov::GestureResponse& response);

    // The picture once the pass running has been drawn.
    const QImage& picture() {
        finish_pass();
        return backing_;
    }

    std::function<void()> on_repainted;
    int splash_pause_ms = 1000;  // the start screen's wait without a start file

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fit_backing_to_widget();
    // Draws on the backing image through the surface and shows the result.
    void paint_backing(const std::function<void(zov::Surface&)>& draw);
    void show_splash(const zov::Splash& splash);
    // The picture shown, moved and scaled from the view it was drawn in to
    // `wanted`.
    void show_preview(const zov::ViewWindow& wanted);
    void show_pass(const QImage& picture);
    void finish_first_repaint();

    zov::ViewerShell& shell_;
    zov::DrawingView& view_;
    BackgroundLoads& loads_;
    QImage backing_;
    BackgroundPass pass_{*this, [this](const QImage& picture) { show_pass(picture); }};
    // The view the backing image shows, and that of the pass running.
    std::optional<zov::ViewWindow> shown_view_;
    std::optional<zov::ViewWindow> pass_view_;
    bool pass_due_ = true;  // the backing image does not show the store yet
    bool first_repaint_started_ = false;
    bool first_repaint_done_ = false;
};
