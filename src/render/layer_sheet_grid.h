#pragma once
// The layer sheet's grid: every layer in use has a cell of its own, laid out
// in a square. The pass draws the cells' markers from it, the view lays the
// sheet out and finds the cell under a click.
#include <string_view>

#include "render/point.h"

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

// The sheet is fitted to this many times the grid's size: the room above
// the grid holds the title and the legend.
inline constexpr double kSheetMargin = 1.1;

// The band above the grid: the legend of the cell markers at its right end
// and the drawing's `title` at its left, in the room the legend leaves, each
// sized to fit. Texts are sized as the layer sheet's labels.
struct SheetBand {
    Point title_at;  // start of the title's base line
    double title_height = 0.0;
    Point hidden_at;  // start of the hidden legend's text, its marker before it
    Point locked_at;
    double legend_height = 0.0;
};
SheetBand sheet_band(const LayerSheetGrid& grid, std::string_view title);

// The diagonals of a cell: locked from lower-left to upper-right, hidden
// from lower-right to upper-left.
struct Diagonal {
    Point from;
    Point to;
};
Diagonal locked_diagonal(const LayerSheetGrid& grid, int used_index);
Diagonal hidden_diagonal(const LayerSheetGrid& grid, int used_index);

}  // namespace zov
