#pragma once
// Filling of hatch boundaries: nested closed loops become triangles. Loops
// nest by odd parity (a loop inside one loop is a hole, inside two an island
// that is filled again); each filled region has its holes joined to its
// outline by bridges and is cut into triangles by ear clipping.
#include <cstddef>
#include <vector>

#include "dxf_import/dxf_geometry.h"

namespace zov {

struct Triangle {
    Point2 a, b, c;
};

// Island styles of a hatch (group 75).
enum HatchStyle { kOddParity = 0, kOutermost = 1, kIgnoreIslands = 2 };

// The triangles filling `loops` with `style`. False, with nothing in
// `triangles`, when a region has more than `max_region_points` points or the
// triangles would be more than `max_triangles`.
bool triangulate_loops(const std::vector<std::vector<Point2>>& loops, int style,
                       std::size_t max_region_points, std::size_t max_triangles,
                       std::vector<Triangle>& triangles);

// Cuts the convex loop `hole` out of `triangles`: the parts outside it stay,
// cut into triangles again. A loop that is not convex cuts nothing. False,
// with `triangles` as they were, when more than `max_triangles` would result.
bool cut_convex_hole(std::vector<Triangle>& triangles, const std::vector<Point2>& hole,
                     std::size_t max_triangles);

// True when `point` lies inside the closed loop (odd crossing count).
bool inside_loop(const std::vector<Point2>& loop, Point2 point);

}  // namespace zov
