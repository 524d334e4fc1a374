#include "render/drawing_pass.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "common/cp932.h"
#include "common/paths.h"
#include "render/colours.h"
#include "store/record_move.h"

namespace zov {

namespace {

// Points are drawn only above this scale (pixels per drawing unit).
constexpr double kDetailScale = 0.015;

std::optional<PenStyle> style_for_line_type(int line_type) {
    switch (line_type) {
        case kLineByLayer: return std::nullopt;
        case kLineDot:
        case kLineDashed:
        case kLineHidden: return PenStyle::Dot;
        case kLineDashed2: return PenStyle::Dash;
        case kLineCenter:
        case kLineCenter2: return PenStyle::DashDot;
        case kLinePhantom:
        case kLinePhantom2: return PenStyle::DashDotDot;
        default: return PenStyle::Solid;
    }
}

}  // namespace

std::string display_file_name(const StoreHeader& header) {
    const std::string_view field = fixed_text(header.fname);
    const PathParts parts = split_path(field);
    std::string name = parts.name + parts.extension;
    return name.size() > 2 ? name : std::string(field);
}

DrawingPass::DrawingPass(Surface& surface, const ViewWindow& view, const DisplaySettings& settings,
                         const StoreHeader& header, StoreReader& layers, StoreReader& blocks,
                         StoreReader& strings)
    : surface_(surface),
      view_(view),
      settings_(settings),
      header_(header),
      layers_(layers),
      blocks_(blocks),
      strings_(strings),
      insert_boxes_(blocks, BoxUse::Reach),
      detail_(view.view_scale > kDetailScale),
      drawing_width_(std::abs(view.extents.max_x - view.extents.min_x)),
      pen_{kWhite, PenStyle::Solid} {
    for (int number = 0; number <= kColourByLayer; ++number) {
        const std::optional<Rgb> colour = screen_colour(header_.kind, number);
        screen_colours_[static_cast<std::size_t>(number)] = {
            visible_on_black(colour.value_or(Rgb{})), colour.has_value()};
    }
    constexpr int kWidestPen = 255;
    const double dots_per_millimetre = surface_.dots_per_millimetre();
    for (std::size_t stored = 0; stored < weight_pixels_.size(); ++stored) {
        const int hundredths = weight_hundredths(static_cast<std::int16_t>(stored));
        const double pixels = hundredths < 0 ? 1.0 : hundredths / 100.0 * dots_per_millimetre;
        weight_pixels_[stored] = static_cast<std::uint8_t>(
            std::clamp(static_cast<int>(std::lround(pixels)), 1, kWidestPen));
    }
    const int reach =
        kReachPixels + *std::max_element(weight_pixels_.begin(), weight_pixels_.end());
    reachable_area_ =
        view_.area_of_pixels(-reach, -reach, surface_.width() + reach, surface_.height() + reach);
    // A view of absurd numbers leaves nothing out.
    const DrawingExtents& a = reachable_area_;
    if (std::isnan(a.min_x) || std::isnan(a.min_y) || std::isnan(a.max_x) || std::isnan(a.max_y))
        reachable_area_ = kWholePlane;
    pass_layers_.resize(static_cast<std::size_t>(layers_.layer_count()));
    LayerRecord layer;
    for (std::size_t i = 0; i < pass_layers_.size(); ++i) {
        if (layers_.read_layer(static_cast<std::int32_t>(i + 1), layer) != 0) continue;
        pass_layers_[i] = {layer.flags, layer.colour, layer.line_type, layer.line_weight,
                           fixed_text(layer.name) == "0"};
    }
}

void DrawingPass::begin() {
    surface_.fill_rect(0, 0, surface_.width(), surface_.height(), kBlack);
    surface_.set_background_opaque(false);
    surface_.select_pen(pen_.style, pen_.width, pen_.colour);
}

bool DrawingPass::layer_passes_filter() const {
    return filter_shows_layer(settings_.filter, layer_.flags);
}

namespace {

// A line type as the pass draws it: ByLayer takes the layer's line type.
PenStyle resolve_style(std::int32_t line_type, std::int32_t layer_line_type, PenStyle by_block) {
    if (line_type == kLineByLayer) line_type = layer_line_type;
    return style_for_line_type(line_type).value_or(by_block);
}

}  // namespace

Rgb DrawingPass::pen_colour(std::int32_t number, std::int32_t layer_colour, Rgb by_block) const {
    if (number == kColourByLayer) number = layer_colour;
    if (number < 0 || number > kColourByLayer)
        return visible_on_black(screen_colour(header_.kind, number).value_or(by_block));
    const ScreenColour& colour = screen_colours_[static_cast<std::size_t>(number)];
    return colour.given ? colour.rgb : visible_on_black(by_block);
}

void DrawingPass::choose_pen(const EntityRecord& record) {
    const bool hidden = test_bit(layer_.flags, kLayerHiddenBit);
    const bool locked = test_bit(layer_.flags, kLayerLockedBit);
    bool grey = false;
    switch (settings_.filter) {
        case LayerFilter::Visible:
            grey = hidden || (locked && settings_.style != DisplayStyle::LayerSheet);
            break;
        case LayerFilter::All: grey = hidden; break;
        case LayerFilter::Hidden:
        case LayerFilter::Locked: break;
    }
    insert_grey_ = grey;
    const Rgb colour = grey ? kGrey : pen_colour(record.colour, layer_.colour, pen_.colour);
    use_pen(colour, resolve_style(record.line_type, layer_.line_type, pen_.style),
            pen_width(record.line_weight, layer_.line_weight, 1));
}

const DrawingPass::PassLayer& DrawingPass::pass_layer(std::int16_t number) const {
    static const PassLayer kNoLayer;
    if (number <= 0 || static_cast<std::size_t>(number) > pass_layers_.size()) return kNoLayer;
    return pass_layers_[static_cast<std::size_t>(number - 1)];
}

bool DrawingPass::choose_block_pen(const EntityRecord& record) {
    const PassLayer& layer = pass_layer(record.layer);
    const bool hidden = test_bit(layer.flags, kLayerHiddenBit);
    if (settings_.style == DisplayStyle::Standard && settings_.filter == LayerFilter::Visible &&
        hidden)
        return false;
    const int width = layer.zero && record.line_weight == kWeightNotGiven
                          ? insert_pen_.width
                          : pen_width(record.line_weight, layer.line_weight, insert_pen_.width);
    if (insert_grey_ || (settings_.filter == LayerFilter::All && hidden)) {
        use_pen(kGrey, resolve_style(record.line_type, layer.line_type, insert_pen_.style), width);
        return true;
    }
    // Layer "0" inside a block stands for the layer of the insert.
    const Rgb colour = layer.zero && record.colour == kColourByLayer
                           ? insert_pen_.colour
                           : pen_colour(record.colour, layer.colour, insert_pen_.colour);
    const PenStyle style =
        layer.zero && record.line_type == kLineByLayer
            ? insert_pen_.style
            : resolve_style(record.line_type, layer.line_type, insert_pen_.style);
    use_pen(colour, style, width);
    return true;
}

int DrawingPass::pen_width(std::int16_t weight, std::int16_t layer_weight, int by_block) const {
    if (weight == kWeightNotGiven) weight = layer_weight;
    if (weight == kWeightByBlock) return by_block;
    if (weight < 0 || static_cast<std::size_t>(weight) >= weight_pixels_.size()) return 1;
    return weight_pixels_[static_cast<std::size_t>(weight)];
}

void DrawingPass::use_pen(Rgb colour, PenStyle style, int width) {
    if (colour == pen_.colour && style == pen_.style && width == pen_.width) return;
    surface_.select_pen(style, width, colour);
    pen_ = {colour, style, width};
}

void DrawingPass::carry_layer(std::int16_t number) {
    layer_ = pass_layer(number);
    buffered_layer_ = number;
    last_layer_ = number;
}

void DrawingPass::draw_entity(EntityRecord record) {
    if (record.layer != last_layer_) {
        // Layer 0 keeps the record read last; so does a number with no record.
        if (record.layer > 0 && static_cast<std::size_t>(record.layer) <= pass_layers_.size()) {
            layer_ = pass_layer(record.layer);
            buffered_layer_ = record.layer;
        }
        last_layer_ = record.layer;
    }
    if (settings_.style == DisplayStyle::Standard && !layer_passes_filter()) return;
    choose_pen(record);
    if (record.paper_space == 1) scale_record(record, view_.paper_scale);

    switch (record.kind) {
        case kEntityLine:
            draw_line({record.x1, record.y1}, {record.line.end_x, record.line.end_y});
            break;
        case kEntityArc: draw_arc(record); break;
        case kEntityPoint: draw_point_mark({record.x1, record.y1}); break;
        case kEntityLeader: draw_arrow_line(record); break;
        case kEntityText: defer_text(record, false); break;
        case kEntityLayerLabel:
        case kEntityFileLabel: draw_text_record(record); break;
        case kEntityInsert:
            accumulated_ = InsertTransform{};
            draw_insert(record, 0);
            break;
        case kEntityDimension: draw_dimension(record); break;
        case kEntitySolid: draw_solid(record); break;
        default: break;
    }
}

}  // namespace zov
