#pragma once
// Geometry of the DXF entity readers that does not depend on the store: the
// placement of aligned text lines and the arc of a bulged polyline segment.
#include <cstddef>

namespace zov {

struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

// Where a text line `width` long with capitals `height` high, aligned at
// `at` with the angle `angle` (degrees) and the alignment codes `h_align`
// (group 72: 0 left, 1 centre, 2 right, 4 middle) and `v_align` (group 73:
// 0 and 1 base line, 2 middle, 3 top), starts on its base line.
Point2 align_text_position(double width, double height, double angle, int h_align, int v_align,
                           Point2 at);

// The arc that a polyline segment from p1 to p2 with the given bulge (the
// tangent of a quarter of its included angle; positive is counter-clockwise)
// follows. Angles are in degrees, counter-clockwise from +x, not reduced to
// 0..360; start is the smaller. A segment of zero length has no arc and is
// reported as `straight`.
struct BulgeArc {
    bool straight = false;
    Point2 centre;
    double radius = 0.0;
    double start = 0.0;
    double end = 0.0;
};
BulgeArc bulge_arc(Point2 p1, Point2 p2, double bulge);

// Degrees and radians.
double degrees(double radians);
double radians(double degrees);

}  // namespace zov
