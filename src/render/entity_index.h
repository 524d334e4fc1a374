#pragma once
// Which entities of a store meet a part of the drawing, so that a pass over a
// zoomed-in view visits only those. Every entity's box as far as a pass may
// paint (BoxUse::Reach) is kept in store order, in floats rounded outward,
// with the union of each run of 64 boxes above them: a query passes over a
// run whose union misses the area and tests the others box by box, so its
// hits come in store order, the order in which the pass draws them. That is
// 16 bytes and a little more for each entity, and no change to the store.
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "render/entity_boxes.h"
#include "render/view_window.h"
#include "store/store_reader.h"

namespace zov {

class EntityIndex {
public:
    struct Box {
        float min_x, min_y, max_x, max_y;
        bool meets(const DrawingExtents& a) const {
            return min_x <= a.max_x && max_x >= a.min_x && min_y <= a.max_y && max_y >= a.min_y;
        }
    };
    static constexpr std::int32_t kRun = 64;

    // Reads every entity of `store` (through its entity buffer) and keeps
    // its box; a store that cannot be read to its end gives the records read.
    static EntityIndex build(StoreReader& store);

    // Appends the box of the next record; an empty box (nothing finite to
    // bound) meets every area, so that such an entity is never left out.
    void add(const BoundingBox& box);
    // Record `record`, of no layer the pass knows, is drawn with the layer
    // of the records before it: `layer`, 0 for none.
    void carry_layer(std::int32_t record, std::int16_t layer);

    std::int32_t size() const { return static_cast<std::int32_t>(boxes_.size()); }
    // Whether the drawing has dimensions, seen or not.
    bool has_dimensions() const { return has_dimensions_; }
    const Box& box(std::int32_t record) const { return boxes_[static_cast<std::size_t>(record)]; }

    // Calls visit(record) for every record whose box meets `area`, in store order.
    template <class Visit>
    void visit(const DrawingExtents& area, Visit&& visit) const {
        const std::int32_t count = size();
        for (std::int32_t run = 0; run * kRun < count; ++run) {
            if (!runs_[static_cast<std::size_t>(run)].meets(area)) continue;
            const std::int32_t end = std::min(count, (run + 1) * kRun);
            for (std::int32_t i = run * kRun; i < end; ++i)
                if (boxes_[static_cast<std::size_t>(i)].meets(area)) visit(i);
        }
    }

    // The layer a pass would hold when it meets `record` after the records
    // before it, for a record of no layer the pass knows; -1 for a record
    // with a layer of its own.
    std::int32_t carried_layer(std::int32_t record) const;

private:
    std::vector<Box> boxes_;
    std::vector<Box> runs_;  // union of boxes [64 k, 64 k + 64)
    std::vector<std::pair<std::int32_t, std::int16_t>> carried_;  // by record, ascending
    bool has_dimensions_ = false;
};

}  // namespace zov
