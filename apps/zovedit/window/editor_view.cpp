#include "editor_view.h"

#include <QContextMenuEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace zovedit {

namespace {

const QColor kBookmarkBackground(0, 255, 255);
const QColor kByteBackground(255, 236, 160);

// The byte a character of the text stands for when it stands for a control
// or stray byte (see the editor's text form), else -1; `length` is its
// length in UTF-16 units.
int shown_byte(const QString& text, int at, int& length) {
    char16_t c = text[at].unicode();
    length = 1;
    if (c >= 0x2400 && c < 0x2420) return c - 0x2400;
    if (c == 0x2421) return 0x7F;
    if (c == 0xDBBF && at + 1 < text.size()) {
        char16_t low = text[at + 1].unicode();
        if (low >= 0xDF00 && low <= 0xDFFF) {
            length = 2;
            return low - 0xDF00;
        }
    }
    return -1;
}

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

// The fonts have no pictures of control bytes, so every control or stray
// byte is marked with its value in hexadecimal on a pale background.
void EditorView::mark_bytes() {
    QPainter painter(viewport());
    QFont small = font();
    small.setPointSizeF(std::max(4.0, font().pointSizeF() * 0.6));
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::Text));
    const int bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > bottom) break;
        if (!block.isVisible()) continue;
        const QString text = block.text();
        QTextLayout* layout = block.layout();
        for (int at = 0; at < text.size();) {
            int length = 1;
            int byte = shown_byte(text, at, length);
            if (byte >= 0) {
                QTextLine line = layout->lineForTextPosition(at);
                if (line.isValid()) {
                    qreal left = line.cursorToX(at), right = line.cursorToX(at + length);
                    QRectF mark(box.left() + std::min(left, right), box.top() + line.y(),
                                std::abs(right - left), line.height());
                    painter.fillRect(mark, kByteBackground);
                    painter.drawText(
                        mark, Qt::AlignCenter,
                        QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
                }
            }
            at += length;
        }
    }
}

void EditorView::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    mark_bytes();
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

bool EditorView::canInsertFromMimeData(const QMimeData* source) const {
    return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

}  // namespace zovedit
