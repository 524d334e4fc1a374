#include "render/drawing_pass.h"

#include <cmath>
#include <optional>

#include "common/cp932.h"
#include "common/paths.h"
#include "render/colours.h"

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
      detail_(view.view_scale > kDetailScale),
      drawing_width_(std::abs(header.max_x - header.min_x)),
      pen_{kWhite, PenStyle::Solid} {
    layer_flags_.resize(static_cast<std::size_t>(layers_.layer_count()));
    LayerRecord layer;
    for (std::size_t i = 0; i < layer_flags_.size(); ++i) {
        if (layers_.read_layer(static_cast<std::int32_t>(i + 1), layer) == 0)
            layer_flags_[i] = layer.flags;
    }
}

void DrawingPass::begin() {
    surface_.fill_rect(0, 0, surface_.width(), surface_.height(), kBlack);
    surface_.set_background_opaque(false);
    surface_.select_pen(pen_.style, 1, pen_.colour);
}

bool DrawingPass::layer_passes_filter() const {
    switch (settings_.filter) {
        case LayerFilter::Visible: return !test_bit(flags_, kLayerHiddenBit);
        case LayerFilter::All: return true;
        case LayerFilter::Hidden: return test_bit(flags_, kLayerHiddenBit);
        case LayerFilter::Locked: return test_bit(flags_, kLayerLockedBit);
    }
    return true;
}

void DrawingPass::choose_pen(const EntityRecord& record) {
    const bool hidden = test_bit(flags_, kLayerHiddenBit);
    const bool locked = test_bit(flags_, kLayerLockedBit);
    bool grey = false;
    switch (settings_.filter) {
        case LayerFilter::Visible:
            grey = hidden || (locked && settings_.style != DisplayStyle::LayerSheet);
            break;
        case LayerFilter::All: grey = hidden; break;
        case LayerFilter::Hidden:
        case LayerFilter::Locked: break;
    }
    const Rgb colour =
        grey ? kGrey : screen_colour(header_.kind, record.colour).value_or(pen_.colour);
    use_pen(colour, style_for_line_type(record.line_type).value_or(pen_.style));
}

void DrawingPass::use_pen(Rgb colour, PenStyle style) {
    if (colour == pen_.colour && style == pen_.style) return;
    surface_.select_pen(style, 1, colour);
    pen_ = {colour, style};
}

void DrawingPass::scale_paper_space(EntityRecord& record) const {
    const double s = view_.paper_scale;
    record.x1 *= s;
    record.y1 *= s;
    record.p72 *= s;
    switch (record.kind) {
        case kEntityLine:
        case kEntityLeader:
            record.p56 *= s;
            record.p64 *= s;
            break;
        case kEntitySolid:
            record.p56 *= s;
            record.p64 *= s;
            record.p80 *= s;
            record.p88 *= s;
            record.p96 *= s;
            break;
        case kEntityText: record.p64 *= s; break;
        default: break;
    }
}

void DrawingPass::draw_entity(EntityRecord record) {
    if (record.layer != last_layer_) {
        // Layer 0 keeps the record read last; so does a number with no record.
        if (record.layer > 0 && static_cast<std::size_t>(record.layer) <= layer_flags_.size()) {
            flags_ = layer_flags_[static_cast<std::size_t>(record.layer - 1)];
            buffered_layer_ = record.layer;
        }
        last_layer_ = record.layer;
    }
    if (settings_.style == DisplayStyle::Standard && !layer_passes_filter()) return;
    choose_pen(record);
    if (record.paper_space == 1) scale_paper_space(record);

    switch (record.kind) {
        case kEntityLine: draw_line({record.x1, record.y1}, {record.p56, record.p64}); break;
        case kEntityArc: draw_arc(record); break;
        case kEntityPoint: draw_point_mark({record.x1, record.y1}); break;
        case kEntityLeader: draw_arrow_line(record); break;
        case kEntityText:
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
