#include <QImage>
#include <QPrinter>
#include <QXmlStreamReader>

#include "common/cp932.h"
#include "common/encoding.h"
#include "fixtures/temp_folder.h"
#include "gui_application.h"
#include "render/colours.h"
#include "render/recording_surface.h"
#include "render/render_fixture.h"
#include "render/white_paper_surface.h"
#include "surfaces/page_output.h"

namespace zov {
namespace {

TEST(WhitePaper, DarkLinesOnWhite) {
    EXPECT_EQ(white_paper_fill(kBlack), kWhite);
    EXPECT_EQ(on_white_paper(kWhite), kBlack);
    EXPECT_EQ(on_white_paper(kBlack), kBlack);  // a black pen stays visible
    EXPECT_EQ(on_white_paper(kGrey), kGrey);
    EXPECT_EQ(on_white_paper(kRed), kRed);
    // Yellow and cyan keep their hue, darkened until they read on white.
    const Rgb yellow = on_white_paper({255, 255, 0});
    EXPECT_EQ(yellow.r, yellow.g);
    EXPECT_EQ(yellow.b, 0);
    EXPECT_LE((299 * yellow.r + 587 * yellow.g) / 1000, 140);
    const Rgb cyan = on_white_paper({0, 255, 255});
    EXPECT_EQ(cyan.r, 0);
    EXPECT_LT(cyan.g, 255);
}

TEST(WhitePaper, SurfaceTurnsFillsAndFilledShapesForPaper) {
    RecordingSurface paper(10, 10);
    WhitePaperSurface white(paper);
    white.fill_rect(0, 0, 10, 10, kBlack);
    const PixelPoint triangle[] = {{0, 0}, {9, 0}, {0, 9}};
    white.fill_polygon(triangle, kWhite);
    white.fill_polygon(triangle, kRed);
    ASSERT_EQ(paper.calls.size(), 3u);
    EXPECT_EQ(paper.calls[0], "fill 0,0,10,10 255,255,255");
    EXPECT_EQ(paper.calls[1], "polygon 0,0 9,0 0,9 0,0,0");  // a white solid reads on paper
    EXPECT_EQ(paper.calls[2], "polygon 0,0 9,0 0,9 255,0,0");
}

TEST(PageSizes, FromTheDrawingsPaperAndFromTheCommandLine) {
    StoreHeader header;
    EXPECT_EQ(page_size_of(header), (PageSize{420, 297}));  // DXF: no paper
    header.paper_x = 841;
    header.paper_y = 594;
    EXPECT_EQ(page_size_of(header), (PageSize{841, 594}));
    header.paper_x = 297;
    header.paper_y = 210;
    EXPECT_EQ(page_size_of(header), (PageSize{297, 210}));
    header.paper_x = 2378;  // 3A and larger print on A0
    header.paper_y = 1682;
    EXPECT_EQ(page_size_of(header), (PageSize{1189, 841}));
    header.paper_x = 100;  // smaller than A4: the default page
    header.paper_y = 50;
    EXPECT_EQ(page_size_of(header), (PageSize{420, 297}));

    PageSize page;
    ASSERT_TRUE(parse_page_size("A4", page));
    EXPECT_EQ(page, (PageSize{297, 210}));
    ASSERT_TRUE(parse_page_size("a0p", page));
    EXPECT_EQ(page, (PageSize{841, 1189}));
    ASSERT_TRUE(parse_page_size("300x200.5", page));
    EXPECT_EQ(page, (PageSize{300, 200.5}));
    for (const char* bad : {"A5", "A3x", "5x5", "300x", "9000x200", "x", "", "nanxnan"})
        EXPECT_FALSE(parse_page_size(bad, page)) << bad;
}

class PageOutput : public RenderTest {
protected:
    void SetUp() override {
        ensure_gui_application();
        // A white (colour 7) diagonal across the whole drawing and a room name.
        const std::int16_t layer = store().add_layer("A");
        EntityRecord line = line_record(layer, 0, 0, 100, 100);
        line.colour = 7;
        store().add_entity(line);
        add_text(layer, 40, 50, 10, utf8_to_cp932("居間"));
        store().header().kind = kSourceDxf;
        finish_store();
    }
    TempFolder out;
};

TEST_F(PageOutput, PdfAndSvgHoldTheDrawingWithItsTexts) {
    const PageSize a4{297, 210};
    ASSERT_EQ(write_pdf(view(), out.file("x.pdf"), a4, Paper::White, messages_), 0);
    const std::string pdf = read_file_bytes(out.file("x.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);

    DrawingView fresh(folder_.string(), messages_);
    ASSERT_EQ(write_svg(fresh, out.file("x.svg"), a4, Paper::Black, messages_), 0);
    QXmlStreamReader svg(QByteArray::fromStdString(read_file_bytes(out.file("x.svg"))));
    QStringList texts;
    QString width;
    while (!svg.atEnd()) {
        svg.readNext();
        if (svg.isStartElement() && svg.name() == QLatin1String("svg"))
            width = svg.attributes().value("width").toString();
        if (svg.isStartElement() && svg.name() == QLatin1String("text"))
            texts << svg.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_TRUE(width.startsWith("29")) << width.toStdString();  // 297 mm, to a pixel
    EXPECT_TRUE(texts.contains(QStringLiteral("居間"))) << texts.join('|').toStdString();
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(PageOutput, UnwritableOutputIsReportedAndLeavesNoFile) {
    const std::string path = out.file("missing/x.pdf");
    EXPECT_EQ(write_pdf(view(), path, PageSize{}, Paper::Black, messages_), -1);
    EXPECT_EQ(cp932_to_utf8(messages_.last()), path + " を作成できない");
    EXPECT_EQ(write_svg(view(), out.file("missing/x.svg"), PageSize{}, Paper::Black, messages_),
              -1);
    EXPECT_FALSE(std::filesystem::exists(out.file("missing")));
}

TEST_F(PageOutput, ExistingOutputIsReplacedOnlyWhenAllowed) {
    const std::string pdf = out.file("x.pdf");
    const std::string svg = out.file("x.svg");
    ASSERT_TRUE(write_whole_file(pdf, "kept"));
    ASSERT_TRUE(write_whole_file(svg, "kept"));
    EXPECT_EQ(write_pdf(view(), pdf, PageSize{}, Paper::Black, messages_, ExistingTarget::Keep),
              -1);
    EXPECT_EQ(write_svg(view(), svg, PageSize{}, Paper::Black, messages_, ExistingTarget::Keep),
              -1);
    EXPECT_EQ(read_file_bytes(pdf), "kept");
    EXPECT_EQ(read_file_bytes(svg), "kept");
    EXPECT_EQ(write_pdf(view(), pdf, PageSize{}, Paper::Black, messages_), 0);
    EXPECT_EQ(read_file_bytes(pdf).rfind("%PDF-", 0), 0u);
}

TEST_F(PageOutput, PrintingFitsTheDrawingOnWhitePaperAndKeepsTheWindowsZoom) {
    // The window shows a zoomed part of the drawing.
    RecordingSurface window(200, 150);
    ASSERT_EQ(view().draw_drawing(window), 0);
    view().view.set_view_window(10, 10, 20, 20);
    const double zoom = view().view.view_scale;

    QImage page(400, 300, QImage::Format_RGB32);
    page.fill(Qt::black);
    ASSERT_EQ(print_drawing(view(), folder_.string(), page, messages_), 0);
    EXPECT_EQ(view().view.view_scale, zoom);
    EXPECT_EQ(page.pixelColor(2, 2), QColor(Qt::white));
    // The whole drawing is fitted to the page with a small margin: the black
    // diagonal comes near its top and bottom rows without touching them.
    auto black_in_rows = [&page](int from, int to) {
        int black = 0;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < page.width(); ++x)
                black += page.pixelColor(x, y) == QColor(Qt::black);
        return black;
    };
    EXPECT_EQ(black_in_rows(0, 2) + black_in_rows(298, 300), 0);
    EXPECT_GT(black_in_rows(2, 15), 0);
    EXPECT_GT(black_in_rows(285, 298), 0);

    // A printer in PDF mode takes the same pass.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(out.file("printed.pdf")));
    printer.setResolution(kPaperDotsPerInch);
    ASSERT_EQ(print_drawing(view(), folder_.string(), printer, messages_), 0);
    EXPECT_EQ(read_file_bytes(out.file("printed.pdf")).rfind("%PDF-", 0), 0u);
}

}  // namespace
}  // namespace zov
