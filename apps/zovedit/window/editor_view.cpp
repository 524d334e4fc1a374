#include "editor_view.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace zovedit {

namespace {

const QColor kBookmarkBackground(0, 255, 255);

}  // namespace

EditorView::EditorView(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setViewportMargins(0, 0, 0, 0);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void EditorView::flash_block(const QTextBlock& block) {
    flash_pending_ = block.blockNumber();
    viewport()->update();
}

void EditorView::wheelEvent(QWheelEvent* event) {
    QPlainTextEdit::wheelEvent(event);
    int turn = event->angleDelta().y();
    if (turn == 0) return;
    QScrollBar* bar = verticalScrollBar();
    // A turn towards the user (negative) goes towards the end.
    bar->setValue(bar->value() + (turn < 0 ? kWheelExtraLines : -kWheelExtraLines));
}

void EditorView::contextMenuEvent(QContextMenuEvent* event) {
    emit palette_requested(event->globalPos());
    event->accept();
}

void EditorView::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    last_flashed_ = -1;
    if (flash_pending_ < 0) return;
    QTextBlock block = document()->findBlockByNumber(flash_pending_);
    flash_pending_ = -1;
    if (!block.isValid() || !block.isVisible()) return;
    QRectF line = blockBoundingGeometry(block).translated(contentOffset());
    QPainter painter(viewport());
    painter.setClipRect(viewport()->rect());
    painter.setFont(font());
    QTextLayout* layout = block.layout();
    QRectF text_rect(line.topLeft(), QSizeF(layout->boundingRect().width(), line.height()));
    painter.fillRect(text_rect, kBookmarkBackground);
    painter.setPen(palette().color(QPalette::Text));
    layout->draw(&painter, line.topLeft());
    last_flashed_ = block.blockNumber();
}

}  // namespace zovedit
