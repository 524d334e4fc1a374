#pragma once
// The layer sheet: every layer in use drawn in a cell of its own, laid out in
// a square grid (render/layer_sheet_grid.h). The sheet is itself a drawing
// store ($VV_SUM$.TMP) made from the data file and drawn by the ordinary
// renderer; a click on a cell toggles its layer's hidden or locked bit in
// both files.
#include <optional>
#include <string>

#include "common/messages.h"
#include "render/layer_sheet_grid.h"
#include "render/surface.h"
#include "render/view_window.h"
#include "store/store_reader.h"

namespace zov {

// Builds $VV_SUM$.TMP from $VV_DAT$.TMP in the program folder and fills
// `grid`. 0, or -1 after "%s をオープンできない(dat_fp)sum" or
// "%s をオープンできない(sum_fp)".
int build_layer_sheet(const std::string& program_folder, Messages& messages, LayerSheetGrid& grid);

// A layer flag changed by a click on the sheet.
struct LayerToggle {
    int used_index = 0;
    int bit = 0;       // kLayerHiddenBit or kLayerLockedBit
    bool set = false;  // the bit's state after the toggle
};

// Toggles `bit` of the layer whose cell lies under pixel (px, py), writing
// the record back into both the sheet and the data file (their layer
// sections lie at the same offset). None when the pixel lies on no layer's
// cell.
std::optional<LayerToggle> toggle_layer_at(StoreReader& sheet, StoreReader& data,
                                           const LayerSheetGrid& grid, const ViewWindow& view,
                                           int px, int py, int bit);

// Redraws the toggled cell's diagonal, dotted: the hidden diagonal red when
// the layer is now hidden, the locked one green when now locked, else black.
void draw_toggled_diagonal(Surface& surface, const ViewWindow& view, const LayerSheetGrid& grid,
                           const LayerToggle& toggle);

}  // namespace zov
