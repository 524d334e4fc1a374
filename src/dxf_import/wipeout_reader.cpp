// WIPEOUT: an area that hides what was drawn before it, as solids (kind 8)
// filled in the background colour, and its frame (kind 1) when the file's
// wipeout variables show frames.
#include <vector>

#include "dxf_import/entity_groups.h"
#include "dxf_import/polygon_triangulation.h"
#include "dxf_import/raster_placement.h"

namespace zov {

namespace {

// Boundary points of one wipeout, at most; filled regions of this size
// triangulate in moments.
constexpr std::size_t kMaxWipeoutPoints = 10000;
constexpr std::size_t kMaxWipeoutTriangles = 2 * kMaxWipeoutPoints;

// Clip boundary types (group 71).
constexpr int kRectangleBoundary = 1;

// The display-frame setting of the file's WIPEOUTVARIABLES object, which
// stands in the OBJECTS section after every entity: read ahead once, then
// the reader goes back to where it was.
bool file_shows_wipeout_frames(DxfGroupReader& reader) {
    const DxfGroupReader::Mark here = reader.mark();
    bool shown = false;
    bool in_variables = false;
    while (reader.read_group() > 0) {
        if (reader.is_code_line()) continue;
        if (reader.code() == 0) {
            if (in_variables) break;
            in_variables = reader.value() == "WIPEOUTVARIABLES";
        } else if (in_variables && reader.code() == 70) {
            shown = reader.integer() != 0;
            break;
        }
    }
    reader.return_to(here);
    return shown;
}

}  // namespace

int read_wipeout(DxfContext& context) {
    if (!context.wipeout_frames) context.wipeout_frames = file_shows_wipeout_frames(context.reader);
    EntityRecord base;
    RasterPlacement place;
    place.width = place.height = 1.0;
    int boundary_type = 0;
    std::vector<Point2> boundary;  // in image pixels
    read_entity_groups(context, base, {}, kAllCommonGroups, [&](const DxfGroupReader& reader) {
        if (place.take(reader)) return;
        switch (reader.code()) {
            case 71: boundary_type = reader.integer(); break;
            case 14:
                if (boundary.size() < kMaxWipeoutPoints) boundary.push_back({reader.real(), 0.0});
                break;
            case 24:
                if (!boundary.empty()) boundary.back().y = reader.real();
                break;
            default: break;
        }
    });
    // Without a boundary of its own the whole image is masked; a rectangle
    // is given by two opposite corners.
    if (boundary.size() < 2) {
        boundary = {{-0.5, -0.5}, {place.width - 0.5, place.height - 0.5}};
        boundary_type = kRectangleBoundary;
    }
    if (boundary_type == kRectangleBoundary || boundary.size() == 2) {
        const Point2 a = boundary[0], b = boundary[1];
        boundary = {a, {b.x, a.y}, b, {a.x, b.y}};
    }
    // Pixel rows run downward from the image's top; the corner of pixel
    // (0, 0) lies half a pixel outside its centre.
    std::vector<Point2> loop;
    for (const Point2 pixel : boundary) {
        loop.push_back(place.at(pixel.x + 0.5, place.height - 0.5 - pixel.y));
    }
    if (loop.size() > 3 && loop.front().x == loop.back().x && loop.front().y == loop.back().y)
        loop.pop_back();
    for (const Point2 point : loop) context.report_point(point.x, point.y);
    const std::vector<std::vector<Point2>> loops{loop};
    std::vector<Triangle> triangles;
    int written = 0;
    if (triangulate_loops(loops, 0, kMaxWipeoutPoints, kMaxWipeoutTriangles, triangles)) {
        EntityRecord mask = base;
        mask.flags |= kEntityBackgroundFill;
        written += write_triangles(context, mask, triangles);
    }
    if (*context.wipeout_frames) written += write_outline(context, base, loops);
    return written;
}

}  // namespace zov
