#pragma once
// The view of the main window: paints the drawing store through the
// renderer and turns keys, wheel and mouse into the view's navigation, the
// gesture and the layer sheet's toggles. Every pass is drawn into a backing
// image that the paint event only copies, so the picture never flickers and
// what the view draws at once or with XOR between passes (rubber band,
// status texts, toggled diagonals) lands on the same picture.
#include <functional>

#include <QImage>
#include <QWidget>

#include "render/surface.h"
#include "view/drawing_view.h"
#include "viewer/first_repaint.h"
#include "viewer/viewer_shell.h"

class BackgroundLoads;

class DrawingWidget : public QWidget {
public:
    // The start file is loaded through `loads`; no pass is drawn while they run.
    DrawingWidget(zov::ViewerShell& shell, zov::DrawingView& view, BackgroundLoads& loads,
                  QWidget* parent = nullptr);

    // One full pass into the backing image, shown at once; afterwards the
    // converter may run again for the next open and `on_repainted` runs.
    void redraw();
    // The store was replaced (load or help drawing): the next pass reopens
    // and fits it. `from_dwg`: the drawing came through the DWG converter.
    void drawing_replaced(bool from_dwg);
    // The start: command line, start screen, help drawing or start file.
    // Runs once, from the first paint, or earlier when called.
    void run_first_repaint();
    bool first_repaint_done() const { return first_repaint_done_; }

    // Draws a gesture's response (rubber band, status text, cursor, beep).
    void show_gesture(const zov::GestureResponse& response);

    // The picture as it stands.
    const QImage& picture() const { return backing_; }

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
    void finish_first_repaint();

    zov::ViewerShell& shell_;
    zov::DrawingView& view_;
    BackgroundLoads& loads_;
    QImage backing_;
    bool pass_due_ = true;  // the backing image does not show the store yet
    bool first_repaint_started_ = false;
    bool first_repaint_done_ = false;
};
