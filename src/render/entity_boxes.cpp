#include "render/entity_boxes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/drawing_pass.h"
#include "render/record_transform.h"
#include "store/record_move.h"
#include "store/text_metrics.h"

namespace zov {

namespace {

// How far an arc drawn as a true curve may bulge beyond the chord between
// two points taken 5 degrees apart, as a share of its radius (1 - cos 2.5°,
// rounded up).
constexpr double kArcBulge = 0.001;

// The box grown by `margin` on every side.
void include_around(BoundingBox& box, double x, double y, double margin) {
    box.include(x - margin, y - margin);
    box.include(x + margin, y + margin);
}

}  // namespace

EntityBoxes::EntityBoxes(StoreReader& store, BoxUse use)
    : store_(store), header_(store.header()), use_(use) {
    if (use != BoxUse::ViewFit) return;
    LayerRecord layer;
    hidden_.resize(static_cast<std::size_t>(std::max(store.layer_count(), 0)));
    for (std::size_t i = 0; i < hidden_.size(); ++i)
        hidden_[i] = store.read_layer(static_cast<std::int32_t>(i + 1), layer) == 0 &&
                     test_bit(layer.flags, kLayerHiddenBit);
}

BoundingBox EntityBoxes::box_of(const EntityRecord& record) {
    BoundingBox box;
    include_record(box, record, 0);
    return box;
}

BoundingBox EntityBoxes::drawing() {
    const double paper_scale = paper_space_scale(header_.scale);
    BoundingBox box;
    EntityRecord record;
    const std::int32_t count = store_.entity_count();
    for (std::int32_t i = 0; i < count && store_.read_entity(i, record) == 0; ++i) {
        if (record.paper_space == 1) scale_record(record, paper_scale);
        include_record(box, record, 0);
    }
    return box;
}

bool EntityBoxes::left_out(const EntityRecord& e) const {
    if (use_ != BoxUse::ViewFit) return false;
    if ((e.flags & kEntityConstructionLine) != 0) return true;
    return e.layer > 0 && static_cast<std::size_t>(e.layer) <= hidden_.size() &&
           hidden_[static_cast<std::size_t>(e.layer - 1)];
}

void EntityBoxes::include_record(BoundingBox& box, const EntityRecord& e, int depth) {
    // Attribute definitions inside blocks are kept for the export, not drawn.
    if (left_out(e) || (depth > 0 && is_attribute_definition(e))) return;
    switch (e.kind) {
        case kEntityLine:
            box.include(e.x1, e.y1);
            box.include(e.line.end_x, e.line.end_y);
            break;
        case kEntityLeader: {
            // The arrow head's wings reach at most a quarter of its length
            // to the side.
            const double wing = use_ == BoxUse::Reach
                                    ? std::hypot(e.line.end_x - e.x1, e.line.end_y - e.y1) / 4.0
                                    : 0.0;
            include_around(box, e.x1, e.y1, wing);
            include_around(box, e.line.end_x, e.line.end_y, wing);
            break;
        }
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

// Points along the arc as drawn, a few degrees apart: a quarter arc covers
// a quarter of its circle's box.
void EntityBoxes::include_arc(BoundingBox& box, const EntityRecord& e) const {
    constexpr double kStep = 5.0;
    double sweep = std::fmod(e.arc.end_angle - e.arc.start_angle, 360.0);
    if (!std::isfinite(sweep)) return;
    if (sweep <= 0.0) sweep += 360.0;
    const bool ellipse = e.arc.axis_ratio != 1.0;
    const double r = e.arc.radius, minor = ellipse ? e.arc.radius * e.arc.axis_ratio : e.arc.radius;
    const double turn = ellipse ? e.arc.tilt * std::numbers::pi / 180.0 : 0.0;
    const double c = std::cos(turn), s = std::sin(turn);
    const int steps = static_cast<int>(std::ceil(sweep / kStep));
    const double bulge = use_ == BoxUse::Reach ? kArcBulge * std::abs(r) : 0.0;
    auto include_point = [&](int i) {
        const double t =
            (e.arc.start_angle + std::min(i * kStep, sweep)) * std::numbers::pi / 180.0;
        const AngleCache::CosSin at = angles_.of_radians(t);
        const double u = r * at.cos, v = minor * at.sin;
        include_around(box, e.x1 + u * c - v * s, e.y1 + u * s + v * c, bulge);
    };
    // On a circle only the points next to a quarter turn (and the ends) can
    // lie farthest left, right, up or down.
    constexpr double kPlainAngle = 1e6;
    if (ellipse || !(std::abs(e.arc.start_angle) < kPlainAngle)) {
        for (int i = 0; i <= steps; ++i) include_point(i);
        return;
    }
    // The points come in rising order; one met twice (a quarter turn on a
    // point, an end next to one) is taken once.
    int last = -1;
    auto include_once = [&](int i) {
        if (i == last) return;
        include_point(i);
        last = i;
    };
    include_once(0);
    const double first_quarter = std::ceil(e.arc.start_angle / 90.0) * 90.0;
    for (int k = 0; k < 5; ++k) {
        const double at = (first_quarter + 90.0 * k - e.arc.start_angle) / kStep;
        if (at > steps) break;
        include_once(std::clamp(static_cast<int>(std::floor(at)), 0, steps));
        include_once(std::clamp(static_cast<int>(std::ceil(at)), 0, steps));
    }
    include_once(steps);
}

std::optional<BoundingBox> EntityBoxes::arc_reach_of_fit(const BoundingBox& fit,
                                                         const EntityRecord& arc) {
    // Rounding keeps the order of numbers, so the least of the points less
    // the bulge is the least point less the bulge, and so on.
    const double bulge = kArcBulge * std::abs(arc.arc.radius);
    const DrawingExtents e = fit.extents();
    const double grown[] = {e.min_x - bulge, e.min_y - bulge, e.max_x + bulge, e.max_y + bulge};
    if (fit.empty() ||
        !std::all_of(std::begin(grown), std::end(grown), [](double v) { return std::isfinite(v); }))
        return std::nullopt;
    BoundingBox reach;
    reach.include(grown[0], grown[1]);
    reach.include(grown[2], grown[3]);
    return reach;
}

// The corners of the text's box; for the index a square about its base point
// that holds the text at any angle, written either way, with its descenders.
void EntityBoxes::include_text(BoundingBox& box, const EntityRecord& e) {
    const double h = e.text.height;
    if (store_.read_text(e, text_) != 0) text_.clear();
    const double w = text_advance_width(header_.kind, e, text_);
    const double up = text_ascent(header_.kind, h);
    if (use_ == BoxUse::Reach) {
        include_around(box, e.x1, e.y1, std::abs(w) + std::abs(up) + std::abs(h));
        return;
    }
    const double a = e.text.angle * std::numbers::pi / 180.0;
    const double ux = std::cos(a), uy = std::sin(a);
    box.include(e.x1, e.y1);
    box.include(e.x1 + w * ux, e.y1 + w * uy);
    box.include(e.x1 - up * uy, e.y1 + up * ux);
    box.include(e.x1 + w * ux - up * uy, e.y1 + w * uy + up * ux);
}

// The block's box with its corners placed as the insert places them; an
// insert of an empty block draws nothing and covers nothing.
void EntityBoxes::include_insert(BoundingBox& box, const EntityRecord& e, int depth) {
    const BlockBox* block = block_box(e.block, depth);
    if (block == nullptr || block->box.empty()) return;
    InsertTransform transform;
    transform.x = e.x1;
    transform.y = e.y1;
    if (e.kind == kEntityInsert) {
        transform.x_scale = e.insert.scale_x;
        transform.y_scale = e.insert.scale_y;
        transform.rotation = e.insert.rotation;
    }
    transform.base_x = block->base_x;
    transform.base_y = block->base_y;
    const DrawingExtents b = block->box.extents();
    EntityRecord corners;
    corners.kind = kEntitySolid;
    corners.x1 = b.min_x, corners.y1 = b.min_y;
    corners.solid.first_x = b.max_x, corners.solid.first_y = b.min_y;
    corners.solid.third_x = b.max_x, corners.solid.third_y = b.max_y;
    corners.solid.fourth_x = b.min_x, corners.solid.fourth_y = b.max_y;
    transform_record(corners, transform);
    include_record(box, corners, depth);
}

// The box of block `number`'s own records, worked out once; none for a block
// that cannot be read or lies too deep (a block inside itself). A pass
// leaves out a block met again inside itself, so what a block paints
// depends on the way in: the index's box of a block at a depth holds all it
// may paint there by any way in, blocks met again included down to the
// deepest insert drawn, so that it never misses what a pass draws whatever
// order the boxes are worked out in. The fit takes each block once, without
// what it meets again inside itself.
const EntityBoxes::BlockBox* EntityBoxes::block_box(std::int16_t number, int depth) {
    if (depth >= kMaxInsertDepth) {
        blocks_cut_ = true;
        return nullptr;
    }
    const bool by_depth = use_ == BoxUse::Reach;
    const std::int32_t key = number * kMaxInsertDepth + (by_depth ? depth : 0);
    if (const auto found = blocks_.find(key); found != blocks_.end()) {
        if (!found->second) blocks_cut_ = true;
        return found->second ? &*found->second : nullptr;
    }
    blocks_[key] = std::nullopt;  // being worked out
    BlockRecord block;
    if (store_.read_block(number, block) != 0) {
        blocks_cut_ = true;
        return nullptr;
    }
    BoundingBox box;
    EntityRecord record;
    for (std::int32_t i = 0; i < block.count; ++i) {
        if (store_.read_block_entity(block, i, record) != 0) break;
        include_record(box, record, depth + 1);
    }
    auto& kept = blocks_[key];
    kept = BlockBox{box, block.base_x, block.base_y};
    return &*kept;
}

}  // namespace zov
