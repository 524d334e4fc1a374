#pragma once
// What a symbol is drawn with inside its BLOCK, in drawing units: lines,
// circles, arcs and ellipses, points, texts and filled quadrilaterals. The
// block writer puts them into the DXF file; the survey only measures them.
#include <array>
#include <string_view>

#include "symconv/element_geometry.h"

namespace zov {

// A DXF line-type name and colour number.
struct DxfPen {
    const char* line_type;
    int colour;
};

// A text as it is placed: from (x, y) along `angle` (degrees) to about
// (end_x, end_y), `height` high, its characters `width_factor` times as
// wide as the font draws them; a vertical text is written top to bottom.
struct TextRun {
    double x = 0, y = 0;
    double end_x = 0, end_y = 0;
    double height = 0;
    double width_factor = 1;
    double angle = 0;
    int colour = 7;
    bool vertical = false;
};

class ElementSink {
public:
    virtual ~ElementSink() = default;
    virtual void line(const DxfPen& pen, double x1, double y1, double x2, double y2) = 0;
    virtual void curve(const DxfPen& pen, const EllipseArc& arc) = 0;
    virtual void point(const DxfPen& pen, double x, double y) = 0;
    virtual void text(const TextRun& run, std::string_view text) = 0;
    // Corners in drawing order around the quadrilateral.
    virtual void solid(int colour, const std::array<ChainPoint, 4>& corners) = 0;
};

}  // namespace zov
