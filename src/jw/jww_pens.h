#pragma once
// What the store can hold of a JW_CAD for Windows drawing's colours, line
// types and paper. A JW_CAD store knows the pens 1 to 7 of the renderer's
// palette (1 cyan, 2 the drawing colour, 3 green, 4 yellow, 5 magenta,
// 6 blue, 7 red) and the nine line-type codes; everything richer that a
// .jww carries is taken to the nearest of those.
#include <cstdint>

#include "jw/jw_header.h"
#include "jw/jww_format.h"

namespace zov {

// The store colour of an entity's colour number: pens 1-6 as they are (the
// pens of the DOS files), pen 7 (teal) cyan, pen 8 (red) red, the
// background pen 0 and the grey pen 9 the drawing colour, SXF colours
// 100-356 the nearest to their screen colour in the header (a symbol
// without one: the standard SXF colours), anything else the drawing colour.
int jww_store_colour(std::uint32_t colour_number, const JwwHeader& header);

// The nearest store colour of a COLORREF (0x00BBGGRR): black, white and
// greys are the drawing colour; other colours the nearest of the six hues.
int jww_rgb_store_colour(std::uint32_t colorref);

// The store line-type code of a pen style: 1-9 as in the DOS files, the
// random lines 11-15 continuous, the double-length types 16-19 those of
// 6-9, the SXF types 30-62 by their name (a symbol's: the standard SXF
// name of their number), anything else continuous.
int jww_store_line_type(std::uint32_t pen_style, const JwwHeader& header);

// The paper of a paper code: A0-A4, 2A-5A, and the 10 m, 50 m and 100 m
// sheets (height = width / 1.4141356); an unknown code gives A1 as in the
// DOS files.
JwPaperSize jww_paper_size(std::uint32_t code);

}  // namespace zov
