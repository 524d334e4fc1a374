// HATCH: a solid fill becomes filled triangles (kind 8) covering its
// boundary loops with their holes; a pattern fill becomes the dashes of its
// pattern lines (kind 1, dots kind 3) clipped to the loops. A hatch whose
// fill cannot be made, or would make more records than a bound, keeps the
// outline of its loops (kind 1) and, when the bound was the reason, says so
// in the import's notes.
#include <string>
#include <vector>

#include "common/messages.h"
#include "dxf_import/entity_groups.h"
#include "dxf_import/hatch_definition.h"
#include "dxf_import/hatch_pattern.h"
#include "dxf_import/polygon_triangulation.h"

namespace zov {

namespace {

// Records of one hatch's fill, at most.
constexpr std::size_t kMaxHatchRecords = 200000;
// Boundary points of one hatch, at most; and of one filled region, since
// ear clipping takes time growing with the square of them.
constexpr std::size_t kMaxBoundaryPoints = 100000;
constexpr std::size_t kMaxRegionPoints = 10000;
// Groups of one hatch kept for reading its definition.
constexpr std::size_t kMaxHatchGroups = 4000000;
// Notes of one import, at most.
constexpr std::size_t kMaxNotes = 100;

}  // namespace

int write_outline(DxfContext& context, const EntityRecord& base, const std::vector<Loop>& loops) {
    int written = 0;
    for (const Loop& loop : loops) {
        for (std::size_t i = 0; i < loop.size(); ++i)
            written += write_two_point_record(context, base, kEntityLine, loop[i],
                                              loop[(i + 1) % loop.size()], false);
    }
    return written;
}

int write_triangles(DxfContext& context, const EntityRecord& base,
                    const std::vector<Triangle>& triangles) {
    int written = 0;
    for (const Triangle& triangle : triangles) {
        // A filled quadrilateral whose fourth corner repeats the third.
        EntityRecord record = base;
        record.kind = kEntitySolid;
        record.solid.first_x = triangle.a.x;
        record.solid.first_y = triangle.a.y;
        record.x1 = triangle.b.x;
        record.y1 = triangle.b.y;
        record.solid.third_x = record.solid.fourth_x = triangle.c.x;
        record.solid.third_y = record.solid.fourth_y = triangle.c.y;
        written += context.write_entity(record);
    }
    return written;
}

namespace {

int write_pattern(DxfContext& context, const EntityRecord& base,
                  const std::vector<PatternSegment>& segments) {
    int written = 0;
    for (const PatternSegment& segment : segments) {
        const bool dot = segment.from.x == segment.to.x && segment.from.y == segment.to.y;
        written += write_two_point_record(context, base, dot ? kEntityPoint : kEntityLine,
                                          segment.from, segment.to, false);
    }
    return written;
}

void note_outline(DxfContext& context, const std::string& handle, const std::string& reason) {
    // Blocks are read twice; the note is made once, in the writing pass.
    std::vector<std::string>& notes = context.state.notes;
    if (context.counting || notes.size() >= kMaxNotes) return;
    notes.push_back(
        format_text("HATCH %s kept as its outline: %s", handle.c_str(), reason.c_str()));
}

}  // namespace

int read_hatch(DxfContext& context) {
    EntityRecord base;
    std::vector<HatchGroup> groups;
    std::string handle;
    read_entity_groups(context, base, {}, kAllCommonGroups, [&](const DxfGroupReader& reader) {
        if (reader.code() == 5) handle = reader.value();
        if (groups.size() < kMaxHatchGroups) groups.push_back({reader.code(), reader.real()});
    });
    const HatchDefinition hatch = read_hatch_definition(groups, kMaxBoundaryPoints);
    // The fill is made in the hatch's plane, then projected.
    Extrusion extrusion;
    for (const HatchGroup& group : groups) {
        if (group.code == 210 || group.code == 220 || group.code == 230 || group.code == 30)
            extrusion.take(group.code, group.value);
    }
    const PlaneScope plane(context, extrusion);
    for (const Loop& loop : hatch.loops) {
        for (Point2 point : loop) context.report_point(point.x, point.y);
    }
    if (hatch.too_many_points) {
        note_outline(context, handle,
                     format_text("its boundary has more than %zu points", kMaxBoundaryPoints));
        return write_outline(context, base, hatch.loops);
    }
    if (hatch.solid) {
        std::vector<Triangle> triangles;
        bool filled = triangulate_loops(hatch.loops, hatch.style, kMaxRegionPoints,
                                        kMaxHatchRecords, triangles);
        for (std::size_t i = 0; filled && i < hatch.text_boxes.size(); ++i)
            filled = cut_convex_hole(triangles, hatch.text_boxes[i], kMaxHatchRecords);
        if (filled) return write_triangles(context, base, triangles);
        note_outline(context, handle,
                     format_text("a filled region has more than %zu points or its fill more "
                                 "than %zu triangles",
                                 kMaxRegionPoints, kMaxHatchRecords));
    } else if (!hatch.pattern.empty()) {
        // Pattern lines leave the text boxes open by odd parity, as before.
        std::vector<Loop> loops = hatch.loops;
        loops.insert(loops.end(), hatch.text_boxes.begin(), hatch.text_boxes.end());
        std::vector<PatternSegment> segments;
        if (clip_pattern(loops, hatch.pattern, kMaxHatchRecords, segments))
            return write_pattern(context, base, segments);
        note_outline(context, handle,
                     format_text("its pattern would make more than %zu records", kMaxHatchRecords));
    }
    return write_outline(context, base, hatch.loops);
}

}  // namespace zov
