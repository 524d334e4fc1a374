#pragma once
// A picture of the view's drawing drawn in horizontal bands, one thread
// each, and put together row by row: the same pixels as one pass, in a part
// of the time on several cores. Each band paints on a picture of the full
// size, so that every line and fill falls on the pixels it would have in
// one picture; bands are few and pictures large only where memory allows.
#include <atomic>
#include <string>

#include <QImage>

#include "common/whole_file.h"
#include "surfaces/page_output.h"
#include "view/drawing_view.h"

namespace zov {

// Bands of a picture: the processor's cores, at most four, and as many as
// keep the band pictures within 64 million pixels in all.
int band_count(int width, int height);

// The picture of width x height pixels in `bands` bands; a null image when
// the pass fails (reported by the view).
QImage draw_picture(DrawingView& view, int width, int height, Paper paper, int bands);
// The window's pass of `plan` on black paper, of the plan's size, in
// `bands` bands; a null image when `stop` ended it before the end.
QImage draw_planned_picture(DrawingView& view, const PassPlan& plan, int bands,
                            const std::atomic<bool>* stop = nullptr);

// Writes `image` as PNG whole (file-system path); false when it cannot be
// written, the name then keeping what it held.
bool save_png_whole(const QImage& image, const std::string& path,
                    ExistingTarget existing = ExistingTarget::Replace);

}  // namespace zov
