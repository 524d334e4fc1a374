#pragma once
// The extents by which a store is fitted into the view and laid out on the
// layer sheet.
#include "render/view_window.h"
#include "store/store_reader.h"

namespace zov {

// The box a drawing is fitted to. A JW_CAD drawing shows its paper (the
// header's extents). A DXF drawing shows the box of what is drawn (entities,
// inserted block contents and text boxes) whenever the header's extents are
// empty, a single point, miss part of that box, or are more than ten times
// as wide and as high as it (stale or default extents), with a small
// margin; otherwise the header's extents. The header is left as it is.
DrawingExtents drawing_extents(StoreReader& store);

}  // namespace zov
