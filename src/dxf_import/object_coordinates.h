#pragma once
// The object coordinate system (OCS) of planar DXF entities: CIRCLE, ARC,
// TEXT, INSERT, polylines, SOLID, HATCH draw in the plane whose normal is
// their extrusion direction (groups 210, 220, 230) at their elevation. The
// plane's axes follow the DXF arbitrary-axis algorithm; what the entity draws
// there is seen from above, projected onto the world's XY plane.
#include <optional>
#include <string_view>

#include "dxf_import/dxf_geometry.h"
#include "store/records.h"

namespace zov {

class DxfGroupReader;

// The extrusion direction and elevation of one entity as read.
struct Extrusion {
    double x = 0.0;          // group 210
    double y = 0.0;          // group 220
    double z = 1.0;          // group 230
    double elevation = 0.0;  // group 38, or the z of the first point (30)

    // Takes the group when it is one of these; false otherwise.
    bool take(int code, double value);
    bool take(const DxfGroupReader& reader);
    // True when the normal lies along the world's z axis (up or down): the
    // plane is the XY plane itself or its mirror.
    bool along_z() const { return x == 0.0 && y == 0.0; }
    // True for the XY plane seen from above: no projection to make.
    bool upward() const { return along_z() && z > 0.0; }
};

// The projection of an entity's plane onto the world's XY plane: a linear
// map of the plane's (x, y) plus the shift that the elevation makes.
class PlaneProjection {
public:
    // None when the direction is along z (handled as it always was) or
    // has no length.
    static std::optional<PlaneProjection> of(const Extrusion& extrusion);

    Point2 map(Point2 p) const;
    // The record's points, radius and angles, or its text placement, as seen
    // from above. A circle or arc becomes an elliptic arc unless the plane
    // is seen square; a text keeps reading forwards over its projected box
    // (`text` gives its width); an insert takes the nearest scales and turn.
    void map_record(EntityRecord& record, std::string_view text = {}) const;

private:
    // Image of the plane's x axis (xx, xy) and y axis (yx, yy), and of its
    // origin (dx, dy).
    double xx_ = 1.0, xy_ = 0.0, yx_ = 0.0, yy_ = 1.0, dx_ = 0.0, dy_ = 0.0;

    Point2 apply(double x, double y) const { return {xx_ * x + yx_ * y, xy_ * x + yy_ * y}; }
    double determinant() const { return xx_ * yy_ - xy_ * yx_; }
    void map_arc(EntityRecord& record) const;
    void map_text(EntityRecord& record, std::string_view text) const;
    void map_insert(EntityRecord& record) const;
};

// The elliptic arc C + P cos t + Q sin t for t from `start` to `end`
// (degrees) as the store holds it: major semi-axis, axis ratio, tilt and
// parameters from the major axis, or a circular arc by its angles when both
// axes are equal. Also ELLIPSE seen through its extrusion.
void set_elliptic_arc(EntityRecord& record, Point2 centre, Point2 p, Point2 q, double start,
                      double end);

}  // namespace zov
