#pragma once
// Polyline segments with a width: drawn as the band they cover, filled
// quadrilaterals (kind 8) from the start width to the end width, so that a
// wide polyline looks as in the program that drew it. A straight segment is
// one quadrilateral in place of its line record; a bulged one is a
// quadrilateral for each 5-degree step of its arc.
#include "dxf_import/dxf_geometry.h"

namespace zov {

class DxfContext;
struct EntityRecord;

// The widths of one segment (groups 40 and 41, or 43 for all segments).
struct SegmentWidths {
    double start = 0.0;
    double end = 0.0;
    bool wide() const { return start > 0 || end > 0; }
};

// Writes the band of the segment from p1 to p2 with the layer, colour, line
// type, flags and paper space of `base`. Returns the number of records.
int write_wide_segment(DxfContext& context, const EntityRecord& base, Point2 p1, Point2 p2,
                       double bulge, SegmentWidths widths);

}  // namespace zov
