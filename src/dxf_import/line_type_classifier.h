#pragma once
// The drawing store keeps nine line-type patterns; a DXF line type is mapped
// to one of them from its element count and first three dash lengths.
#include <string_view>

namespace zov {

// Store line-type codes.
enum LineTypeCode : int {
    kLineTypeByLayer = 0,
    kLineTypeContinuous = 1,
    kLineTypeDot = 2,
    kLineTypeDashed = 3,
    kLineTypeDashed2 = 4,
    kLineTypeCenter = 5,
    kLineTypeCenter2 = 6,
    kLineTypePhantom = 7,
    kLineTypePhantom2 = 8,
    kLineTypeHidden = 9,
};

struct LineTypePattern {
    int elements = 0;                  // group 73
    double dash[3] = {0.0, 0.0, 0.0};  // the first three group-49 lengths
};

// The store code of a line type with this name and pattern.
int classify_line_type(std::string_view name, const LineTypePattern& pattern);

}  // namespace zov
