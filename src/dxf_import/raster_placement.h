#pragma once
// Where an IMAGE or a WIPEOUT lies, as both entities give it: the insertion
// point (10/20), the drawing vectors of one pixel along and up the picture
// (11/21 and 12/22) and the picture's size in pixels (13/23).
#include "dxf/group_reader.h"
#include "dxf_import/dxf_geometry.h"

namespace zov {

struct RasterPlacement {
    Point2 origin;
    Point2 u_pixel;
    Point2 v_pixel;
    double width = 0.0;   // pixels
    double height = 0.0;  // pixels

    // Takes the group when it is one of the placement's; false otherwise.
    bool take(const DxfGroupReader& reader) {
        switch (reader.code()) {
            case 10: origin.x = reader.real(); return true;
            case 20: origin.y = reader.real(); return true;
            case 11: u_pixel.x = reader.real(); return true;
            case 21: u_pixel.y = reader.real(); return true;
            case 12: v_pixel.x = reader.real(); return true;
            case 22: v_pixel.y = reader.real(); return true;
            case 13: width = reader.real(); return true;
            case 23: height = reader.real(); return true;
            default: return false;
        }
    }

    // The drawing point `across` pixels along and `up` pixels up the picture
    // from its insertion point.
    Point2 at(double across, double up) const {
        return {origin.x + across * u_pixel.x + up * v_pixel.x,
                origin.y + across * u_pixel.y + up * v_pixel.y};
    }
};

}  // namespace zov
