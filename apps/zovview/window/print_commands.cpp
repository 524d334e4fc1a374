#include "print_commands.h"

#include <algorithm>

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "standard_dialogs.h"
#include "surfaces/page_output.h"
#include "view/drawing_view.h"
#include "viewer/viewer_shell.h"

void configure_printer(QPrinter& printer, const zov::DrawingView& view) {
    printer.setResolution(zov::kPaperDotsPerInch);
    const zov::PageSize page = zov::page_size_of(view.header());
    const QSizeF portrait(std::min(page.width_mm, page.height_mm),
                          std::max(page.width_mm, page.height_mm));
    printer.setPageSize(QPageSize(portrait, QPageSize::Millimeter));
    printer.setPageOrientation(page.width_mm > page.height_mm ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("ZovView"));
}

bool print_with_dialog(QWidget* parent, zov::DrawingView& view, zov::ViewerShell& shell) {
    QPrinter printer(QPrinter::HighResolution);
    configure_printer(printer, view);
    QPrintDialog dialog(&printer, parent);
    give_room(dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    return zov::print_drawing(view, shell.store_folder, printer, shell.messages) == 0;
}

void show_print_preview(QWidget* parent, zov::DrawingView& view, zov::ViewerShell& shell) {
    QPrinter printer(QPrinter::HighResolution);
    configure_printer(printer, view);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&view, &shell](QPrinter* page) {
                         page->setResolution(zov::kPaperDotsPerInch);
                         zov::print_drawing(view, shell.store_folder, *page, shell.messages);
                     });
    give_room(preview);
    preview.exec();
}
