#include "render/drawing_extents.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/drawing_pass.h"
#include "render/record_transform.h"
#include "store/record_move.h"
#include "store/text_metrics.h"

namespace zov {

namespace {

// Share of the entities' box's width and height left free on each side.
constexpr double kFitMargin = 0.02;
// Header extents more than this many times as wide and as high as what is
// drawn are stale (left from an earlier, larger drawing): the layer sheet's
// cells would show specks.
constexpr double kStaleExtentsFactor = 10.0;

class Box {
public:
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
    void include(const Box& other) {
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

// The box of everything the drawing pass draws: texts by their font box,
// inserts and dimensions by the transformed box of their block. Lines that
// stand for XLINEs and RAYs are left out, and so are the entities of hidden
// layers in the view's fit.
class EntityBox {
public:
    EntityBox(StoreReader& store, ExtentsUse use) : store_(store), header_(store.header()) {
        if (use == ExtentsUse::LayerSheet) return;
        LayerRecord layer;
        hidden_.resize(static_cast<std::size_t>(std::max(store.layer_count(), 0)));
        for (std::size_t i = 0; i < hidden_.size(); ++i)
            hidden_[i] = store.read_layer(static_cast<std::int32_t>(i + 1), layer) == 0 &&
                         test_bit(layer.flags, kLayerHiddenBit);
    }

    Box drawing() {
        const double paper_scale = paper_space_scale(header_.scale);
        Box box;
        EntityRecord record;
        const std::int32_t count = store_.entity_count();
        for (std::int32_t i = 0; i < count && store_.read_entity(i, record) == 0; ++i) {
            if (record.paper_space == 1) scale_record(record, paper_scale);
            include_record(box, record, 0);
        }
        return box;
    }

private:
    bool left_out(const EntityRecord& e) const {
        if ((e.flags & kEntityConstructionLine) != 0) return true;
        return e.layer > 0 && static_cast<std::size_t>(e.layer) <= hidden_.size() &&
               hidden_[static_cast<std::size_t>(e.layer - 1)];
    }

    void include_record(Box& box, const EntityRecord& e, int depth) {
        if (left_out(e) || (depth > 0 && is_attribute_definition(e))) return;
        switch (e.kind) {
            case kEntityLine:
            case kEntityLeader:
                box.include(e.x1, e.y1);
                box.include(e.line.end_x, e.line.end_y);
                break;
            case kEntityArc: include_arc(box, e); break;
            case kEntitySolid:
                box.include(e.x1, e.y1);
                box.include(e.solid.first_x, e.solid.first_y);
                box.include(e.solid.third_x, e.solid.third_y);
                box.include(e.solid.fourth_x, e.solid.fourth_y);
                break;
            case kEntityText: include_text(box, e); break;
            case kEntityInsert:
            case kEntityDimension: include_insert(box, e, depth); break;
            default: box.include(e.x1, e.y1); break;
        }
    }

    // Points along the arc as drawn, a few degrees apart: a quarter arc
    // covers a quarter of its circle's box.
    static void include_arc(Box& box, const EntityRecord& e) {
        constexpr double kStep = 5.0;
        double sweep = std::fmod(e.arc.end_angle - e.arc.start_angle, 360.0);
        if (!std::isfinite(sweep)) return;
        if (sweep <= 0.0) sweep += 360.0;
        const bool ellipse = e.arc.axis_ratio != 1.0;
        const double r = e.arc.radius,
                     minor = ellipse ? e.arc.radius * e.arc.axis_ratio : e.arc.radius;
        const double turn = ellipse ? e.arc.tilt * std::numbers::pi / 180.0 : 0.0;
        const double c = std::cos(turn), s = std::sin(turn);
        const int steps = static_cast<int>(std::ceil(sweep / kStep));
        auto include_point = [&](int i) {
            const double t =
                (e.arc.start_angle + std::min(i * kStep, sweep)) * std::numbers::pi / 180.0;
            const double u = r * std::cos(t), v = minor * std::sin(t);
            box.include(e.x1 + u * c - v * s, e.y1 + u * s + v * c);
        };
        include_point(0);
        include_point(steps);
        // On a circle only the points next to a quarter turn (and the ends)
        // can lie farthest left, right, up or down.
        constexpr double kPlainAngle = 1e6;
        if (ellipse || !(std::abs(e.arc.start_angle) < kPlainAngle)) {
            for (int i = 1; i < steps; ++i) include_point(i);
            return;
        }
        const double first_quarter = std::ceil(e.arc.start_angle / 90.0) * 90.0;
        for (int k = 0; k < 5; ++k) {
            const double at = (first_quarter + 90.0 * k - e.arc.start_angle) / kStep;
            if (at > steps) break;
            include_point(std::clamp(static_cast<int>(std::floor(at)), 0, steps));
            include_point(std::clamp(static_cast<int>(std::ceil(at)), 0, steps));
        }
    }

    // The corners of the text's box.
    void include_text(Box& box, const EntityRecord& e) {
        const double h = e.text.height;
        if (store_.read_text(e, text_) != 0) text_.clear();
        const double w = text_advance_width(header_.kind, e, text_);
        const double up = text_ascent(header_.kind, h);
        const double a = e.text.angle * std::numbers::pi / 180.0;
        const double ux = std::cos(a), uy = std::sin(a);
        box.include(e.x1, e.y1);
        box.include(e.x1 + w * ux, e.y1 + w * uy);
        box.include(e.x1 - up * uy, e.y1 + up * ux);
        box.include(e.x1 + w * ux - up * uy, e.y1 + w * uy + up * ux);
    }

    // The block's box with its corners placed as the insert places them; an
    // insert of an empty block draws nothing and covers nothing.
    void include_insert(Box& box, const EntityRecord& e, int depth) {
        const Box* contents = block_box(e.block, depth);
        if (contents == nullptr || contents->empty()) return;
        BlockRecord block;
        if (store_.read_block(e.block, block) != 0) return;
        InsertTransform transform;
        transform.x = e.x1;
        transform.y = e.y1;
        if (e.kind == kEntityInsert) {
            transform.x_scale = e.insert.scale_x;
            transform.y_scale = e.insert.scale_y;
            transform.rotation = e.insert.rotation;
        }
        transform.base_x = block.base_x;
        transform.base_y = block.base_y;
        const DrawingExtents b = contents->extents();
        EntityRecord corners;
        corners.kind = kEntitySolid;
        corners.x1 = b.min_x, corners.y1 = b.min_y;
        corners.solid.first_x = b.max_x, corners.solid.first_y = b.min_y;
        corners.solid.third_x = b.max_x, corners.solid.third_y = b.max_y;
        corners.solid.fourth_x = b.min_x, corners.solid.fourth_y = b.max_y;
        transform_record(corners, transform);
        include_record(box, corners, depth);
    }

    // The box of block `number`'s own records, worked out once; none for a
    // block that cannot be read or lies too deep (a block inside itself).
    const Box* block_box(std::int16_t number, int depth) {
        if (depth >= kMaxInsertDepth) return nullptr;
        if (const auto found = blocks_.find(number); found != blocks_.end())
            return found->second ? &*found->second : nullptr;
        blocks_[number] = std::nullopt;  // being worked out
        BlockRecord block;
        if (store_.read_block(number, block) != 0) return nullptr;
        Box box;
        EntityRecord record;
        for (std::int32_t i = 0; i < block.count; ++i) {
            if (store_.read_block_entity(block, i, record) != 0) break;
            include_record(box, record, depth + 1);
        }
        auto& kept = blocks_[number];
        kept = box;
        return &*kept;
    }

    StoreReader& store_;
    const StoreHeader& header_;
    std::vector<bool> hidden_;  // by layer number - 1
    std::string text_;
    std::unordered_map<std::int16_t, std::optional<Box>> blocks_;
};

bool contains(const DrawingExtents& outer, const DrawingExtents& inner) {
    // Extents written with a few digits may miss the entities by a hair.
    const double slack = 1e-6 * std::max({std::abs(outer.max_x - outer.min_x),
                                          std::abs(outer.max_y - outer.min_y), 1.0});
    return inner.min_x >= outer.min_x - slack && inner.min_y >= outer.min_y - slack &&
           inner.max_x <= outer.max_x + slack && inner.max_y <= outer.max_y + slack;
}

// A box without width or height (a single line, a point) is not compared.
bool much_larger(const DrawingExtents& outer, const DrawingExtents& inner) {
    const double w = inner.max_x - inner.min_x, h = inner.max_y - inner.min_y;
    return w > 0 && h > 0 && outer.max_x - outer.min_x > kStaleExtentsFactor * w &&
           outer.max_y - outer.min_y > kStaleExtentsFactor * h;
}

DrawingExtents with_margin(const DrawingExtents& e) {
    const double mx = kFitMargin * (e.max_x - e.min_x), my = kFitMargin * (e.max_y - e.min_y);
    return {e.min_x - mx, e.min_y - my, e.max_x + mx, e.max_y + my};
}

}  // namespace

DrawingExtents header_extents(const StoreHeader& h) { return {h.min_x, h.min_y, h.max_x, h.max_y}; }

DrawingExtents drawing_extents(StoreReader& store, ExtentsUse use) {
    const StoreHeader& h = store.header();
    const DrawingExtents stated = header_extents(h);
    const bool empty = h.min_x > h.max_x || h.min_y > h.max_y;
    const bool single_point = h.min_x == h.max_x && h.min_y == h.max_y;
    // A JW_CAD drawing is fitted by its paper whenever it has one.
    if (h.kind == kSourceJwCad && !empty && !single_point) return stated;
    const Box entities = EntityBox(store, use).drawing();
    if (entities.empty()) return stated;
    const DrawingExtents own = entities.extents();
    // A lone point has no size to frame: the header's box around it does.
    const bool lone_point = own.min_x == own.max_x && own.min_y == own.max_y;
    if (lone_point && !empty && !single_point) return stated;
    if (h.kind == kSourceJwCad) return own;
    const bool sheet_stands = use == ExtentsUse::LayerSheet && !empty && !single_point &&
                              contains(stated, own) && !much_larger(stated, own);
    return sheet_stands ? stated : with_margin(own);
}

}  // namespace zov
