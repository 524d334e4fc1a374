#include "render/entity_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "store/record_move.h"

namespace zov {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Coordinates beyond this make the run's steps overflow: such an entity
// meets every area instead.
constexpr double kLargestKept = 1e300;

// An entity that meets every area, as kept until its run is closed.
constexpr DrawingExtents kUnbounded{kInfinity, kInfinity, -kInfinity, -kInfinity};

bool unbounded(const DrawingExtents& b) { return b.min_x > b.max_x; }

}  // namespace

std::optional<EntityIndex> EntityIndex::build(StoreReader& store, const std::atomic<bool>* stop) {
    constexpr std::int32_t kRecordsPerLook = 4096;
    const StoreHeader& header = store.header();
    const double paper_scale = paper_space_scale(header.scale);
    const std::int32_t layer_count = store.layer_count();
    EntityBoxes boxes(store, BoxUse::Reach);
    EntityIndex index;
    std::int16_t layer_held = 0;
    EntityRecord record;
    const std::int32_t count = store.entity_count();
    index.boxes_.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count && store.read_entity(i, record) == 0; ++i) {
        if (stop != nullptr && i % kRecordsPerLook == 0 && stop->load(std::memory_order_relaxed))
            return std::nullopt;
        if (record.layer > 0 && record.layer <= layer_count)
            layer_held = record.layer;
        else
            index.carry_layer(i, layer_held);
        index.has_dimensions_ = index.has_dimensions_ || record.kind == kEntityDimension;
        if (record.paper_space == 1) scale_record(record, paper_scale);
        index.add(boxes.box_of(record));
    }
    index.finish();
    return index;
}

void EntityIndex::add(const BoundingBox& box) {
    const DrawingExtents e = box.extents();
    const bool kept =
        !box.empty() && std::max({std::abs(e.min_x), std::abs(e.min_y), std::abs(e.max_x),
                                  std::abs(e.max_y)}) <= kLargestKept;
    pending_.push_back(kept ? e : kUnbounded);
    if (pending_.size() == static_cast<std::size_t>(kRun)) finish();
}

void EntityIndex::finish() {
    if (pending_.empty()) return;
    Run run;
    run.box = kUnbounded;
    for (const DrawingExtents& b : pending_) {
        if (unbounded(b)) {
            run.has_unbounded = true;
            continue;
        }
        run.box = {std::min(run.box.min_x, b.min_x), std::min(run.box.min_y, b.min_y),
                   std::max(run.box.max_x, b.max_x), std::max(run.box.max_y, b.max_y)};
    }
    const DrawingExtents& r = run.box;
    // The step at or below `v` (at or above with `up`) of [low, high].
    auto step_of = [](double v, double low, double high, bool up) {
        const double share = high > low ? (v - low) / (high - low) * 255.0 : 0.0;
        int q = std::clamp(static_cast<int>(up ? std::ceil(share) : std::floor(share)), 0, 255);
        while (!up && q > 0 && step(low, high, q) > v) --q;
        while (up && q < 255 && step(low, high, q) < v) ++q;
        return static_cast<std::uint8_t>(q);
    };
    for (const DrawingExtents& b : pending_) {
        if (unbounded(b)) {
            boxes_.push_back({255, 255, 0, 0});
            continue;
        }
        boxes_.push_back(
            {step_of(b.min_x, r.min_x, r.max_x, false), step_of(b.min_y, r.min_y, r.max_y, false),
             step_of(b.max_x, r.min_x, r.max_x, true), step_of(b.max_y, r.min_y, r.max_y, true)});
    }
    runs_.push_back(run);
    pending_.clear();
}

DrawingExtents EntityIndex::box(std::int32_t record) const {
    const Steps& q = boxes_[static_cast<std::size_t>(record)];
    if (q[0] > q[2]) return {-kInfinity, -kInfinity, kInfinity, kInfinity};
    return dequantised(runs_[static_cast<std::size_t>(record / kRun)].box, q);
}

void EntityIndex::carry_layer(std::int32_t record, std::int16_t layer) {
    carried_.emplace_back(record, layer);
}

std::int32_t EntityIndex::carried_layer(std::int32_t record) const {
    const auto found = std::lower_bound(carried_.begin(), carried_.end(), record,
                                        [](const std::pair<std::int32_t, std::int16_t>& entry,
                                           std::int32_t r) { return entry.first < r; });
    return found != carried_.end() && found->first == record ? found->second : -1;
}

}  // namespace zov
