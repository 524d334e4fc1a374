#include "surfaces/page_output.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/messages.h"
#include "common/whole_file.h"
#include "render/white_paper_surface.h"
#include "store/records.h"
#include "surfaces/qt_surface.h"
#include "surfaces/svg_page.h"
#include "view/drawing_view.h"

namespace zov {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kSmallestPageSide = 10.0;
constexpr double kLargestPageSide = 5000.0;  // PDF pages end at 200 inches

// A0 to A4, landscape: the long side of A(n) is the short side of A(n-1).
constexpr PageSize kPaperSizes[] = {{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}};
constexpr int kLargestPaper = 0;  // A0
constexpr int kDefaultPaper = 3;  // A3

int pixels_of(double millimetres) {
    return std::max(
        1, static_cast<int>(std::lround(millimetres / kMillimetresPerInch * kPaperDotsPerInch)));
}

// The file a page is written into as it is drawn (never held in memory),
// under a temporary name until it is finished whole.
class PageFile {
public:
    PageFile(const std::string& path, Messages& messages) : path_(path), messages_(messages) {
        opened_ = output_.open(path) &&
                  device.open(output_.stream(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    }

    QFile device;

    bool opened() const { return opened_; }

    // Finishes the file after a pass (`drawn`: a failed pass has reported
    // itself; `handed_over`: the page gave the device all it drew); 0, or -1
    // after a reported failure, with nothing left behind.
    int finish(bool drawn, ExistingTarget existing, bool handed_over = true) {
        const bool written =
            opened_ && handed_over && device.flush() && device.error() == QFileDevice::NoError;
        device.close();
        if (opened_ && !drawn) return -1;
        if (written && output_.commit(existing)) return 0;
        show_error(messages_, cp932_text(JaText::CannotCreate), utf8_to_cp932(path_).c_str());
        return -1;
    }

private:
    WholeFileOutput output_;
    const std::string& path_;
    Messages& messages_;
    bool opened_ = false;
};

}  // namespace

PageSize page_size_of(const StoreHeader& header) {
    const double long_side = std::max(header.paper_x, header.paper_y);
    const double short_side = std::min(header.paper_x, header.paper_y);
    if (!(short_side >= kPaperSizes[4].height_mm - 1.0)) return kPaperSizes[kDefaultPaper];
    PageSize page{long_side, short_side};
    if (long_side > kPaperSizes[kLargestPaper].width_mm + 1.0) page = kPaperSizes[kLargestPaper];
    if (header.paper_y > header.paper_x) std::swap(page.width_mm, page.height_mm);
    return page;
}

bool parse_page_size(const std::string& text, PageSize& size) {
    if (text.size() >= 2 && (text[0] == 'A' || text[0] == 'a') && text[1] >= '0' &&
        text[1] <= '4') {
        const std::string rest = text.substr(2);
        if (!rest.empty() && rest != "P" && rest != "p") return false;
        size = kPaperSizes[text[1] - '0'];
        if (!rest.empty()) std::swap(size.width_mm, size.height_mm);
        return true;
    }
    double w = 0, h = 0;
    char x = 0, tail = 0;
    if (std::sscanf(text.c_str(), "%lf%c%lf%c", &w, &x, &h, &tail) != 3 || (x != 'x' && x != 'X'))
        return false;
    if (!(w >= kSmallestPageSide && w <= kLargestPageSide && h >= kSmallestPageSide &&
          h <= kLargestPageSide))
        return false;
    size = {w, h};
    return true;
}

int draw_on_page(DrawingView& view, QPaintDevice& device, Paper paper) {
    QPainter painter;
    if (!painter.begin(&device)) return -1;
    int result;
    {
        QtSurface page(painter, device.width(), device.height());
        WhitePaperSurface white(page);
        result = view.draw_drawing(paper == Paper::White ? static_cast<Surface&>(white) : page);
    }
    painter.end();
    return result;
}

int print_drawing(const DrawingView& shown, const std::string& store_folder, QPaintDevice& page,
                  Messages& messages) {
    DrawingView printed(store_folder, messages);
    printed.settings = shown.settings;
    printed.sheet_grid = shown.sheet_grid;
    printed.layer_sheet_valid = shown.layer_sheet_valid;
    printed.source_was_dwg = shown.source_was_dwg;
    return draw_on_page(printed, page, Paper::White);
}

int write_pdf(DrawingView& view, const std::string& path, const PageSize& page, Paper paper,
              Messages& messages, ExistingTarget existing) {
    PageFile file(path, messages);
    if (!file.opened()) return file.finish(false, existing);
    bool drawn = false;
    {
        QPdfWriter pdf(&file.device);
        pdf.setResolution(kPaperDotsPerInch);
        pdf.setCreator(QStringLiteral("ZovView"));
        const bool landscape = page.width_mm > page.height_mm;
        const QSizeF portrait(std::min(page.width_mm, page.height_mm),
                              std::max(page.width_mm, page.height_mm));
        pdf.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF()));
        drawn = draw_on_page(view, pdf, paper) == 0;
    }
    return file.finish(drawn, existing);
}

int write_svg(DrawingView& view, const std::string& path, const PageSize& page, Paper paper,
              Messages& messages, ExistingTarget existing) {
    PageFile file(path, messages);
    if (!file.opened()) return file.finish(false, existing);
    SvgPage svg(file.device, QSize(pixels_of(page.width_mm), pixels_of(page.height_mm)),
                kPaperDotsPerInch, QStringLiteral("ZovView"));
    const bool drawn = draw_on_page(view, svg, paper) == 0;
    return file.finish(drawn, existing, svg.written());
}

}  // namespace zov
