#pragma once
// Boundary edges of hatches as points: arcs and elliptic arcs are followed
// in steps of at most 5 degrees, bulged polyline segments likewise (spline
// edges go through the spline evaluator of spline_curve.h).
#include <vector>

#include "dxf_import/dxf_geometry.h"

namespace zov {

// Appends `point` unless it repeats the last point of `points`.
void append_point(std::vector<Point2>& points, Point2 point);

// The elliptic arc centre + major × cos t + minor × sin t, minor being the
// major axis turned a quarter counter-clockwise and scaled by `ratio`, for t
// from `start` to `end` (radians, the end taken beyond the start), appended
// from its start, or from its end when it runs clockwise. A circular arc has
// ratio 1.
void append_elliptic_arc(std::vector<Point2>& points, Point2 centre, Point2 major, double ratio,
                         double start, double end, bool clockwise);

// The points after `from` up to and including `to` of a polyline segment
// with the given bulge (0: straight, only `to`).
void append_bulge_segment(std::vector<Point2>& points, Point2 from, Point2 to, double bulge);

}  // namespace zov
