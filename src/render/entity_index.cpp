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
    const auto part_count = static_cast<std::int64_t>(stores.size());
    auto bound = [&](std::int64_t k) {
        return static_cast<std::int32_t>(std::min(count, runs * k / part_count * kRun));
    };
    // Every part writes its own share of the boxes and runs in place, so that
    // the index never needs its size twice over while the parts are joined.
    EntityIndex index;
    index.boxes_.resize(static_cast<std::size_t>(count));
    index.runs_.resize(static_cast<std::size_t>(runs));
    std::vector<Part> parts(stores.size());
    std::vector<std::thread> threads;
    for (std::int64_t k = 1; k < part_count; ++k) {
        threads.emplace_back([&, k] {
            parts[static_cast<std::size_t>(k)] = index.build_part(
                *stores[static_cast<std::size_t>(k)], bound(k), bound(k + 1), stop, fit != nullptr);
        });
    }
    parts[0] = index.build_part(*stores[0], 0, bound(1), stop, fit != nullptr);
    for (std::thread& thread : threads) thread.join();
    if (std::any_of(parts.begin(), parts.end(), [](const Part& part) { return part.stopped; }))
        return std::nullopt;
    std::int64_t joined = 0;
    while (joined < part_count) {
        const std::int64_t k = joined++;
        const Part& part = parts[static_cast<std::size_t>(k)];
        for (auto [record, layer] : part.carried)
            index.carried_.emplace_back(record, layer == kHeldBefore ? index.held_ : layer);
        if (part.held != kHeldBefore) index.held_ = part.held;
        index.has_dimensions_ = index.has_dimensions_ || part.has_dimensions;
        // A store that could not be read to its end gives the records read.
        const std::int32_t end = bound(k) + part.read;
        if (end < bound(k + 1)) {
            index.boxes_.resize(static_cast<std::size_t>(end));
            index.runs_.resize(static_cast<std::size_t>((end + kRun - 1) / kRun));
            break;
        }
    }
    if (fit != nullptr)
        *fit = fit_of_parts(*stores[0], std::span(parts).first(static_cast<std::size_t>(joined)));
    return index;
}

std::optional<BoundingBox> EntityIndex::fit_of_parts(StoreReader& store,
                                                     std::span<const Part> parts) {
    BoundingBox fit;
    for (const Part& part : parts) fit.include(part.fit);
    // One part takes its inserts in store order, as one walk does; a block
    // box cut in any part may differ from the box another part works out.
    if (parts.size() == 1 || std::none_of(parts.begin(), parts.end(),
                                          [](const Part& part) { return part.blocks_cut; })) {
        for (const Part& part : parts) fit.include(part.inserts_fit);
        return fit;
    }
    const double paper_scale = paper_space_scale(store.header().scale);
    EntityBoxes boxes(store, BoxUse::ViewFit);
    EntityRecord record;
    for (const Part& part : parts) {
        for (const std::int32_t i : part.fit_inserts) {
            if (store.read_entity(i, record) != 0) return std::nullopt;
            if (record.paper_space == 1) scale_record(record, paper_scale);
            fit.include(boxes.box_of(record));
        }
    }
    return fit;
}

EntityIndex::Part EntityIndex::build_part(StoreReader& store, std::int32_t first, std::int32_t last,
                                          const std::atomic<bool>* stop, bool with_fit) {
    constexpr std::int32_t kRecordsPerLook = 4096;
    const StoreHeader& header = store.header();
    const double paper_scale = paper_space_scale(header.scale);
    const std::int32_t layer_count = store.layer_count();
    EntityBoxes boxes(store, BoxUse::Reach);
    std::optional<EntityBoxes> fit_boxes;
    if (with_fit) fit_boxes.emplace(store, BoxUse::ViewFit);
    Part part;
    part.held = first == 0 ? 0 : kHeldBefore;
    std::vector<DrawingExtents> pending;
    pending.reserve(kRun);
    auto close_pending = [&] {
        if (pending.empty()) return;
        const std::int32_t start = first + part.read - static_cast<std::int32_t>(pending.size());
        runs_[static_cast<std::size_t>(start / kRun)] =
            close_run(pending, &boxes_[static_cast<std::size_t>(start)]);
        pending.clear();
    };
    EntityRecord record;
    for (std::int32_t i = first; i < last && store.read_entity(i, record) == 0; ++i) {
        if (stop != nullptr && i % kRecordsPerLook == 0 && stop->load(std::memory_order_relaxed)) {
            part.stopped = true;
            return part;
        }
        if (record.layer > 0 && record.layer <= layer_count)
            part.held = record.layer;
        else
            part.carried.emplace_back(i, part.held);
        part.has_dimensions = part.has_dimensions || record.kind == kEntityDimension;
        if (record.paper_space == 1) scale_record(record, paper_scale);
        std::optional<BoundingBox> fit;
        if (fit_boxes) fit = fit_boxes->box_of(record);
        // An arc's points are the costliest to work out: taken once for both.
        std::optional<BoundingBox> reach;
        if (fit && record.kind == kEntityArc) reach = EntityBoxes::arc_reach_of_fit(*fit, record);
        pending.push_back(kept_extents(reach ? *reach : boxes.box_of(record)));
        ++part.read;
        if (pending.size() == static_cast<std::size_t>(kRun)) close_pending();
        if (!fit) continue;
        if (record.kind == kEntityInsert || record.kind == kEntityDimension) {
            part.fit_inserts.push_back(i);
            part.inserts_fit.include(*fit);
        } else {
            part.fit.include(*fit);
        }
    }
    close_pending();
    if (fit_boxes) part.blocks_cut = fit_boxes->blocks_cut();
    return part;
}

DrawingExtents EntityIndex::kept_extents(const BoundingBox& box) {
    const DrawingExtents e = box.extents();
    const bool kept =
        !box.empty() && std::max({std::abs(e.min_x), std::abs(e.min_y), std::abs(e.max_x),
                                  std::abs(e.max_y)}) <= kLargestKept;
    return kept ? e : kUnbounded;
}

void EntityIndex::add(const BoundingBox& box) {
    pending_.push_back(kept_extents(box));
    if (pending_.size() == static_cast<std::size_t>(kRun)) finish();
}

void EntityIndex::finish() {
    if (pending_.empty()) return;
    const std::size_t start = boxes_.size();
    boxes_.resize(start + pending_.size());
    runs_.push_back(close_run(pending_, &boxes_[start]));
    pending_.clear();
}

EntityIndex::Run EntityIndex::close_run(std::span<const DrawingExtents> pending, Steps* out) {
    Run run;
    run.box = kUnbounded;
    for (const DrawingExtents& b : pending) {
        if (unbounded(b)) {
            run.has_unbounded = true;
            continue;
        }
        run.box = {std::min(run.box.min_x, b.min_x), std::min(run.box.min_y, b.min_y),
                   std::max(run.box.max_x, b.max_x), std::max(run.box.max_y, b.max_y)};
    }
    const DrawingExtents& r = run.box;
    // The step at or below `v` (at or above with `up`) of [low, high]. The
    // share lies in [0, 255], where the cut to an integer is its floor: every
    // coordinate of every entity passes here when a drawing loads, and a
    // call of floor() or ceil() for each costs a tenth of that walk.
    auto step_of = [](double v, double low, double high, bool up) {
        double share = high > low ? (v - low) / (high - low) * 255.0 : 0.0;
        if (!(share > 0.0)) share = 0.0;
        if (share > 255.0) share = 255.0;
        const int below = static_cast<int>(share);
        int q = up && below < share ? below + 1 : below;
        while (!up && q > 0 && step(low, high, q) > v) --q;
        while (up && q < 255 && step(low, high, q) < v) ++q;
        return static_cast<std::uint8_t>(q);
    };
    for (const DrawingExtents& b : pending) {
        if (unbounded(b)) {
            *out++ = {255, 255, 0, 0};
            continue;
        }
        *out++ = Steps{
            step_of(b.min_x, r.min_x, r.max_x, false), step_of(b.min_y, r.min_y, r.max_y, false),
            step_of(b.max_x, r.min_x, r.max_x, true), step_of(b.max_y, r.min_y, r.max_y, true)};
    }
    return run;
}

EntityIndex::StepsMeeting EntityIndex::steps_meeting(double low, double high, double area_low,
                                                     double area_high) {
    // The first step below 255 at which `holds` fails, 255 when none does.
    auto first_failing = [&](auto holds) {
        int first = 0, last = 255;
        while (first < last) {
            const int middle = (first + last) / 2;
            if (holds(step(low, high, middle)))
                first = middle + 1;
            else
                last = middle;
        }
        return first;
    };
    StepsMeeting meeting;
    meeting.low_below = first_failing([&](double v) { return v <= area_high; });
    meeting.low_at_end = high <= area_high;
    meeting.high_from = first_failing([&](double v) { return v < area_low; });
    meeting.high_at_end = high >= area_low;
    return meeting;
}

DrawingExtents EntityIndex::box(std::int32_t record) const {
    const Steps& q = boxes_[static_cast<std::size_t>(record)];
    if (q[0] > q[2]) return kWholePlane;
    return dequantised(runs_[static_cast<std::size_t>(record / kRun)].box, q);
}

void EntityIndex::carry_layer(std::int32_t record, std::int16_t layer) {
    carried_.emplace_back(record, layer);
}

std::int64_t EntityIndex::most_visited(const DrawingExtents& area) const {
    std::int64_t most = 0;
    for (std::size_t run = 0; run < runs_.size(); ++run)
        if (runs_[run].has_unbounded || meets(runs_[run].box, area))
            most +=
                static_cast<std::int64_t>(std::min(boxes_.size(), (run + 1) * kRun) - run * kRun);
    return most;
}

std::int32_t EntityIndex::carried_layer(std::int32_t record) const {
    const auto found = std::lower_bound(carried_.begin(), carried_.end(), record,
                                        [](const std::pair<std::int32_t, std::int16_t>& entry,
                                           std::int32_t r) { return entry.first < r; });
    return found != carried_.end() && found->first == record ? found->second : -1;
}

}  // namespace zov
