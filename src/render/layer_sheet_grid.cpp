#include "render/layer_sheet_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/japanese_texts.h"
#include "store/records.h"
#include "store/text_metrics.h"

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

SheetBand sheet_band(const LayerSheetGrid& grid, std::string_view title) {
    // Widths per unit of height; a legend's marker runs two heights before
    // its text, and a height parts the items.
    auto units = [](std::string_view text) {
        return text_advance_width(kSourceJwCad, 1.0, 1.0, text);
    };
    const double hidden = units(cp932_text(JaText::HiddenLegend));
    const double locked = units(cp932_text(JaText::LockedLegend));
    constexpr double kMarker = 2.0, kGap = 1.0;
    const double n = grid.cells_per_side;
    const double width = n * std::abs(grid.cell_width), height = n * std::abs(grid.cell_height);
    const double band = (kSheetMargin - 1.0) * height;
    const double right = grid.min_x + width;
    const double y = grid.min_y + height + 0.02 * std::abs(grid.cell_height);

    SheetBand layout;
    const double legend_units = kMarker + hidden + kGap + kMarker + locked;
    layout.legend_height = std::min(0.25 * band, 0.6 * width / legend_units);
    const double h = layout.legend_height;
    layout.locked_at = {right - locked * h, y};
    layout.hidden_at = {layout.locked_at.x - (kMarker + kGap + hidden) * h, y};
    const double left = grid.min_x + 0.02 * std::abs(grid.cell_width);
    const double room = layout.hidden_at.x - (kMarker + kGap) * h - left;
    const double title_units = units(title);
    layout.title_height =
        title_units > 0.0 ? std::min(0.6 * band, std::max(room, 0.0) / title_units) : 0.6 * band;
    layout.title_at = {left, y};
    return layout;
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
