// Printing from the viewer window and the save button's full-export option.
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

#include "print_commands.h"
#include "viewer/viewer_commands.h"
#include "window_fixture.h"

namespace zov {
namespace {

TEST_F(WindowTest, PrintsTheDrawingOnItsPaperAndKeepsTheZoom) {
    start({kSamples + "jw/floor_plan.jwc"});
    key(Qt::Key_PageUp);
    const double zoom = window->view().view.view_scale;

    // The floor plan is on A3 landscape; the preview shows that page.
    QPageLayout previewed;
    when_open<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
        previewed = preview.printer()->pageLayout();
        preview.reject();
    });
    window->run_command(kCmdPrintPreview);
    EXPECT_EQ(previewed.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(previewed.pageSize().id(), QPageSize::A3);

    // The print dialog prints when it ends with OK (here to a PDF file, set
    // on its printer as the dialog would); cancelled, nothing.
    const std::string printed = files.file("printed.pdf");
    when_open<QPrintDialog>([&](QPrintDialog& print) {
        print.printer()->setOutputFormat(QPrinter::PdfFormat);
        print.printer()->setOutputFileName(QString::fromStdString(printed));
        print.done(QDialog::Accepted);
    });
    window->run_command(kCmdPrint);
    EXPECT_EQ(read_file_bytes(printed).rfind("%PDF-", 0), 0u);
    when_open<QPrintDialog>([](QPrintDialog& print) { print.reject(); });
    window->run_command(kCmdPrint);
    EXPECT_EQ(window->view().view.view_scale, zoom);
    EXPECT_TRUE(messages.entries.empty()) << last_message();
}

TEST_F(WindowTest, SaveButtonOffersTheFullDrawing) {
    start({kSamples + "jw/floor_plan.jwc"});
    auto* toolbar = window->findChild<QToolBar*>("toolbar");
    ASSERT_NE(toolbar, nullptr);
    auto* save = qobject_cast<QToolButton*>(toolbar->widgetForAction(window->action(kCmdSaveDxf)));
    ASSERT_NE(save, nullptr);
    ASSERT_NE(save->menu(), nullptr);
    ASSERT_EQ(save->menu()->actions().size(), 1);
    EXPECT_EQ(save->menu()->actions()[0], window->action(kCmdSaveFullDxf));

    dialog.answers = {files.file("full.DXF")};
    window->run_command(kCmdSaveFullDxf);
    const std::string saved = read_file_bytes(files.file("full.DXF"));
    EXPECT_NE(saved.find("0\r\nTEXT\r\n"), std::string::npos);
    EXPECT_NE(saved.find(utf8_to_cp932("居間")), std::string::npos);
    EXPECT_EQ(last_message(), "DXF Write");
}

}  // namespace
}  // namespace zov
