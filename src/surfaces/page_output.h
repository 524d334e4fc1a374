#pragma once
// The drawing on paper: one drawing pass onto a page of a PDF file, an SVG
// picture or a printer, fitted to the page as the view fits it after a load,
// on black paper as on the screen or on white paper with dark lines.
#include <string>

#include "common/whole_file.h"

class QPaintDevice;

namespace zov {

class DrawingView;
class Messages;
struct StoreHeader;

// The pass draws in pixels of this size on paper: its one-pixel pens are
// fine print lines (0.17 mm) and its dash patterns stay visible.
inline constexpr int kPaperDotsPerInch = 150;

enum class Paper { Black, White };

// Page size in millimetres, landscape when the width is the larger.
struct PageSize {
    double width_mm = 420.0;  // A3 landscape
    double height_mm = 297.0;
    bool operator==(const PageSize&) const = default;
};

// The drawing's paper: the store's paper size (JW_CAD drawings) when it lies
// between A4 and A0, larger papers as A0 in their orientation, and A3
// landscape for drawings without a paper (DXF drawings).
PageSize page_size_of(const StoreHeader& header);

// "A0" to "A4" (landscape; "A4P" and the like portrait) or "WxH" in
// millimetres (each 10 to 5000); false for anything else.
bool parse_page_size(const std::string& text, PageSize& size);

// One drawing pass of `view` over the whole of `device`, on `paper`. The
// view fits the drawing when it opens its store, so a fresh view gives the
// whole drawing. 0, or -1 after a reported failure.
int draw_on_page(DrawingView& view, QPaintDevice& device, Paper paper);

// Prints what `shown` shows (its display style, layer filter and dimension
// ends) fitted to the page, on white paper, through a view of its own, so
// that the zoom of the window stays as it is. `page` is a printer's page
// (its resolution best set to kPaperDotsPerInch). 0, or -1 after a reported
// failure.
int print_drawing(const DrawingView& shown, const std::string& store_folder, QPaintDevice& page,
                  Messages& messages);

// Writes the drawing as a one-page PDF file or an SVG picture of `page`;
// the file is written whole or not at all, over an existing file only with
// ExistingTarget::Replace. Texts stay texts. 0, or -1 after "%s を作成できない"
// (or the view's own message).
int write_pdf(DrawingView& view, const std::string& path, const PageSize& page, Paper paper,
              Messages& messages, ExistingTarget existing = ExistingTarget::Replace);
int write_svg(DrawingView& view, const std::string& path, const PageSize& page, Paper paper,
              Messages& messages, ExistingTarget existing = ExistingTarget::Replace);

}  // namespace zov
