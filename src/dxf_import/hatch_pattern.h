#pragma once
// Pattern hatches: the lines of each pattern family, clipped to the hatch's
// boundary loops (odd parity) and cut into the family's dashes and dots.
#include <cstddef>
#include <vector>

#include "dxf_import/hatch_definition.h"

namespace zov {

// A dash from `from` to `to`; a dot when both are the same point.
struct PatternSegment {
    Point2 from, to;
};

// The dashes and dots of `pattern` inside `loops`. False, with nothing in
// `segments`, when they would be more than `max_segments` or the work to
// find them grows beyond a bound of the same order.
bool clip_pattern(const std::vector<Loop>& loops, const std::vector<PatternLine>& pattern,
                  std::size_t max_segments, std::vector<PatternSegment>& segments);

}  // namespace zov
