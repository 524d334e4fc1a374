#pragma once
// The editor's text view: plain text with its control and stray bytes marked
// by their values, a wheel turn scrolls three more lines than the default, a
// right click asks for the command palette, and the bookmark line can be
// flashed once on a cyan background. Dropped files pass to the window.
#include <QPlainTextEdit>

namespace zovedit {

class EditorView : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kWheelExtraLines = 3;

    explicit EditorView(QWidget* parent = nullptr);

    // Draws the block's text once over itself on cyan; the next repaint
    // removes it.
    void flash_block(const QTextBlock& block);
    // The block flashed by the last paint, -1 when none was.
    int last_flashed_block() const { return last_flashed_; }

signals:
    // A right click at `global` (screen position) in the text.
    void palette_requested(QPoint global);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Dropped files are the window's to open, not text to insert.
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    void mark_bytes();

    int flash_pending_ = -1;
    int last_flashed_ = -1;
};

}  // namespace zovedit
