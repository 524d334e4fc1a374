// The layer sheet's cell markers and legend, drawn before its entities.
#include "common/japanese_texts.h"
#include "render/colours.h"
#include "render/drawing_pass.h"
#include "render/layer_sheet_grid.h"

namespace zov {

namespace {

constexpr Rgb kDarkGreen{0, 96, 0};
constexpr Rgb kDarkRed{96, 0, 0};
const char* const kLockedLegend = cp932_text(JaText::LockedLegend);
const char* const kHiddenLegend = cp932_text(JaText::HiddenLegend);

}  // namespace

void DrawingPass::draw_cell_markers(const LayerSheetGrid& grid) {
    const double cw = grid.cell_width, ch = grid.cell_height;
    LayerRecord layer;
    const std::int32_t count = layers_.layer_count();
    for (std::int32_t n = 1; n <= count; ++n) {
        if (layers_.read_layer(n, layer) != 0) break;
        if (layer.used_number == 0) continue;
        const bool hidden = test_bit(layer.flags, kLayerHiddenBit);
        const bool locked = test_bit(layer.flags, kLayerLockedBit);
        if (locked) {
            use_pen(kDarkGreen, PenStyle::Dot);
            const Diagonal d = locked_diagonal(grid, layer.used_index);
            draw_line(d.from, d.to);
        }
        if (hidden) {
            use_pen(kDarkRed, PenStyle::Dot);
            const Diagonal d = hidden_diagonal(grid, layer.used_index);
            draw_line(d.from, d.to);
        }
        const Point corner = grid.corner(layer.used_index);
        const double height = 0.05 * ch;
        const Point at{corner.x + 0.01 * cw, corner.y + 0.935 * ch};
        if (hidden) {
            use_pen(kRed, PenStyle::Dot);
            draw_plain_text(at, height, 0.0, "Hide", false, kSourceJwCad);
        }
        if (locked) {
            use_pen(kGreen, PenStyle::Dot);
            draw_plain_text({at.x + 2.5 * height, at.y}, height, 0.0, "Lock", false, kSourceJwCad);
        }
    }

    const SheetBand band = sheet_band(grid, display_file_name(header_));
    const double height = band.legend_height;
    auto legend = [&](Rgb colour, Point at, const char* text) {
        use_pen(colour, PenStyle::Dot);
        draw_plain_text(at, height, 0.0, text, false, kSourceJwCad);
        draw_line({at.x, at.y + height}, {at.x - 2.0 * height, at.y});
    };
    legend(kGreen, band.locked_at, kLockedLegend);
    legend(kRed, band.hidden_at, kHiddenLegend);
}

}  // namespace zov
