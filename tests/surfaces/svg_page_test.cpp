// The streamed SVG picture: what each painter operation writes, texts that
// keep the document well-formed, and a failed write that loses the picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QXmlStreamReader>

#include "common/encoding.h"
#include "common/messages.h"
#include "fixtures/dxf_fixture.h"
#include "fixtures/full_disk.h"
#include "fixtures/temp_folder.h"
#include "gui_application.h"
#include "surfaces/page_output.h"
#include "surfaces/svg_page.h"
#include "surfaces/xml_text.h"
#include "view/drawing_view.h"
#include "viewer/headless_load.h"

namespace zov {
namespace {

// The picture one painter pass writes; empty when the page failed.
std::string svg_of(const std::function<void(QPainter&)>& draw) {
    QByteArray bytes;
    QBuffer output(&bytes);
    output.open(QIODevice::WriteOnly);
    SvgPage page(output, {200, 100}, 150, QStringLiteral("Test <1>"));
    QPainter painter(&page);
    draw(painter);
    return painter.end() && page.written() ? bytes.toStdString() : std::string();
}

// Empty for a well-formed document, else the parser's complaint.
std::string xml_error(const std::string& document) {
    QXmlStreamReader reader(QByteArray::fromStdString(document));
    while (!reader.atEnd()) reader.readNext();
    return reader.hasError() ? reader.errorString().toStdString() : std::string();
}

TEST(SvgPage, EachOperationBecomesItsElementInAGroupOfItsState) {
    struct Case {
        const char* name;
        std::function<void(QPainter&)> draw;
        std::vector<std::string> wanted;
    };
    QPen dashed(QColor(255, 0, 0));
    dashed.setCosmetic(true);
    dashed.setWidth(3);
    dashed.setCapStyle(Qt::RoundCap);
    dashed.setDashPattern({2, 1});
    const Case cases[] = {
        {"rectangle",
         [](QPainter& p) { p.fillRect(QRect(1, 2, 3, 4), QColor(0, 128, 255)); },
         {"<g fill=\"#0080ff\" stroke=\"none\">",
          "<rect x=\"1\" y=\"2\" width=\"3\" height=\"4\"/>"}},
        {"dashed lines in one path",
         [&](QPainter& p) {
             p.setPen(dashed);
             const QLine lines[] = {{0, 0, 10, 5}, {10, 5, 20, 0}};
             p.drawLines(lines, 2);
         },
         {"stroke=\"#ff0000\" stroke-width=\"3\" stroke-linecap=\"round\"",
          "stroke-dasharray=\"6,3\"", "<path fill=\"none\" d=\"M0,0L10,5M10,5L20,0\"/>"}},
        {"filled polygon",
         [](QPainter& p) {
             QPainterPath path;
             path.addPolygon(QPolygonF({{0, 0}, {10, 0}, {0, 10.5}}));
             path.closeSubpath();
             p.fillPath(path, QColor(1, 2, 3));
         },
         {"<g fill=\"#010203\" stroke=\"none\">", "d=\"M0,0L10,0L0,10.5L0,0\"/>"}},
        {"ellipse",
         [](QPainter& p) { p.drawEllipse(QRectF(0, 0, 10, 20)); },
         {"<ellipse cx=\"5\" cy=\"10\" rx=\"5\" ry=\"10\"/>"}},
        {"turned text, escaped",
         [](QPainter& p) {
             QFont font(QStringLiteral("Serif & Sans"));
             font.setPixelSize(20);
             p.setFont(font);
             p.setPen(QColor(0, 0, 255));
             p.translate(50, 60);
             p.rotate(-90);
             p.drawText(QPointF(0, 0), QStringLiteral("'c'"));
         },
         {"transform=\"matrix(0,-1,1,0,50,60)\"", "<text stroke=\"none\" fill=\"#0000ff\"",
          "font-family=\"Serif &amp; Sans\" font-size=\"20\"", ">&apos;c&apos;</text>"}},
        {"image",
         [](QPainter& p) {
             QImage image(2, 2, QImage::Format_RGB32);
             image.fill(Qt::green);
             p.drawImage(QPointF(5, 6), image);
         },
         {"<image preserveAspectRatio=\"none\" x=\"5\" y=\"6\" width=\"2\" height=\"2\"",
          "xlink:href=\"data:image/png;base64,iVBORw0KGgo"}},
    };
    ensure_gui_application();
    for (const Case& c : cases) {
        const std::string svg = svg_of(c.draw);
        EXPECT_EQ(xml_error(svg), "") << c.name;
        EXPECT_NE(svg.find("viewBox=\"0 0 200 100\""), std::string::npos) << c.name;
        EXPECT_NE(svg.find("<title>Test &lt;1&gt;</title>"), std::string::npos) << c.name;
        for (const std::string& wanted : c.wanted)
            EXPECT_NE(svg.find(wanted), std::string::npos) << c.name << ": " << wanted << "\n"
                                                           << svg;
    }
}

TEST(XmlText, EscapesMarkupAndReplacesWhatXmlCannotHold) {
    const struct {
        QString text;
        std::string xml;
    } cases[] = {
        {QStringLiteral("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&apos;"},
        {QStringLiteral("\t\n\r"), "&#9;&#10;&#13;"},
        {QString(QChar(1)) + QChar(0x1F) + QChar(0x7F), "\uFFFD\uFFFD\x7F"},
        {QString(QChar(0xFFFE)) + QChar(0xFFFF), "\uFFFD\uFFFD"},
        {QString(QChar(0xD800)) + "x" + QChar(0xDC00), "\uFFFDx\uFFFD"},
        {QString::fromUtf8("\U0001F600 居間"), "\U0001F600 居間"},
    };
    for (const auto& c : cases) {
        std::string out;
        append_xml_text(out, c.text);
        EXPECT_EQ(out, c.xml) << c.text.toStdString();
    }
}

TEST(SvgPage, AFailedWriteLosesThePicture) {
    ensure_gui_application();
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    SvgPage page(full, {100, 100}, 150, QStringLiteral("x"));
    QPainter painter(&page);
    for (int i = 0; i < 5000; ++i) painter.drawLine(0, i, 100, i);
    EXPECT_FALSE(painter.end());
    EXPECT_FALSE(page.written());
}

// A DXF TEXT holding a control character and markup characters, through the
// whole render: the SVG stays well-formed; a full disk leaves no file.
TEST(SvgRender, ADrawingsTextCannotBreakTheDocumentAndAFullDiskLeavesNothing) {
    ensure_gui_application();
    TempFolder folder;
    DxfFixture dxf;
    dxf.section("ENTITIES").line("0", 0, 0, 100, 100).text("0", 10, 10, 5, "a\x01<&b");
    ASSERT_TRUE(dxf.end_section().end_of_file().write(folder.file("texts.dxf")));
    RecordingMessages messages;
    ASSERT_EQ(load_drawing_headless(folder.path(), folder.file("texts.dxf"), messages), 0);

    DrawingView view(folder.path(), messages);
    ASSERT_EQ(write_svg(view, folder.file("texts.svg"), PageSize{}, Paper::White, messages), 0);
    const std::string svg = read_file_bytes(folder.file("texts.svg"));
    EXPECT_EQ(xml_error(svg), "");
    EXPECT_NE(svg.find(">a\uFFFD&lt;&amp;b</text>"), std::string::npos) << svg;

    int result = 0;
    {
        FullDisk full(256);
        DrawingView again(folder.path(), messages);
        result = write_svg(again, folder.file("full.svg"), PageSize{}, Paper::White, messages);
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(cp932_to_utf8(messages.last()), folder.file("full.svg") + " を作成できない");
    EXPECT_FALSE(std::filesystem::exists(folder.file("full.svg")));
}

}  // namespace
}  // namespace zov
