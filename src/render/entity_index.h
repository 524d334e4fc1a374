#pragma once
// Which entities of a store meet a part of the drawing, so that a pass over a
// zoomed-in view visits only those. The records are taken in runs of 64 in
// store order: each run keeps the union of its entities' boxes (as far as a
// pass may paint, BoxUse::Reach), and each entity its box in 256ths of its
// run's box, rounded outward, in four bytes. A query passes over a run whose
// union misses the area and tests the others box by box, so its hits come in
// store order, the order in which the pass draws them. That is a little more
// than 4 bytes an entity, and no change to the store.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "render/entity_boxes.h"
#include "render/view_window.h"
#include "store/store_reader.h"

namespace zov {

class EntityIndex {
public:
    static constexpr std::int32_t kRun = 64;

    // Reads every entity of `store` (through its entity buffer) and keeps
    // its box; a store that cannot be read to its end gives the records read.
    // None when `stop` is set meanwhile (it is looked at every few thousand
    // records), so that a pass being superseded never waits for a build.
    static std::optional<EntityIndex> build(StoreReader& store,
                                            const std::atomic<bool>* stop = nullptr);
    // The same through several readers open on one store, one thread each:
    // each reads its share of the records, in whole runs, and the parts are
    // joined in store order into the index build() gives. With `fit`, the
    // same walk gives the box EntityBoxes(BoxUse::ViewFit).drawing() gives
    // of the records indexed, so that a fit needs no walk of its own (none
    // when a record cannot be read again).
    static std::optional<EntityIndex> build_in_parts(std::span<StoreReader* const> stores,
                                                     const std::atomic<bool>* stop = nullptr,
                                                     std::optional<BoundingBox>* fit = nullptr);

    // Appends the box of the next record; an empty box (nothing finite to
    // bound) meets every area, so that such an entity is never left out.
    void add(const BoundingBox& box);
    // Ends the last run: call after the last add().
    void finish();
    // Record `record`, of no layer the pass knows, is drawn with the layer
    // of the records before it: `layer`, 0 for none.
    void carry_layer(std::int32_t record, std::int16_t layer);

    std::int32_t size() const { return static_cast<std::int32_t>(boxes_.size()); }
    // Whether the drawing has dimensions, seen or not.
    bool has_dimensions() const { return has_dimensions_; }
    // The box kept for `record`: at least its own box; infinite for one that
    // meets every area.
    DrawingExtents box(std::int32_t record) const;

    // Calls visit(record) for every record whose kept box meets `area`, in
    // store order.
    template <class Visit>
    void visit(const DrawingExtents& area, Visit&& visit) const {
        for (std::size_t run = 0; run < runs_.size(); ++run) {
            const Run& r = runs_[run];
            const bool run_meets = meets(r.box, area);
            if (!run_meets && !r.has_unbounded) continue;
            // Which steps meet the area is worked out once for the run, not
            // box by box.
            const StepsMeeting x =
                run_meets ? steps_meeting(r.box.min_x, r.box.max_x, area.min_x, area.max_x)
                          : StepsMeeting{};
            const StepsMeeting y =
                run_meets ? steps_meeting(r.box.min_y, r.box.max_y, area.min_y, area.max_y)
                          : StepsMeeting{};
            const std::size_t end = std::min(boxes_.size(), (run + 1) * kRun);
            for (std::size_t i = run * kRun; i < end; ++i) {
                const Steps& q = boxes_[i];
                if (q[0] > q[2] || (run_meets && x.low_meets(q[0]) && y.low_meets(q[1]) &&
                                    x.high_meets(q[2]) && y.high_meets(q[3])))
                    visit(static_cast<std::int32_t>(i));
            }
        }
    }

    // At most how many records visit(area) calls: those of the runs that
    // meet `area` or hold entities that meet every area.
    std::int64_t most_visited(const DrawingExtents& area) const;

    // The layer a pass would hold when it meets `record` after the records
    // before it, for a record of no layer the pass knows; -1 for a record
    // with a layer of its own.
    std::int32_t carried_layer(std::int32_t record) const;

private:
    // A box in 255ths of its run's box: min x, min y, max x, max y. A min x
    // above the max x marks an entity that meets every area.
    using Steps = std::array<std::uint8_t, 4>;
    struct Run {
        DrawingExtents box{};        // of the bounded boxes; empty while min > max
        bool has_unbounded = false;  // holds entities that meet every area
    };

    // Along one axis of a run's box, the steps at which a box's low end lies
    // at or below an area's high end, and its high end at or above the
    // area's low end: dequantised(...) meets the area exactly where these
    // hold. Below step 255 a step's value rises with the step, so each is
    // the steps from or below one step; step 255 is the run's end itself.
    struct StepsMeeting {
        int low_below = 0;  // low steps [0, low_below) of [0, 254]
        bool low_at_end = false;
        int high_from = 255;  // high steps [high_from, 254]
        bool high_at_end = false;
        bool low_meets(std::uint8_t q) const { return q == 255 ? low_at_end : q < low_below; }
        bool high_meets(std::uint8_t q) const { return q == 255 ? high_at_end : q >= high_from; }
    };
    static StepsMeeting steps_meeting(double low, double high, double area_low, double area_high);

    static constexpr std::int16_t kHeldBefore = -1;
    // What building a share of the records leaves beside the boxes and runs
    // it writes into the index.
    struct Part {
        std::int32_t read = 0;  // records read
        // Records of no layer the pass knows, with the layer held before
        // them; kHeldBefore: the layer the part before this one ends with.
        std::vector<std::pair<std::int32_t, std::int16_t>> carried;
        std::int16_t held = kHeldBefore;  // after the part's last record
        bool has_dimensions = false;
        bool stopped = false;  // `stop` was set meanwhile
        // With the fit: the view-fit box of the part's records but for its
        // inserts and dimensions, and that of these. The fit works out a
        // block's box once, from where it is first met: where a box depends
        // on that (EntityBoxes::blocks_cut()), the inserts are taken again
        // after the parts, in store order, as one walk takes them.
        BoundingBox fit;
        BoundingBox inserts_fit;
        bool blocks_cut = false;
        std::vector<std::int32_t> fit_inserts;
    };

    // Reads records [first, last) (`first` at a run's start) into their
    // places in boxes_ and runs_, which are already sized for every record;
    // `with_fit`: fills the part's fit too.
    Part build_part(StoreReader& store, std::int32_t first, std::int32_t last,
                    const std::atomic<bool>* stop, bool with_fit);
    // The view-fit box of the records of `parts`, joined in store order.
    static std::optional<BoundingBox> fit_of_parts(StoreReader& store, std::span<const Part> parts);
    // The box an entity keeps: kUnbounded for one that meets every area.
    static DrawingExtents kept_extents(const BoundingBox& box);
    // Quantises the boxes of one run into `out`, one each, and gives the run.
    static Run close_run(std::span<const DrawingExtents> pending, Steps* out);

    static double step(double low, double high, int q) {
        return q == 255 ? high : low + (high - low) * (q / 255.0);
    }
    static DrawingExtents dequantised(const DrawingExtents& run, const Steps& q) {
        return {step(run.min_x, run.max_x, q[0]), step(run.min_y, run.max_y, q[1]),
                step(run.min_x, run.max_x, q[2]), step(run.min_y, run.max_y, q[3])};
    }

    std::vector<Steps> boxes_;
    std::vector<Run> runs_;
    std::vector<DrawingExtents> pending_;  // the boxes of the run being filled
    std::vector<std::pair<std::int32_t, std::int16_t>> carried_;  // by record, ascending
    bool has_dimensions_ = false;
    std::int16_t held_ = kHeldBefore;  // the layer held after the last record; kHeldBefore: none
};

}  // namespace zov
