#include "dxf_import/polygon_triangulation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <span>

namespace zov {

namespace {

using Ring = std::vector<Point2>;

double cross(Point2 o, Point2 a, Point2 b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool same(Point2 a, Point2 b) { return a.x == b.x && a.y == b.y; }

double signed_area(const Ring& ring) {
    double area = 0.0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        area += (ring[j].x - ring[i].x) * (ring[j].y + ring[i].y);
    return area / 2;
}

// True when the segments cross at a point inside both (touching ends do not count).
bool segments_cross(Point2 a, Point2 b, Point2 c, Point2 d) {
    const double d1 = cross(c, d, a), d2 = cross(c, d, b);
    const double d3 = cross(a, b, c), d4 = cross(a, b, d);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// True when a point lies on the segment a-b other than at its ends.
bool inside_segment(Point2 p, Point2 a, Point2 b) {
    if (same(p, a) || same(p, b) || cross(a, b, p) != 0) return false;
    return (p.x - a.x) * (p.x - b.x) + (p.y - a.y) * (p.y - b.y) < 0;
}

// True when the segment a-b crosses an edge of the ring or runs through one
// of its corners.
bool crosses_ring(const Ring& ring, Point2 a, Point2 b) {
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        if (segments_cross(a, b, ring[j], ring[i]) || inside_segment(ring[i], a, b)) return true;
    }
    return false;
}

// Joins `hole` (clockwise) to `outline` (counter-clockwise) by a bridge from
// the hole's rightmost point to the nearest outline point that it sees
// without crossing the outline or a hole still to come.
void bridge_hole(Ring& outline, const Ring& hole, std::span<const Ring> later_holes) {
    const auto rightmost = static_cast<std::size_t>(
        std::max_element(hole.begin(), hole.end(), [](Point2 a, Point2 b) { return a.x < b.x; }) -
        hole.begin());
    const Point2 m = hole[rightmost];
    std::vector<std::size_t> order(outline.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::hypot(outline[a].x - m.x, outline[a].y - m.y) <
               std::hypot(outline[b].x - m.x, outline[b].y - m.y);
    });
    std::size_t chosen = order.front();
    for (std::size_t candidate : order) {
        const Point2 p = outline[candidate];
        if (crosses_ring(outline, m, p) || crosses_ring(hole, m, p)) continue;
        // The bridge runs between the hole and the outline, not across either.
        const Point2 middle{(m.x + p.x) / 2, (m.y + p.y) / 2};
        if (inside_loop(hole, middle) || !inside_loop(outline, middle)) continue;
        if (std::any_of(later_holes.begin(), later_holes.end(),
                        [&](const Ring& other) { return crosses_ring(other, m, p); }))
            continue;
        chosen = candidate;
        break;
    }
    Ring joined(outline.begin(), outline.begin() + static_cast<std::ptrdiff_t>(chosen) + 1);
    for (std::size_t k = 0; k <= hole.size(); ++k)
        joined.push_back(hole[(rightmost + k) % hole.size()]);
    joined.insert(joined.end(), outline.begin() + static_cast<std::ptrdiff_t>(chosen),
                  outline.end());
    outline = std::move(joined);
}

bool inside_triangle(Point2 p, Point2 a, Point2 b, Point2 c) {
    return cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0;
}

// Ear clipping of a counter-clockwise ring.
void clip_ears(const Ring& ring, std::vector<Triangle>& triangles) {
    const std::size_t n = ring.size();
    std::vector<std::size_t> next(n), prev(n);
    for (std::size_t i = 0; i < n; ++i) {
        next[i] = (i + 1) % n;
        prev[i] = (i + n - 1) % n;
    }
    auto is_ear = [&](std::size_t i) {
        const Point2 a = ring[prev[i]], b = ring[i], c = ring[next[i]];
        if (cross(a, b, c) <= 0) return false;
        for (std::size_t k = next[next[i]]; k != prev[i]; k = next[k]) {
            const Point2 p = ring[k];
            if (same(p, a) || same(p, b) || same(p, c)) continue;
            if (inside_triangle(p, a, b, c)) return false;
        }
        return true;
    };
    std::size_t remaining = n;
    std::size_t i = 0;
    std::size_t tried = 0;
    while (remaining > 3) {
        const Point2 a = ring[prev[i]], b = ring[i], c = ring[next[i]];
        const double turn = cross(a, b, c);
        // A vertex on a straight run or a spike adds no area: it goes. When
        // no ear is left (rounding in a nearly degenerate ring), the vertex
        // at hand is cut off all the same, so the clipping always ends.
        const bool flat = turn == 0;
        const bool stuck = tried > remaining;
        if (flat || stuck || is_ear(i)) {
            if (!flat && turn > 0) triangles.push_back({a, b, c});
            next[prev[i]] = next[i];
            prev[next[i]] = prev[i];
            i = next[i];
            --remaining;
            tried = 0;
        } else {
            i = next[i];
            ++tried;
        }
    }
    const Point2 a = ring[prev[i]], b = ring[i], c = ring[next[i]];
    if (cross(a, b, c) > 0) triangles.push_back({a, b, c});
}

}  // namespace

bool inside_loop(const std::vector<Point2>& loop, Point2 point) {
    bool inside = false;
    for (std::size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
        const Point2 a = loop[i], b = loop[j];
        if ((a.y > point.y) != (b.y > point.y) &&
            point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

bool triangulate_loops(const std::vector<std::vector<Point2>>& loops, int style,
                       std::size_t max_region_points, std::size_t max_triangles,
                       std::vector<Triangle>& triangles) {
    triangles.clear();
    // The depth of a loop: how many other loops hold it.
    std::vector<int> depth(loops.size(), 0);
    for (std::size_t i = 0; i < loops.size(); ++i) {
        for (std::size_t j = 0; j < loops.size(); ++j) {
            if (i != j && inside_loop(loops[j], loops[i].front())) ++depth[i];
        }
    }
    const int deepest = style == kIgnoreIslands ? 0
                        : style == kOutermost   ? 1
                                                : std::numeric_limits<int>::max();
    for (std::size_t outer = 0; outer < loops.size(); ++outer) {
        if (depth[outer] % 2 != 0 || depth[outer] > deepest) continue;
        Ring outline = loops[outer];
        if (signed_area(outline) < 0) std::reverse(outline.begin(), outline.end());
        // Its holes: the loops one deeper that it holds.
        std::vector<Ring> holes;
        std::size_t points = outline.size();
        for (std::size_t h = 0; h < loops.size(); ++h) {
            if (depth[h] != depth[outer] + 1 || depth[h] > deepest ||
                !inside_loop(loops[outer], loops[h].front()))
                continue;
            Ring hole = loops[h];
            if (signed_area(hole) > 0) std::reverse(hole.begin(), hole.end());
            points += hole.size() + 2;
            holes.push_back(std::move(hole));
        }
        if (points > max_region_points) {
            triangles.clear();
            return false;
        }
        std::sort(holes.begin(), holes.end(), [](const Ring& a, const Ring& b) {
            auto right = [](const Ring& r) {
                return std::max_element(r.begin(), r.end(),
                                        [](Point2 p, Point2 q) { return p.x < q.x; })
                    ->x;
            };
            return right(a) > right(b);
        });
        const std::span<const Ring> all_holes(holes);
        for (std::size_t h = 0; h < holes.size(); ++h)
            bridge_hole(outline, holes[h], all_holes.subspan(h + 1));
        clip_ears(outline, triangles);
        if (triangles.size() > max_triangles) {
            triangles.clear();
            return false;
        }
    }
    return true;
}

namespace {

// The part of the convex polygon `polygon` on the left of the line a-b
// (`left`) or on its right.
Ring clip_to_side(const Ring& polygon, Point2 a, Point2 b, bool left) {
    Ring kept;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point2 p = polygon[i], q = polygon[(i + 1) % polygon.size()];
        const double sp = left ? cross(a, b, p) : -cross(a, b, p);
        const double sq = left ? cross(a, b, q) : -cross(a, b, q);
        if (sp >= 0) kept.push_back(p);
        if ((sp > 0 && sq < 0) || (sp < 0 && sq > 0)) {
            const double t = sp / (sp - sq);
            kept.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return kept;
}

bool is_convex_ring(const Ring& ring) {
    bool left = false, right = false;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const double turn =
            cross(ring[i], ring[(i + 1) % ring.size()], ring[(i + 2) % ring.size()]);
        left |= turn > 0;
        right |= turn < 0;
    }
    return !(left && right);
}

}  // namespace

bool cut_convex_hole(std::vector<Triangle>& triangles, const std::vector<Point2>& hole,
                     std::size_t max_triangles) {
    if (hole.size() < 3 || !is_convex_ring(hole)) return true;
    Ring box = hole;
    if (signed_area(box) < 0) std::reverse(box.begin(), box.end());
    const auto [low_x, high_x] =
        std::minmax_element(box.begin(), box.end(), [](Point2 p, Point2 q) { return p.x < q.x; });
    const auto [low_y, high_y] =
        std::minmax_element(box.begin(), box.end(), [](Point2 p, Point2 q) { return p.y < q.y; });
    std::vector<Triangle> cut;
    for (const Triangle& triangle : triangles) {
        if (std::max({triangle.a.x, triangle.b.x, triangle.c.x}) <= low_x->x ||
            std::min({triangle.a.x, triangle.b.x, triangle.c.x}) >= high_x->x ||
            std::max({triangle.a.y, triangle.b.y, triangle.c.y}) <= low_y->y ||
            std::min({triangle.a.y, triangle.b.y, triangle.c.y}) >= high_y->y) {
            cut.push_back(triangle);  // clear of the box
            continue;
        }
        // Each edge of the box in turn takes off what lies outside it; what
        // is left at the end lies inside the box and is dropped.
        Ring rest{triangle.a, triangle.b, triangle.c};
        for (std::size_t i = 0; i < box.size() && rest.size() >= 3; ++i) {
            const Point2 a = box[i], b = box[(i + 1) % box.size()];
            const Ring outside = clip_to_side(rest, a, b, false);
            for (std::size_t k = 1; k + 1 < outside.size(); ++k)
                cut.push_back({outside[0], outside[k], outside[k + 1]});
            rest = clip_to_side(rest, a, b, true);
        }
        if (cut.size() > max_triangles) return false;
    }
    triangles = std::move(cut);
    return true;
}

}  // namespace zov
