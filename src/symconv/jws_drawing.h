#pragma once
// A .jws symbol drawn in the converter's drawing units, as a .jwk symbol
// holds them: full size (paper millimetres times the scale of the entity's
// layer group), with the symbol's origin (its insertion point) at 0, 0.
//
// Block inserts are drawn out in place: the block's contents through the
// insert's point, scales and angle, inserts inside them likewise, and a
// block's contents take the scale of the layer group of the insert at the
// top of the file that places them. Every DXF reader shows geometry drawn
// out the same way, where nested, scaled and mirrored DXF inserts are not
// shown alike. An insert of a block into itself (directly or through
// others), or nested deeper than kJwwMaxBlockNesting, is not drawn; nor is
// anything beyond kJwsElementLimit elements, so that blocks inserting
// blocks many times over never grow without bound.
#include "symconv/element_sink.h"
#include "symconv/jws_symbol.h"

namespace zov {

struct ConverterSettings;

inline constexpr int kJwsElementLimit = 200000;

struct JwsDrawingCounts {
    int elements = 0;          // entities drawn and inserts drawn out
    int points = 0;            // points drawn
    int non_finite = 0;        // left out: a number that is not finite
    int inserts_left_out = 0;  // inserts of a block into itself, or nested too deep
    bool cut = false;          // kJwsElementLimit was reached
};

// Draws the symbol into `sink` with the colours and line types of
// jww_pens.h; texts `text_size_percent` percent of their own height.
JwsDrawingCounts draw_jws_symbol(const JwsSymbol& symbol, const ConverterSettings& settings,
                                 ElementSink& sink);

}  // namespace zov
