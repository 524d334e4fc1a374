#include "view/pass_preview.h"

namespace zov {

PreviewMapping preview_mapping(const ViewWindow& drawn, const ViewWindow& wanted) {
    // x: p = s (x - ox); y: p = s ((flip - y) - oy).
    const double scale = wanted.view_scale / drawn.view_scale;
    return {
        scale, wanted.view_scale * (drawn.origin_x - wanted.origin_x),
        wanted.view_scale * ((wanted.flip_y - drawn.flip_y) + (drawn.origin_y - wanted.origin_y))};
}

}  // namespace zov
