#include "render/drawing_extents.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zov {

namespace {

class Box {
public:
    void include(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        if (empty_) {
            min_x_ = max_x_ = x;
            min_y_ = max_y_ = y;
            empty_ = false;
            return;
        }
        min_x_ = std::min(min_x_, x);
        min_y_ = std::min(min_y_, y);
        max_x_ = std::max(max_x_, x);
        max_y_ = std::max(max_y_, y);
    }
    bool empty() const { return empty_; }
    DrawingExtents extents() const { return {min_x_, min_y_, max_x_, max_y_}; }

private:
    bool empty_ = true;
    double min_x_ = 0, min_y_ = 0, max_x_ = 0, max_y_ = 0;
};

void include_record(Box& box, const EntityRecord& e, double paper_scale) {
    const double s = e.paper_space == 1 ? paper_scale : 1.0;
    switch (e.kind) {
        case kEntityLine:
        case kEntityLeader:
            box.include(e.x1 * s, e.y1 * s);
            box.include(e.p56 * s, e.p64 * s);
            break;
        case kEntityArc: {
            const double r = std::abs(e.p72) * s;
            box.include(e.x1 * s - r, e.y1 * s - r);
            box.include(e.x1 * s + r, e.y1 * s + r);
            break;
        }
        case kEntitySolid:
            box.include(e.x1 * s, e.y1 * s);
            box.include(e.p56 * s, e.p64 * s);
            box.include(e.p72 * s, e.p88 * s);
            box.include(e.p80 * s, e.p96 * s);
            break;
        case kEntityText: {
            // The corners of the text's box, half a height per byte.
            const double h = e.p64 * s, w = e.text_length * h / 2.0;
            const double a = e.p80 * std::numbers::pi / 180.0;
            const double ux = std::cos(a), uy = std::sin(a);
            const double x = e.x1 * s, y = e.y1 * s;
            box.include(x, y);
            box.include(x + w * ux, y + w * uy);
            box.include(x - h * uy, y + h * ux);
            box.include(x + w * ux - h * uy, y + w * uy + h * ux);
            break;
        }
        default: box.include(e.x1 * s, e.y1 * s); break;
    }
}

}  // namespace

DrawingExtents drawing_extents(StoreReader& store) {
    const StoreHeader& h = store.header();
    const DrawingExtents stated{h.min_x, h.min_y, h.max_x, h.max_y};
    const bool empty = h.min_x > h.max_x || h.min_y > h.max_y;
    const bool single_point = h.min_x == h.max_x && h.min_y == h.max_y;
    if (!empty && !single_point) return stated;
    const double paper_scale = h.scale == 0.0 ? 200.0 : h.scale;
    Box box;
    EntityRecord record;
    const std::int32_t count = store.entity_count();
    for (std::int32_t i = 0; i < count && store.read_entity(i, record) == 0; ++i)
        include_record(box, record, paper_scale);
    return box.empty() ? stated : box.extents();
}

}  // namespace zov
