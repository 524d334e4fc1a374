// Readers of the DXF entities that become one record per segment: POLYLINE,
// LWPOLYLINE, SPLINE (its control polygon) and LEADER.
#include <cmath>
#include <vector>

#include "common/paths.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_readers.h"
#include "dxf_import/polyline_widths.h"

namespace zov {

int bulge_arc_segment(DxfContext& context, const EntityRecord& segment, Point2 p1, Point2 p2,
                      double bulge) {
    EntityRecord record;
    record.layer = segment.layer;
    record.colour = segment.colour;
    record.line_type = segment.line_type;
    record.flags = segment.flags;
    record.paper_space = segment.paper_space;
    const BulgeArc arc = bulge_arc(p1, p2, bulge);
    if (arc.straight) {
        record.kind = kEntityLine;
        record.x1 = p1.x;
        record.y1 = p1.y;
        record.p56 = p2.x;
        record.p64 = p2.y;
        return context.write_entity(record);
    }
    record.kind = kEntityArc;
    record.x1 = arc.centre.x;
    record.y1 = arc.centre.y;
    record.p72 = arc.radius;
    record.p56 = record.p64 = 1.0;
    record.p88 = arc.start;
    record.p96 = arc.end;
    return context.write_entity(record);
}

namespace {

// A bulge of -1 is taken as 1, and a bulge of exactly 1 (a half circle, which
// marks a dot drawn as a polyline) is kept as 0.999 and opens the polyline.
double take_bulge(double bulge, bool& closed) {
    if (bulge == -1) bulge = 1;
    if (bulge == 1) {
        closed = false;
        return 0.999;
    }
    return bulge;
}

bool marks_dot(double bulge) { return bulge > 0.998 && bulge < 1.0; }

// Writes one segment of a polyline from p1 to p2: a point record for a dot
// segment, the band of a wide one, an arc for a bulged one, else a straight
// line. The segment's ends count for the extents unless it is the closing
// segment. Returns the number of records: 1, except for wide segments.
int write_segment(DxfContext& context, const EntityRecord& base, Point2 p1, Point2 p2,
                  double bulge, bool dot, bool closing, SegmentWidths widths = {}) {
    if (!closing) {
        context.report_point(p1.x, p1.y);
        context.report_point(p2.x, p2.y);
    }
    if (widths.wide() && !dot) return write_wide_segment(context, base, p1, p2, bulge, widths);
    if (bulge != 0 && !dot) return bulge_arc_segment(context, base, p1, p2, bulge);
    EntityRecord record = base;
    record.kind = dot ? kEntityPoint : kEntityLine;
    record.x1 = p1.x;
    record.y1 = p1.y;
    record.p56 = p2.x;
    record.p64 = p2.y;
    return context.write_entity(record);
}

// The points of a polyline as they come, with the segments they close.
class PolylinePoints {
public:
    // A completed point; true when it ends a segment (it is not the first).
    bool add(Point2 point) {
        previous_ = last_;
        last_ = point;
        if (count_++ == 0) first_ = point;
        return count_ > 1;
    }
    int count() const { return count_; }
    Point2 first() const { return first_; }
    Point2 previous() const { return previous_; }
    Point2 last() const { return last_; }

private:
    Point2 first_, previous_, last_;
    int count_ = 0;
};

constexpr int kSplineFramePoint = 16;

}  // namespace

int read_polyline(DxfContext& context) {
    EntityRecord base;
    base.kind = kEntityLine;
    bool closed = false;
    DxfGroupReader& reader = context.reader;
    SegmentWidths default_widths;  // of every vertex that gives none
    while (reader.read_pair()) {
        if (take_common_group(context, base)) continue;
        if (reader.code() == 70) closed = (reader.integer() & 1) != 0;
        if (reader.code() == 40) default_widths.start = reader.real();
        if (reader.code() == 41) default_widths.end = reader.real();
    }

    PolylinePoints points;
    Point2 point;
    double bulge = 0.0;
    SegmentWidths widths = default_widths;
    bool can_take_back = false;
    int written = 0;
    // Vertices up to the SEQEND item, whose groups end the polyline.
    while (!reader.ended() && reader.read_group() > 0) {
        const bool sequence_end = equals_ignore_case(reader.value(), "SEQEND");
        while (reader.read_pair()) {
            if (sequence_end) continue;
            switch (reader.code()) {
                case 10: point.x = reader.real(); break;
                case 20:
                    point.y = reader.real();
                    if (points.add(point)) {
                        const int records = write_segment(context, base, points.previous(), point,
                                                          bulge, marks_dot(bulge), false, widths);
                        written += records;
                        can_take_back = records == 1;
                        bulge = 0.0;
                        widths = default_widths;
                    }
                    break;
                case 42: bulge = take_bulge(reader.real(), closed); break;
                case 40: widths.start = reader.real(); break;
                case 41: widths.end = reader.real(); break;
                case 70:
                    // A spline frame point: the next segment overwrites the last one.
                    if (reader.integer() == kSplineFramePoint && can_take_back) {
                        written += context.take_back_entity();
                        can_take_back = false;
                    }
                    break;
                default: break;
            }
        }
        if (sequence_end) break;
    }
    if (closed && points.count() > 1)
        written += write_segment(context, base, points.last(), points.first(), bulge, false, true,
                                 widths);
    return written;
}

namespace {

// LWPOLYLINE and SPLINE: the points of groups 10 and 20 (a spline's control
// points), and for LWPOLYLINE the bulge of group 42 and the widths of groups
// 40 and 41 that follow a point, and the constant width of group 43.
int read_point_polyline(DxfContext& context, bool takes_bulges) {
    EntityRecord base;
    base.kind = kEntityLine;
    bool closed = false;
    PolylinePoints points;
    Point2 point;
    double bulge = 0.0;
    double constant_width = 0.0;
    SegmentWidths widths;
    // The widths of the segment that starts at the last point.
    auto segment_widths = [&] {
        return widths.wide() ? widths : SegmentWidths{constant_width, constant_width};
    };
    int written = 0;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, base)) continue;
        switch (reader.code()) {
            case 70: closed = (reader.integer() & 1) != 0; break;
            case 42:
                if (takes_bulges) bulge = take_bulge(reader.real(), closed);
                break;
            case 40:
                if (takes_bulges) widths.start = reader.real();
                break;
            case 41:
                if (takes_bulges) widths.end = reader.real();
                break;
            case 43:
                if (takes_bulges) constant_width = reader.real();
                break;
            case 10: point.x = reader.real(); break;
            case 20:
                point.y = reader.real();
                if (points.add(point)) {
                    const bool dot = points.count() == 2 && marks_dot(bulge);
                    written += write_segment(context, base, points.previous(), point, bulge, dot,
                                             false, segment_widths());
                    bulge = 0.0;
                    widths = {};
                }
                break;
            default: break;
        }
    }
    if (closed && points.count() > 1)
        written += write_segment(context, base, points.last(), points.first(), bulge, false, true,
                                 segment_widths());
    return written;
}

}  // namespace

int read_lwpolyline(DxfContext& context) { return read_point_polyline(context, true); }

int read_spline(DxfContext& context) { return read_point_polyline(context, false); }

namespace {

constexpr std::size_t kMaxLeaderVertices = 20;

// Direction (degrees) of the leg from `from` to `to`.
double leg_direction(Point2 from, Point2 to) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    if (std::fabs(dx) >= 0.01) return degrees(std::atan(dy / dx)) + (dx < 0 ? 180 : 0);
    return dy > 0 ? 90 : 270;
}

}  // namespace

int read_leader(DxfContext& context) {
    EntityRecord base;
    bool arrow_head = true;
    double arrow_size = 0.0;
    std::vector<Point2> vertices;
    Point2 point;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, base)) continue;
        switch (reader.code()) {
            case 71: arrow_head = reader.integer() != 0; break;
            case 41: arrow_size = reader.real(); break;
            case 10: point.x = reader.real(); break;
            case 20:
                point.y = reader.real();
                if (vertices.size() < kMaxLeaderVertices)
                    vertices.push_back(point);
                else
                    vertices.back() = point;
                break;
            default: break;
        }
    }
    if (vertices.size() < 2) return 0;
    Point2& end = vertices.back();
    const double outward = radians(leg_direction(vertices[vertices.size() - 2], end));
    end.x += arrow_size * std::cos(outward);
    end.y += arrow_size * std::sin(outward);
    int written = 0;
    for (std::size_t k = 0; k + 1 < vertices.size(); ++k) {
        EntityRecord record = base;
        record.kind = k == 0 && arrow_head ? kEntityLeader : kEntityLine;
        record.x1 = vertices[k].x;
        record.y1 = vertices[k].y;
        record.p56 = vertices[k + 1].x;
        record.p64 = vertices[k + 1].y;
        context.report_point(record.x1, record.y1);
        context.report_point(record.p56, record.p64);
        written += context.write_entity(record);
    }
    return written;
}

}  // namespace zov
