#pragma once
// What a HATCH entity says, read from its groups: the boundary paths (their
// lines, arcs, elliptic arcs and splines already turned into closed loops of
// points), whether it is filled solid, its island style and the lines of its
// pattern as the file carries them (already scaled and turned).
#include <cstddef>
#include <span>
#include <vector>

#include "dxf_import/dxf_geometry.h"

namespace zov {

// One group of a HATCH as read: its code and its value as a number.
struct HatchGroup {
    int code;
    double value;
};

// One line family of a pattern: lines through base + k × offset (every whole
// k) in the direction `angle` (degrees), drawn with `dashes` (positive a
// dash, negative a gap, 0 a dot; none: a continuous line).
struct PatternLine {
    double angle = 0.0;
    Point2 base;
    Point2 offset;
    std::vector<double> dashes;
};

using Loop = std::vector<Point2>;

struct HatchDefinition {
    bool solid = false;       // group 70 = 1
    int style = 0;            // group 75: 0 odd parity, 1 outermost only, 2 ignore islands
    std::vector<Loop> loops;  // closed; the last point does not repeat the first
    // The boxes around texts in the hatch (paths flagged "textbox"): holes
    // wherever they lie.
    std::vector<Loop> text_boxes;
    std::vector<PatternLine> pattern;
    bool too_many_points = false;  // boundary points beyond the bound were left out
};

// The hatch's definition from its groups (codes other than the common
// entity groups, in file order). Counts in the groups are not trusted: a
// list ends where its groups end, and the loops stop before the boundary
// points exceed `max_points`.
HatchDefinition read_hatch_definition(std::span<const HatchGroup> groups, std::size_t max_points);

}  // namespace zov
