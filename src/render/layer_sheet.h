#pragma once
// The layer sheet: every layer in use drawn in a cell of its own, laid out in
// a square grid. The sheet is itself a drawing store ($VV_SUM$.TMP) made
// from the data file and drawn by the ordinary renderer; a click on a cell
// toggles its layer's hidden or locked bit in both files.
#include <optional>
#include <string>

#include "common/messages.h"
#include "render/point.h"
#include "render/surface.h"
#include "render/view_window.h"
#include "store/store_reader.h"

namespace zov {

// Cells per side for `layers_in_use` layers: the smallest square that holds
// them, at most 20 (1 for one layer or none).
int layer_sheet_size(int layers_in_use);

// The grid of the sheet: one cell has the size of the drawing's extents.
struct LayerSheetGrid {
    int cells_per_side = 0;
    double min_x = 0.0;  // lower-left corner of the grid: the drawing's minimum
    double min_y = 0.0;
    double cell_width = 0.0;
    double cell_height = 0.0;

    // Lower-left corner of the cell of the layer with `used_index`: column
    // used_index mod N, row N - 1 - used_index div N counted from the bottom.
    Point corner(int used_index) const;
    // The cell index under drawing point (x, y), or -1 outside the grid.
    int cell_at(double x, double y) const;
};

// Builds $VV_SUM$.TMP from $VV_DAT$.TMP in the program folder and fills
// `grid`. 0, or -1 after "%s をオープンできない(dat_fp)sum" or
// "%s をオープンできない(sum_fp)".
int build_layer_sheet(const std::string& program_folder, Messages& messages,
                      LayerSheetGrid& grid);

// A layer flag changed by a click on the sheet.
struct LayerToggle {
    int used_index = 0;
    int bit = 0;         // kLayerHiddenBit or kLayerLockedBit
    bool set = false;    // the bit's state after the toggle
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

// The diagonals of a cell: locked from lower-left to upper-right, hidden
// from lower-right to upper-left.
struct Diagonal {
    Point from;
    Point to;
};
Diagonal locked_diagonal(const LayerSheetGrid& grid, int used_index);
Diagonal hidden_diagonal(const LayerSheetGrid& grid, int used_index);

}  // namespace zov
