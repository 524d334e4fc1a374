#pragma once
// A picture of a drawing holds few colours (the palette's, the paper's):
// written as PNG with one byte of palette index a pixel instead of three of
// colour, it is packed in a fraction of the time into a smaller file, and it
// reads back as exactly the same pixels.
#include <QImage>

namespace zov {

// `image` (32-bit, opaque) as 8-bit indexed colours when it holds at most
// 256 colours; otherwise, or in any other format, `image` itself.
QImage indexed_when_few_colours(const QImage& image);

}  // namespace zov
