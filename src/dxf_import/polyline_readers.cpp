// Readers of the DXF entities that become one record per segment: POLYLINE
// (with polyface meshes as their edges), LWPOLYLINE, SPLINE (its curve as a
// chain of lines) and LEADER.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "common/paths.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_readers.h"
#include "dxf_import/polyline_widths.h"
#include "dxf_import/spline_curve.h"

namespace zov {

int bulge_arc_segment(DxfContext& context, const EntityRecord& segment, Point2 p1, Point2 p2,
                      double bulge) {
    EntityRecord record;
    record.layer = segment.layer;
    record.colour = segment.colour;
    record.line_type = segment.line_type;
    record.line_weight = segment.line_weight;
    record.flags = segment.flags;
    record.paper_space = segment.paper_space;
    const BulgeArc arc = bulge_arc(p1, p2, bulge);
    if (arc.straight) {
        record.kind = kEntityLine;
        record.x1 = p1.x;
        record.y1 = p1.y;
        record.line.end_x = p2.x;
        record.line.end_y = p2.y;
        return context.write_entity(record);
    }
    record.kind = kEntityArc;
    record.x1 = arc.centre.x;
    record.y1 = arc.centre.y;
    record.arc.radius = arc.radius;
    record.arc.axis_ratio = record.arc.unused_one = 1.0;
    record.arc.start_angle = arc.start;
    record.arc.end_angle = arc.end;
    return context.write_entity(record);
}

namespace {

// Writes one segment of a polyline from p1 to p2: the band of a wide one,
// an arc for a bulged one, else a straight line. The segment's ends count
// for the extents unless it is the closing segment. Returns the number of
// records: 1, except for wide bulged segments.
int write_segment(DxfContext& context, const EntityRecord& base, Point2 p1, Point2 p2, double bulge,
                  bool closing, SegmentWidths widths = {}) {
    if (!closing) {
        context.report_point(p1.x, p1.y);
        context.report_point(p2.x, p2.y);
    }
    if (widths.wide()) return write_wide_segment(context, base, p1, p2, bulge, widths);
    if (bulge != 0) return bulge_arc_segment(context, base, p1, p2, bulge);
    return write_two_point_record(context, base, kEntityLine, p1, p2, false);
}

// A vertex and the bulge and widths of the segment that starts there (the
// bulge is the tangent of a quarter of its included angle: 1 and -1 are half
// circles).
struct Vertex {
    Point2 at;
    double bulge = 0.0;
    SegmentWidths widths;
};

// The segments between successive vertices, and for a closed polyline from
// the last vertex back to the first. Returns the number of records.
int write_vertices(DxfContext& context, const EntityRecord& base,
                   const std::vector<Vertex>& vertices, bool closed) {
    int written = 0;
    for (std::size_t k = 0; k + 1 < vertices.size(); ++k)
        written += write_segment(context, base, vertices[k].at, vertices[k + 1].at,
                                 vertices[k].bulge, false, vertices[k].widths);
    if (closed && vertices.size() > 1)
        written += write_segment(context, base, vertices.back().at, vertices.front().at,
                                 vertices.back().bulge, true, vertices.back().widths);
    return written;
}

// A polyline seen from below (extrusion 0, 0, -1) in world coordinates: x
// mirrored, and with it the turn of every bulge.
void mirror_vertices(std::vector<Vertex>& vertices) {
    for (Vertex& vertex : vertices) {
        vertex.at.x = -vertex.at.x;
        vertex.bulge = -vertex.bulge;
    }
}

// POLYLINE flags (group 70) and VERTEX flags.
constexpr int kClosed = 1;
constexpr int kSplineFitted = 4;
constexpr int k3dPolyline = 8;
constexpr int k3dMesh = 16;
constexpr int kPolyfaceMesh = 64;
constexpr int kSplineFramePoint = 16;
constexpr int kFaceRecord = 128;

// A face of a polyface mesh: up to four 1-based vertex numbers; a negative
// number hides the edge that starts at that corner, 0 ends the face.
struct Face {
    int corners[4] = {};
};

// The visible edges of the faces of a polyface mesh as lines.
int write_faces(DxfContext& context, const EntityRecord& base, const std::vector<Vertex>& vertices,
                const std::vector<Face>& faces) {
    int written = 0;
    for (const Face& face : faces) {
        int count = 0;
        while (count < 4 && face.corners[count] != 0) ++count;
        if (count < 2) continue;
        for (int k = 0; k < count; ++k) {
            const int from = face.corners[k], to = std::abs(face.corners[(k + 1) % count]);
            if (from < 0 || (count == 2 && k == 1)) continue;
            if (static_cast<std::size_t>(from) > vertices.size() ||
                static_cast<std::size_t>(to) > vertices.size())
                continue;
            written += write_segment(context, base, vertices[static_cast<std::size_t>(from) - 1].at,
                                     vertices[static_cast<std::size_t>(to) - 1].at, 0.0, false);
        }
    }
    return written;
}

}  // namespace

int read_polyline(DxfContext& context) {
    EntityRecord base;
    base.kind = kEntityLine;
    int flags = 0;
    Extrusion extrusion;
    SegmentWidths default_widths;  // of every vertex that gives none
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, base)) continue;
        if (reader.code() == 70) flags = reader.integer();
        if (extrusion.take(reader)) continue;
        if (reader.code() == 40) default_widths.start = reader.real();
        if (reader.code() == 41) default_widths.end = reader.real();
    }

    std::vector<Vertex> vertices;
    std::vector<Face> faces;
    // Vertices up to the SEQEND item, whose groups end the polyline.
    while (!reader.ended() && reader.read_group() > 0) {
        const bool sequence_end = equals_ignore_case(reader.value(), "SEQEND");
        Vertex vertex;
        vertex.widths = default_widths;
        Face face;
        int vertex_flags = 0;
        while (reader.read_pair()) {
            if (sequence_end) continue;
            switch (reader.code()) {
                case 10: vertex.at.x = reader.real(); break;
                case 20: vertex.at.y = reader.real(); break;
                case 42: vertex.bulge = reader.real(); break;
                case 40: vertex.widths.start = reader.real(); break;
                case 41: vertex.widths.end = reader.real(); break;
                case 70: vertex_flags = reader.integer(); break;
                case 71:
                case 72:
                case 73:
                case 74: face.corners[reader.code() - 71] = reader.integer(); break;
                default: break;
            }
        }
        if (sequence_end) break;
        // The frame of a spline-fitted polyline is not drawn, only its curve.
        if ((flags & kSplineFitted) != 0 && (vertex_flags & kSplineFramePoint) != 0) continue;
        if ((flags & kPolyfaceMesh) != 0 && (vertex_flags & kFaceRecord) != 0 &&
            (vertex_flags & kPolyfaceMesh) == 0) {
            faces.push_back(face);
        } else {
            vertices.push_back(vertex);
        }
    }
    if ((flags & kPolyfaceMesh) != 0) return write_faces(context, base, vertices, faces);
    // 3D polylines and meshes are in world coordinates already.
    if ((flags & (k3dPolyline | k3dMesh)) != 0) extrusion = Extrusion{};
    if (extrusion.along_z() && extrusion.z < 0) mirror_vertices(vertices);
    const PlaneScope plane(context, extrusion);
    return write_vertices(context, base, vertices, (flags & kClosed) != 0);
}

int read_lwpolyline(DxfContext& context) {
    EntityRecord base;
    base.kind = kEntityLine;
    bool closed = false;
    Extrusion extrusion;
    double constant_width = 0.0;
    std::vector<Vertex> vertices;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, base)) continue;
        switch (reader.code()) {
            case 70: closed = (reader.integer() & kClosed) != 0; break;
            case 10: vertices.push_back({{reader.real(), 0.0}, 0.0, {}}); break;
            case 20:
                if (!vertices.empty()) vertices.back().at.y = reader.real();
                break;
            case 42:
                if (!vertices.empty()) vertices.back().bulge = reader.real();
                break;
            case 40:
                if (!vertices.empty()) vertices.back().widths.start = reader.real();
                break;
            case 41:
                if (!vertices.empty()) vertices.back().widths.end = reader.real();
                break;
            case 43: constant_width = reader.real(); break;
            default: extrusion.take(reader); break;
        }
    }
    // The constant width stands for the widths of vertices that give none.
    for (Vertex& vertex : vertices) {
        if (!vertex.widths.wide()) vertex.widths = {constant_width, constant_width};
    }
    if (extrusion.along_z() && extrusion.z < 0) mirror_vertices(vertices);
    const PlaneScope plane(context, extrusion);
    return write_vertices(context, base, vertices, closed);
}

int read_spline(DxfContext& context) {
    EntityRecord base;
    base.kind = kEntityLine;
    SplineDefinition spline;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, base)) continue;
        switch (reader.code()) {
            case 70: spline.closed = (reader.integer() & kClosed) != 0; break;
            case 71: spline.degree = reader.integer(); break;
            case 40: spline.knots.push_back(reader.real()); break;
            case 41: spline.weights.push_back(reader.real()); break;
            case 10: spline.control.push_back({reader.real(), 0.0}); break;
            case 20:
                if (!spline.control.empty()) spline.control.back().y = reader.real();
                break;
            case 11: spline.fit.push_back({reader.real(), 0.0}); break;
            case 21:
                if (!spline.fit.empty()) spline.fit.back().y = reader.real();
                break;
            default: break;
        }
    }
    const std::vector<Point2> chain = spline_points(spline);
    int written = 0;
    for (std::size_t k = 0; k + 1 < chain.size(); ++k)
        written += write_segment(context, base, chain[k], chain[k + 1], 0.0, false);
    return written;
}

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
        record.line.end_x = vertices[k + 1].x;
        record.line.end_y = vertices[k + 1].y;
        context.report_point(record.x1, record.y1);
        context.report_point(record.line.end_x, record.line.end_y);
        written += context.write_entity(record);
    }
    return written;
}

}  // namespace zov
