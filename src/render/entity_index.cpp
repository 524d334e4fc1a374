#include "render/entity_index.h"

#include <algorithm>
#include <cmath>

#include "store/record_move.h"

namespace zov {

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

// The float at or below `v` (at or above with `up`); beyond the float range
// an infinity.
float rounded_out(double v, bool up) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (v > kLargest) return up ? kInfinity : std::numeric_limits<float>::max();
    if (v < -kLargest) return up ? -std::numeric_limits<float>::max() : -kInfinity;
    const float f = static_cast<float>(v);
    if (up) return f < v ? std::nextafter(f, kInfinity) : f;
    return f > v ? std::nextafter(f, -kInfinity) : f;
}

}  // namespace

EntityIndex EntityIndex::build(StoreReader& store) {
    const StoreHeader& header = store.header();
    const double paper_scale = header.scale == 0.0 ? 200.0 : header.scale;
    const std::int32_t layer_count = store.layer_count();
    EntityBoxes boxes(store, BoxUse::Reach);
    EntityIndex index;
    std::int16_t layer_held = 0;
    EntityRecord record;
    const std::int32_t count = store.entity_count();
    index.boxes_.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count && store.read_entity(i, record) == 0; ++i) {
        if (record.layer > 0 && record.layer <= layer_count)
            layer_held = record.layer;
        else
            index.carry_layer(i, layer_held);
        index.has_dimensions_ = index.has_dimensions_ || record.kind == kEntityDimension;
        if (record.paper_space == 1) scale_record(record, paper_scale);
        index.add(boxes.box_of(record));
    }
    return index;
}

void EntityIndex::add(const BoundingBox& box) {
    Box kept{-kInfinity, -kInfinity, kInfinity, kInfinity};
    if (!box.empty()) {
        const DrawingExtents e = box.extents();
        kept = {rounded_out(e.min_x, false), rounded_out(e.min_y, false),
                rounded_out(e.max_x, true), rounded_out(e.max_y, true)};
    }
    if (boxes_.size() % kRun == 0) {
        runs_.push_back(kept);
    } else {
        Box& run = runs_.back();
        run = {std::min(run.min_x, kept.min_x), std::min(run.min_y, kept.min_y),
               std::max(run.max_x, kept.max_x), std::max(run.max_y, kept.max_y)};
    }
    boxes_.push_back(kept);
}

void EntityIndex::carry_layer(std::int32_t record, std::int16_t layer) {
    carried_.emplace_back(record, layer);
}

std::int32_t EntityIndex::carried_layer(std::int32_t record) const {
    const auto found = std::lower_bound(
        carried_.begin(), carried_.end(), record,
        [](const std::pair<std::int32_t, std::int16_t>& entry, std::int32_t r) {
            return entry.first < r;
        });
    return found != carried_.end() && found->first == record ? found->second : -1;
}

}  // namespace zov
