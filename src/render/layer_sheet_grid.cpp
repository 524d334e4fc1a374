#include "render/layer_sheet_grid.h"

#include <cmath>
#include <cstdint>

namespace zov {

namespace {

constexpr int kMaxCellsPerSide = 20;

}  // namespace

int layer_sheet_size(int layers_in_use) {
    int n = 1;
    while (n * n < layers_in_use && n < kMaxCellsPerSide) ++n;
    return n;
}

Point LayerSheetGrid::corner(int used_index) const {
    // Wide arithmetic: a damaged layer record may carry any index; it then
    // lands off the grid instead of overflowing.
    const std::int64_t n = cells_per_side;
    if (n <= 0) return {min_x, min_y};
    const std::int64_t column = used_index % n;
    const std::int64_t row = n - 1 - used_index / n;
    return {min_x + column * cell_width, min_y + row * cell_height};
}

int LayerSheetGrid::cell_at(double x, double y) const {
    const int n = cells_per_side;
    if (n <= 0 || !(cell_width > 0.0) || !(cell_height > 0.0)) return -1;
    const double column = std::floor((x - min_x) / cell_width);
    const double row = std::floor((y - min_y) / cell_height);
    if (!(column >= 0.0 && column < n && row >= 0.0 && row < n)) return -1;
    return static_cast<int>(column) + (n - 1 - static_cast<int>(row)) * n;
}

Diagonal locked_diagonal(const LayerSheetGrid& grid, int used_index) {
    const Point c = grid.corner(used_index);
    return {c, {c.x + grid.cell_width, c.y + grid.cell_height}};
}

Diagonal hidden_diagonal(const LayerSheetGrid& grid, int used_index) {
    const Point c = grid.corner(used_index);
    return {{c.x + grid.cell_width, c.y}, {c.x, c.y + grid.cell_height}};
}

}  // namespace zov
