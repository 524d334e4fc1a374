#pragma once
// The extents by which a store is fitted into the view and laid out on the
// layer sheet.
#include "render/entity_boxes.h"
#include "render/view_window.h"
#include "store/store_reader.h"

namespace zov {

// What the extents are for: the view's fit, or the cells of the layer sheet.
enum class ExtentsUse { ViewFit, LayerSheet };

// The box a drawing is fitted to. A JW_CAD drawing shows its paper (the
// header's extents). A DXF drawing shows the box of what is drawn (entities
// of the layers shown, inserted block contents and text boxes, but never
// the lines that stand for XLINEs and RAYs) with a small margin on every
// side; the header's extents, which are often stale or default values,
// only when nothing is drawn (or when all that is drawn is one point, which
// has no size to frame). The layer sheet's cells take every layer, and the
// header's extents whenever they hold all of it and are not more than ten
// times as wide and as high. The header is left as it is.
DrawingExtents drawing_extents(StoreReader& store, ExtentsUse use = ExtentsUse::ViewFit);
// The same from `entities`, the box of the drawing's entities for `use`
// found elsewhere (EntityBoxes::drawing(), or the entity index's walk).
DrawingExtents drawing_extents(const StoreHeader& header, const BoundingBox& entities,
                               ExtentsUse use = ExtentsUse::ViewFit);
// Whether drawing_extents() looks at the entities' box: not for a JW_CAD
// drawing with a paper.
bool extents_need_entities(const StoreHeader& header);

// The header's extents as they are: the layer sheet's store, made by the
// viewer, holds the exact box of its grid there.
DrawingExtents header_extents(const StoreHeader& header);

}  // namespace zov
