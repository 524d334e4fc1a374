#include "render/drawing_extents.h"

#include <algorithm>
#include <cmath>

#include "render/entity_boxes.h"

namespace zov {

namespace {

// Share of the entities' box's width and height left free on each side.
constexpr double kFitMargin = 0.02;
// Header extents more than this many times as wide and as high as what is
// drawn are stale (left from an earlier, larger drawing): the layer sheet's
// cells would show specks.
constexpr double kStaleExtentsFactor = 10.0;

bool contains(const DrawingExtents& outer, const DrawingExtents& inner) {
    // Extents written with a few digits may miss the entities by a hair.
    const double slack = 1e-6 * std::max({std::abs(outer.max_x - outer.min_x),
                                          std::abs(outer.max_y - outer.min_y), 1.0});
    return inner.min_x >= outer.min_x - slack && inner.min_y >= outer.min_y - slack &&
           inner.max_x <= outer.max_x + slack && inner.max_y <= outer.max_y + slack;
}

// A box without width or height (a single line, a point) is not compared.
bool much_larger(const DrawingExtents& outer, const DrawingExtents& inner) {
    const double w = inner.max_x - inner.min_x, h = inner.max_y - inner.min_y;
    return w > 0 && h > 0 && outer.max_x - outer.min_x > kStaleExtentsFactor * w &&
           outer.max_y - outer.min_y > kStaleExtentsFactor * h;
}

DrawingExtents with_margin(const DrawingExtents& e) {
    const double mx = kFitMargin * (e.max_x - e.min_x), my = kFitMargin * (e.max_y - e.min_y);
    return {e.min_x - mx, e.min_y - my, e.max_x + mx, e.max_y + my};
}

}  // namespace

DrawingExtents header_extents(const StoreHeader& h) { return {h.min_x, h.min_y, h.max_x, h.max_y}; }

bool extents_need_entities(const StoreHeader& h) {
    const bool empty = h.min_x > h.max_x || h.min_y > h.max_y;
    const bool single_point = h.min_x == h.max_x && h.min_y == h.max_y;
    return h.kind != kSourceJwCad || empty || single_point;
}

DrawingExtents drawing_extents(StoreReader& store, ExtentsUse use) {
    const StoreHeader& h = store.header();
    // A JW_CAD drawing is fitted by its paper whenever it has one.
    if (!extents_need_entities(h)) return header_extents(h);
    return drawing_extents(
        h,
        EntityBoxes(store, use == ExtentsUse::LayerSheet ? BoxUse::LayerSheet : BoxUse::ViewFit)
            .drawing(),
        use);
}

DrawingExtents drawing_extents(const StoreHeader& h, const BoundingBox& entities, ExtentsUse use) {
    const DrawingExtents stated = header_extents(h);
    if (!extents_need_entities(h)) return stated;
    const bool empty = h.min_x > h.max_x || h.min_y > h.max_y;
    const bool single_point = h.min_x == h.max_x && h.min_y == h.max_y;
    if (entities.empty()) return stated;
    const DrawingExtents own = entities.extents();
    // A lone point has no size to frame: the header's box around it does.
    const bool lone_point = own.min_x == own.max_x && own.min_y == own.max_y;
    if (lone_point && !empty && !single_point) return stated;
    if (h.kind == kSourceJwCad) return own;
    const bool sheet_stands = use == ExtentsUse::LayerSheet && !empty && !single_point &&
                              contains(stated, own) && !much_larger(stated, own);
    return sheet_stands ? stated : with_margin(own);
}

}  // namespace zov
