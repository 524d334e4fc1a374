#pragma once
// While a pass of a new view is being drawn, the window shows the picture of
// the view before, moved and scaled to where its drawing lies in the new
// view. Both views map a point of the drawing to pixel
// scale * (window coordinate - origin); the mapping below takes one to the
// other.
#include "render/view_window.h"

namespace zov {

// Pixel (x, y) of a picture drawn through one view lies at
// (scale * x + dx, scale * y + dy) in another.
struct PreviewMapping {
    double scale = 1.0;
    double dx = 0.0;
    double dy = 0.0;
};

PreviewMapping preview_mapping(const ViewWindow& drawn, const ViewWindow& wanted);

}  // namespace zov
