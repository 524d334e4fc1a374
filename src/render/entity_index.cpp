#include "render/entity_index.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

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
    StoreReader* const stores[] = {&store};
    return build_in_parts(stores, stop);
}

std::optional<EntityIndex> EntityIndex::build_in_parts(std::span<StoreReader* const> stores,
                                                       const std::atomic<bool>* stop,
                                                       std::optional<BoundingBox>* fit) {
    if (stores.empty()) return std::nullopt;
    const std::int64_t count = std::max(stores[0]->entity_count(), 0);
    const std::int64_t runs = (count + kRun - 1) / kRun;
    const auto parts = static_cast<std::int64_t>(stores.size());
    auto bound = [&](std::int64_t k) {
        return static_cast<std::int32_t>(std::min(count, runs * k / parts * kRun));
    };
    std::vector<std::optional<EntityIndex>> built(stores.size());
    std::vector<FitPart> fits(stores.size());
    auto build_one = [&](std::int64_t k, std::int32_t first, std::int32_t last) {
        const auto at = static_cast<std::size_t>(k);
        built[at] =
            build_part(*stores[at], first, last, stop, fit != nullptr ? &fits[at] : nullptr);
    };
    std::vector<std::thread> threads;
    for (std::int64_t k = 1; k < parts; ++k) {
        threads.emplace_back([&, k] { build_one(k, bound(k), bound(k + 1)); });
    }
    build_one(0, 0, bound(1));
    for (std::thread& thread : threads) thread.join();
    if (!built[0]) return std::nullopt;
    EntityIndex& index = *built[0];
    std::int64_t joined = 1;
    for (; joined < parts; ++joined) {
        std::optional<EntityIndex>& part = built[static_cast<std::size_t>(joined)];
        if (!part) return std::nullopt;
        // A store that could not be read to its end gives the records read.
        if (index.size() < bound(joined)) break;
        index.append(std::move(*part));
    }
    if (fit != nullptr)
        *fit = fit_of_parts(*stores[0], std::span(fits).first(static_cast<std::size_t>(joined)));
    return std::move(index);
}

std::optional<BoundingBox> EntityIndex::fit_of_parts(StoreReader& store,
                                                     std::span<const FitPart> parts) {
    const double paper_scale = paper_space_scale(store.header().scale);
    EntityBoxes boxes(store, BoxUse::ViewFit);
    BoundingBox fit;
    EntityRecord record;
    for (const FitPart& part : parts) {
        fit.include(part.box);
        for (const std::int32_t i : part.inserts) {
            if (store.read_entity(i, record) != 0) return std::nullopt;
            if (record.paper_space == 1) scale_record(record, paper_scale);
            fit.include(boxes.box_of(record));
        }
    }
    return fit;
}

std::optional<EntityIndex> EntityIndex::build_part(StoreReader& store, std::int32_t first,
                                                   std::int32_t last, const std::atomic<bool>* stop,
                                                   FitPart* fit) {
    constexpr std::int32_t kRecordsPerLook = 4096;
    const StoreHeader& header = store.header();
    const double paper_scale = paper_space_scale(header.scale);
    const std::int32_t layer_count = store.layer_count();
    EntityBoxes boxes(store, BoxUse::Reach);
    std::optional<EntityBoxes> fit_boxes;
    if (fit != nullptr) fit_boxes.emplace(store, BoxUse::ViewFit);
    EntityIndex index;
    index.held_ = first == 0 ? 0 : kHeldBefore;
    EntityRecord record;
    index.boxes_.reserve(static_cast<std::size_t>(std::max(last - first, 0)));
    for (std::int32_t i = first; i < last && store.read_entity(i, record) == 0; ++i) {
        if (stop != nullptr && i % kRecordsPerLook == 0 && stop->load(std::memory_order_relaxed))
            return std::nullopt;
        if (record.layer > 0 && record.layer <= layer_count)
            index.held_ = record.layer;
        else
            index.carry_layer(i, index.held_);
        index.has_dimensions_ = index.has_dimensions_ || record.kind == kEntityDimension;
        if (record.paper_space == 1) scale_record(record, paper_scale);
        index.add(boxes.box_of(record));
        if (fit == nullptr) continue;
        if (record.kind == kEntityInsert || record.kind == kEntityDimension)
            fit->inserts.push_back(i);
        else
            fit->box.include(fit_boxes->box_of(record));
    }
    index.finish();
    return index;
}

void EntityIndex::append(EntityIndex&& next) {
    for (auto [record, layer] : next.carried_)
        carried_.emplace_back(record, layer == kHeldBefore ? held_ : layer);
    if (next.held_ != kHeldBefore) held_ = next.held_;
    boxes_.insert(boxes_.end(), next.boxes_.begin(), next.boxes_.end());
    runs_.insert(runs_.end(), next.runs_.begin(), next.runs_.end());
    has_dimensions_ = has_dimensions_ || next.has_dimensions_;
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
