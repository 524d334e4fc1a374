#include "dxf_import/line_type_classifier.h"

namespace zov {

namespace {

int classify_dashes(const LineTypePattern& pattern) {
    const double d1 = pattern.dash[0];
    const double gap = -pattern.dash[1];
    const double d3 = pattern.dash[2];
    if (pattern.elements == 2) {
        if (d1 < 2) return kLineTypeDot;
        return d1 / gap >= 0.4 && d1 >= 3 ? kLineTypeDashed2 : kLineTypeDashed;
    }
    if (pattern.elements == 4) {
        if (d1 == 0 || d3 == 0) return kLineTypeCenter;
        return d3 / d1 < 0.2 && d3 > 2 ? kLineTypeCenter : kLineTypeCenter2;
    }
    if (pattern.elements > 4) {
        if (d1 == 0 || d3 == 0) return kLineTypePhantom2;
        return d3 / d1 < 0.1 ? kLineTypePhantom : kLineTypePhantom2;
    }
    return kLineTypeContinuous;
}

}  // namespace

int classify_line_type(std::string_view name, const LineTypePattern& pattern) {
    if (name.substr(0, 6) == "HIDDEN") return kLineTypeHidden;
    return classify_dashes(pattern);
}

}  // namespace zov
