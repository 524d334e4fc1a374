#pragma once
// The box of what the drawing pass draws for each entity record: texts by
// their font box, inserts and dimensions by the transformed box of their
// block. The view's fit and the layer sheet take the drawing's box from
// these; the entity index takes every record's box, widened to all that a
// pass may paint about it.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/angles.h"
#include "render/view_window.h"
#include "store/records.h"
#include "store/store_reader.h"

namespace zov {

class BoundingBox {
public:
    // Points with a coordinate that is not finite are left out. Inline: the
    // walk that loads a drawing includes several points of every entity.
    void include(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        if (empty_) {
            min_x_ = max_x_ = x;
            min_y_ = max_y_ = y;
            empty_ = false;
            return;
        }
        min_x_ = std::min(min_x_, x);
        min_y_ = std::min(min_y_, y);
        max_x_ = std::max(max_x_, x);
        max_y_ = std::max(max_y_, y);
    }
    void include(const BoundingBox& other) {
        if (other.empty_) return;
        include(other.min_x_, other.min_y_);
        include(other.max_x_, other.max_y_);
    }
    bool empty() const { return empty_; }
    DrawingExtents extents() const { return {min_x_, min_y_, max_x_, max_y_}; }

private:
    bool empty_ = true;
    double min_x_ = 0, min_y_ = 0, max_x_ = 0, max_y_ = 0;
};

// What the boxes are for.
enum class BoxUse {
    // The view's fit: the entities of hidden layers and the lines that stand
    // for XLINEs and RAYs are left out; texts by their font box.
    ViewFit,
    // The layer sheet: every entity, texts by their font box.
    LayerSheet,
    // The entity index: every entity, with room for what may be painted
    // about it (a text turned or written downwards, descenders, the bulge of
    // an arc between the points taken, a leader's arrow head).
    Reach,
};

class EntityBoxes {
public:
    EntityBoxes(StoreReader& store, BoxUse use);

    // The box of a top-level record whose paper-space coordinates are
    // scaled already; empty when it draws nothing that can be bounded.
    BoundingBox box_of(const EntityRecord& record);
    // The box of every entity of the drawing.
    BoundingBox drawing();
    // The index's box of an arc record whose view-fit box is `fit`: the same
    // points, each grown by the bulge the index allows for. None where that
    // growth is not exactly the box of the grown points (an arc left out of
    // the fit, numbers that do not stay finite).
    static std::optional<BoundingBox> arc_reach_of_fit(const BoundingBox& fit,
                                                       const EntityRecord& arc);
    // Whether a block's box was cut where it was met (inside itself, or
    // nested too deep) or could not be read: the fit's boxes of inserts then
    // depend on the order in which the records are taken.
    bool blocks_cut() const { return blocks_cut_; }

private:
    bool left_out(const EntityRecord& e) const;
    void include_record(BoundingBox& box, const EntityRecord& e, int depth);
    void include_arc(BoundingBox& box, const EntityRecord& e) const;
    void include_text(BoundingBox& box, const EntityRecord& e);
    void include_insert(BoundingBox& box, const EntityRecord& e, int depth);
    // A block's box with its base point, which its inserts place.
    struct BlockBox {
        BoundingBox box;
        double base_x = 0.0;
        double base_y = 0.0;
    };
    const BlockBox* block_box(std::int16_t number, int depth);

    StoreReader& store_;
    const StoreHeader& header_;
    const BoxUse use_;
    std::vector<bool> hidden_;  // by layer number - 1; empty unless hidden layers are left out
    std::string text_;
    mutable AngleCache angles_;  // the points along arcs
    // By block number, and for the index by depth too (block_box()).
    std::unordered_map<std::int32_t, std::optional<BlockBox>> blocks_;
    bool blocks_cut_ = false;
};

}  // namespace zov
