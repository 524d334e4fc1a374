#include "dxf_import/hatch_pattern.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "dxf_import/dxf_geometry.h"

namespace zov {

namespace {

// Edge tests per pattern line and dash steps per segment kept, at most.
constexpr double kWorkPerSegment = 100.0;

struct Frame {
    Point2 along;   // the lines' direction
    Point2 across;  // a quarter turn from it
};

double dot(Point2 a, Point2 b) { return a.x * b.x + a.y * b.y; }
Point2 minus(Point2 a, Point2 b) { return {a.x - b.x, a.y - b.y}; }
Point2 at(Point2 origin, Point2 direction, double s) {
    return {origin.x + direction.x * s, origin.y + direction.y * s};
}

// Where the line through `origin` along frame.along crosses the loops' edges,
// as distances along it, in order. An edge counts from its first end (half
// open), so a line through a corner crosses once.
std::vector<double> crossings(const std::vector<Loop>& loops, const Frame& frame, Point2 origin) {
    std::vector<double> found;
    for (const Loop& loop : loops) {
        for (std::size_t i = 0; i < loop.size(); ++i) {
            const Point2 a = loop[i];
            const Point2 b = loop[(i + 1) % loop.size()];
            const double da = dot(frame.across, minus(a, origin));
            const double db = dot(frame.across, minus(b, origin));
            if ((da > 0) == (db > 0)) continue;
            const double t = da / (da - db);
            found.push_back(
                dot(frame.along, minus({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}, origin)));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

class Clipper {
public:
    Clipper(std::size_t max_segments, std::vector<PatternSegment>& segments)
        : max_segments_(max_segments),
          budget_(kWorkPerSegment * static_cast<double>(max_segments)),
          segments_(segments) {}

    bool family(const std::vector<Loop>& loops, const PatternLine& line) {
        if (loops.empty()) return true;
        const double angle = radians(line.angle);
        const Frame frame{{std::cos(angle), std::sin(angle)}, {-std::sin(angle), std::cos(angle)}};
        // The family's lines that cross the loops' box: base + k × offset
        // for k between the box's nearest and farthest distances across.
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        std::size_t edges = 0;
        for (const Loop& loop : loops) {
            edges += loop.size();
            for (Point2 p : loop) {
                const double d = dot(frame.across, minus(p, line.base));
                low = std::min(low, d);
                high = std::max(high, d);
            }
        }
        const double step = dot(frame.across, line.offset);
        double first = 0.0, last = 0.0;  // lines on top of each other: one line
        if (step != 0) {
            first = std::ceil(std::min(low / step, high / step));
            last = std::floor(std::max(low / step, high / step));
        }
        if (!(last - first < static_cast<double>(max_segments_))) return false;
        if (!spend((last - first + 1) * static_cast<double>(edges))) return false;
        const auto lines = static_cast<long>(last - first) + 1;
        for (long k = 0; k < lines; ++k) {
            const Point2 origin = at(line.base, line.offset, first + static_cast<double>(k));
            const std::vector<double> cuts = crossings(loops, frame, origin);
            for (std::size_t c = 0; c + 1 < cuts.size(); c += 2) {
                if (!dashes(line.dashes, frame, origin, cuts[c], cuts[c + 1])) return false;
            }
        }
        return true;
    }

private:
    bool spend(double work) {
        budget_ -= work;
        return budget_ >= 0;
    }

    bool add(Point2 from, Point2 to) {
        if (segments_.size() >= max_segments_) return false;
        segments_.push_back({from, to});
        return true;
    }

    // The dashes of the line through `origin` between the distances s0 and
    // s1; the pattern starts at `origin`.
    bool dashes(const std::vector<double>& pattern, const Frame& frame, Point2 origin, double s0,
                double s1) {
        double length = 0.0;
        for (double dash : pattern) length += std::fabs(dash);
        if (length <= 0) return add(at(origin, frame.along, s0), at(origin, frame.along, s1));
        const double steps = ((s1 - s0) / length + 2) * static_cast<double>(pattern.size());
        if (!spend(steps)) return false;
        double position = std::floor(s0 / length) * length;
        // Counted as well, since far from the origin a short dash may not
        // move the position at all.
        auto left = static_cast<long>(steps);
        for (std::size_t d = 0; position <= s1 && left-- > 0; d = (d + 1) % pattern.size()) {
            const double dash = pattern[d];
            const double end = position + std::fabs(dash);
            if (dash > 0 && end > s0) {
                const double from = std::max(position, s0), to = std::min(end, s1);
                if (!add(at(origin, frame.along, from), at(origin, frame.along, to))) return false;
            } else if (dash == 0 && position >= s0) {
                const Point2 dot_at = at(origin, frame.along, position);
                if (!add(dot_at, dot_at)) return false;
            }
            position = end;
        }
        return true;
    }

    std::size_t max_segments_;
    double budget_;
    std::vector<PatternSegment>& segments_;
};

}  // namespace

bool clip_pattern(const std::vector<Loop>& loops, const std::vector<PatternLine>& pattern,
                  std::size_t max_segments, std::vector<PatternSegment>& segments) {
    segments.clear();
    Clipper clipper(max_segments, segments);
    for (const PatternLine& line : pattern) {
        if (!clipper.family(loops, line)) {
            segments.clear();
            return false;
        }
    }
    return true;
}

}  // namespace zov
