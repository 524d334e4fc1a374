#include "dxf_import/hatch_definition.h"

#include <cmath>
#include <numbers>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/hatch_curves.h"
#include "dxf_import/spline_curve.h"

namespace zov {

namespace {

// Boundary path type flag: a polyline path (else a path of edges).
constexpr int kPolylinePath = 2;
// Boundary path type flag: the box around a text that the fill leaves open.
constexpr int kTextBoxPath = 8;
enum EdgeType { kLineEdge = 1, kArcEdge = 2, kEllipseEdge = 3, kSplineEdge = 4 };
// A pattern line has at most this many dashes kept.
constexpr std::size_t kMaxDashes = 64;

// Walks the groups in order; a group is taken only where it is expected.
class GroupCursor {
public:
    explicit GroupCursor(std::span<const HatchGroup> groups) : groups_(groups) {}

    bool done() const { return at_ >= groups_.size(); }
    bool at(int code) const { return !done() && groups_[at_].code == code; }
    // The value of the group `code` when it comes next (then passed), else `fallback`.
    double take(int code, double fallback = 0.0) {
        return at(code) ? groups_[at_++].value : fallback;
    }
    int take_count(int code) {
        const double value = take(code);
        return value > 0 && value < 1e9 ? static_cast<int>(value) : 0;
    }
    Point2 take_point(int x_code, int y_code) {
        const double x = take(x_code);
        return {x, take(y_code)};
    }
    int code() const { return groups_[at_].code; }
    void pass() { ++at_; }

private:
    std::span<const HatchGroup> groups_;
    std::size_t at_ = 0;
};

// Arc and ellipse edges keep the angles of a clockwise edge as their
// complements (360 - angle); they are read back into counter-clockwise ones.
void read_curved_edge(GroupCursor& cursor, Loop& loop, bool elliptic) {
    const Point2 centre = cursor.take_point(10, 20);
    Point2 major{cursor.take(40), 0.0};  // an arc: its radius along x
    double ratio = 1.0;
    if (elliptic) {
        major = cursor.take_point(11, 21);
        ratio = cursor.take(40);
    }
    double start = cursor.take(50);
    double end = cursor.take(51);
    const bool clockwise = cursor.take(73, 1) == 0;
    if (clockwise) {
        const double first = 360 - end;
        end = 360 - start;
        start = first;
    }
    // An ellipse's angles are turned into the parameters of its points.
    auto parameter = [&](double angle) {
        const double a = radians(angle);
        return elliptic && ratio != 0 ? std::atan2(std::sin(a) / ratio, std::cos(a)) : a;
    };
    const double t0 = parameter(start);
    const double t1 = end - start >= 360 ? t0 + 2 * std::numbers::pi : parameter(end);
    append_elliptic_arc(loop, centre, major, ratio, t0, t1, clockwise);
}

// A spline edge: followed as the curve of its degree, knots, control points
// and weights, or through its fit points.
void read_spline_edge(GroupCursor& cursor, Loop& loop) {
    SplineDefinition spline;
    spline.degree = static_cast<int>(cursor.take(94, 3));
    const bool rational = cursor.take(73) != 0;
    cursor.take(74);  // periodic
    const int knots = cursor.take_count(95);
    const int controls = cursor.take_count(96);
    for (int k = 0; k < knots && cursor.at(40); ++k) spline.knots.push_back(cursor.take(40));
    for (int k = 0; k < controls && cursor.at(10); ++k) {
        spline.control.push_back(cursor.take_point(10, 20));
        if (rational && cursor.at(42)) spline.weights.push_back(cursor.take(42));
    }
    if (cursor.at(97)) {
        const int fits = cursor.take_count(97);
        for (int k = 0; k < fits && cursor.at(11); ++k)
            spline.fit.push_back(cursor.take_point(11, 21));
        cursor.take_point(12, 22);  // start and end tangents
        cursor.take_point(13, 23);
    }
    if (spline.weights.size() != spline.control.size()) spline.weights.clear();
    for (Point2 point : spline_points(spline)) append_point(loop, point);
}

void read_edge_path(GroupCursor& cursor, Loop& loop) {
    const int edges = cursor.take_count(93);
    for (int e = 0; e < edges && cursor.at(72); ++e) {
        switch (static_cast<int>(cursor.take(72))) {
            case kLineEdge:
                append_point(loop, cursor.take_point(10, 20));
                append_point(loop, cursor.take_point(11, 21));
                break;
            case kArcEdge: read_curved_edge(cursor, loop, false); break;
            case kEllipseEdge: read_curved_edge(cursor, loop, true); break;
            case kSplineEdge: read_spline_edge(cursor, loop); break;
            default: return;  // an edge we cannot follow ends the path
        }
    }
}

void read_polyline_path(GroupCursor& cursor, Loop& loop) {
    cursor.take(72);  // has bulges: a bulge group follows a vertex only when it has one
    cursor.take(73);  // closed: a hatch boundary always is
    const int vertices = cursor.take_count(93);
    std::vector<Point2> points;
    std::vector<double> bulges;
    for (int k = 0; k < vertices && cursor.at(10); ++k) {
        points.push_back(cursor.take_point(10, 20));
        bulges.push_back(cursor.take(42));
    }
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k == 0) append_point(loop, points[0]);
        append_bulge_segment(loop, points[k], points[(k + 1) % points.size()], bulges[k]);
    }
}

void read_pattern_lines(GroupCursor& cursor, std::vector<PatternLine>& pattern) {
    const int lines = cursor.take_count(78);
    for (int k = 0; k < lines && cursor.at(53); ++k) {
        PatternLine line;
        line.angle = cursor.take(53);
        line.base = cursor.take_point(43, 44);
        line.offset = cursor.take_point(45, 46);
        const int dashes = cursor.take_count(79);
        for (int d = 0; d < dashes && cursor.at(49); ++d) {
            const double dash = cursor.take(49);
            if (line.dashes.size() < kMaxDashes) line.dashes.push_back(dash);
        }
        pattern.push_back(std::move(line));
    }
}

}  // namespace

HatchDefinition read_hatch_definition(std::span<const HatchGroup> groups, std::size_t max_points) {
    HatchDefinition hatch;
    GroupCursor cursor(groups);
    while (!cursor.done() && !cursor.at(91)) {
        if (cursor.at(70))
            hatch.solid = cursor.take(70) == 1;
        else
            cursor.pass();
    }
    const int paths = cursor.take_count(91);
    std::size_t points = 0;
    for (int p = 0; p < paths && cursor.at(92); ++p) {
        const int type = static_cast<int>(cursor.take(92));
        Loop loop;
        if (type & kPolylinePath)
            read_polyline_path(cursor, loop);
        else
            read_edge_path(cursor, loop);
        // The boundary objects the path came from are not needed.
        const int sources = cursor.take_count(97);
        for (int s = 0; s < sources && cursor.at(330); ++s) cursor.pass();
        while (loop.size() > 1 && loop.back().x == loop.front().x &&
               loop.back().y == loop.front().y)
            loop.pop_back();
        points += loop.size();
        if (points > max_points) hatch.too_many_points = true;
        if (loop.size() >= 3 && !hatch.too_many_points)
            (type & kTextBoxPath ? hatch.text_boxes : hatch.loops).push_back(std::move(loop));
    }
    while (!cursor.done()) {
        if (cursor.at(75))
            hatch.style = static_cast<int>(cursor.take(75));
        else if (cursor.at(78))
            read_pattern_lines(cursor, hatch.pattern);
        else
            cursor.pass();
    }
    return hatch;
}

}  // namespace zov
