#pragma once
// "印刷(&P)..." and "印刷プレビュー(&V)": the platform's print dialog and a
// print preview. The page follows the drawing's paper (A4 to A0, landscape
// or portrait), the drawing is fitted to it on white paper.
class QPrinter;
class QWidget;

namespace zov {
class DrawingView;
class ViewerShell;
}  // namespace zov

// Sets the printer's resolution for the drawing pass and its page to the
// drawing's paper.
void configure_printer(QPrinter& printer, const zov::DrawingView& view);

// Shows the print dialog and prints when it is accepted; true when printed.
bool print_with_dialog(QWidget* parent, zov::DrawingView& view, zov::ViewerShell& shell);

// Shows the print preview, from which the user may print too.
void show_print_preview(QWidget* parent, zov::DrawingView& view, zov::ViewerShell& shell);
