#pragma once
// The extents by which a store is fitted into the view and laid out on the
// layer sheet.
#include "render/view_window.h"
#include "store/store_reader.h"

namespace zov {

// The header's extents; when they are the empty box (minimum above maximum:
// the source gave no extents and no entity reported a point, as with a DXF
// file of circles only) or a single point (extents of 0, 0 and 0, 0 written
// by some programs), the box of the entities' own points instead, so that
// such a drawing is still seen. The header is left as it is.
DrawingExtents drawing_extents(StoreReader& store);

}  // namespace zov
