// Block inserts and dimensions: the block's records drawn transformed about
// the block's base point, each in its own colour and line type; ByBlock ones
// take the insert's.
#include <algorithm>
#include <cmath>
#include <utility>

#include "render/drawing_pass.h"

namespace zov {

namespace {

double scale_or_one(double scale) { return scale == 0.0 ? 1.0 : scale; }

}  // namespace

long block_entity_budget(const StoreHeader& header) {
    return kBlockEntityBase + kBlockEntitiesPerSourceByte * std::max<long>(header.fsize, 0);
}

bool DrawingPass::take_block_entity() {
    if (block_entities_left_ > 0) {
        --block_entities_left_;
        return true;
    }
    block_entities_cut_ = true;
    return false;
}

const PassBlocks::Block* DrawingPass::open_block(std::int16_t number) {
    if (std::find(open_blocks_.begin(), open_blocks_.end(), number) != open_blocks_.end())
        return nullptr;
    return blocks_.find(number);
}

void DrawingPass::draw_insert(const EntityRecord& entity, int depth) {
    if (depth >= kMaxInsertDepth) return;
    accumulated_.x_scale *= scale_or_one(entity.insert.scale_x);
    accumulated_.y_scale *= scale_or_one(entity.insert.scale_y);
    accumulated_.rotation += entity.insert.rotation;
    // Inside an insert wholly in the picture, every nested one is too.
    const Placement placement = within_inside_insert_ ? Placement::Inside : placement_of(entity);
    if (placement == Placement::Outside) return;
    const PassBlocks::Block* block = open_block(entity.block);
    if (block == nullptr) return;
    open_blocks_.push_back(entity.block);
    const Pen outer_insert_pen = std::exchange(insert_pen_, pen_);
    InsertTransform transform = accumulated_;
    transform.x = entity.x1;
    transform.y = entity.y1;
    transform.base_x = block->record.base_x;
    transform.base_y = block->record.base_y;
    // An insert across the picture's edge: its entities wholly outside are
    // left out before they are placed.
    const bool across = placement == Placement::Across;
    const DrawingExtents seen =
        across ? area_in_block(reachable_area_, transform) : DrawingExtents{};
    const bool outer_inside = std::exchange(within_inside_insert_, placement == Placement::Inside);
    EntityRecord record;
    for (std::int32_t i = 0; i < block->record.count && !stop_asked(); ++i) {
        if (across && blocks_.misses(*block, i, seen, insert_boxes_)) continue;
        if (!take_block_entity()) break;
        if (!blocks_.entity(*block, i, record)) break;
        transform_record(record, transform);
        if (choose_block_pen(record)) draw_block_entity(record, depth);
    }
    within_inside_insert_ = outer_inside;
    insert_pen_ = outer_insert_pen;
    open_blocks_.pop_back();
}

DrawingPass::Placement DrawingPass::placement_of(const EntityRecord& entity) {
    EntityRecord placed = entity;
    placed.kind = kEntityInsert;
    placed.insert.scale_x = accumulated_.x_scale;
    placed.insert.scale_y = accumulated_.y_scale;
    placed.insert.rotation = accumulated_.rotation;
    // The box of the block's contents at every depth: at least what is drawn.
    const BoundingBox box = insert_boxes_.box_of(placed);
    if (box.empty()) return Placement::Inside;  // nothing bounded: all drawn
    const DrawingExtents b = box.extents();
    const DrawingExtents& area = reachable_area_;
    if (!meets(b, area)) return Placement::Outside;
    const bool inside = b.min_x >= area.min_x && b.max_x <= area.max_x && b.min_y >= area.min_y &&
                        b.max_y <= area.max_y;
    return inside ? Placement::Inside : Placement::Across;
}

void DrawingPass::draw_block_entity(const EntityRecord& record, int depth) {
    switch (record.kind) {
        case kEntityLine:
            draw_line({record.x1, record.y1}, {record.line.end_x, record.line.end_y});
            break;
        case kEntityArc: draw_arc(record); break;
        case kEntityPoint: draw_point_mark({record.x1, record.y1}); break;
        case kEntityLeader: draw_arrow_line(record); break;
        case kEntityText:
            if (!is_attribute_definition(record)) defer_text(record, true);
            break;
        case kEntityInsert: {
            const InsertTransform saved = accumulated_;
            draw_insert(record, depth + 1);
            accumulated_ = saved;
            break;
        }
        case kEntitySolid: draw_solid(record); break;
        case kEntityDimension:
            // A dimension inside a block: its picture, placed as the block is.
            if (depth + 1 < kMaxInsertDepth) {
                const InsertTransform saved = accumulated_;
                EntityRecord picture = record;
                picture.kind = kEntityInsert;
                picture.insert.scale_x = picture.insert.scale_y = 1.0;
                picture.insert.rotation = 0.0;
                draw_insert(picture, depth + 1);
                accumulated_ = saved;
            }
            break;
        default: break;
    }
}

int DrawingPass::count_block_entities(const PassBlocks::Block& block,
                                      bool (*counts)(const EntityRecord&)) {
    int found = 0;
    EntityRecord record;
    for (std::int32_t i = 0; i < block.record.count; ++i) {
        if (!blocks_.entity(block, i, record)) break;
        if (counts(record)) ++found;
    }
    return found;
}

namespace {

bool is_insert(const EntityRecord& record) { return record.kind == kEntityInsert; }

// A filled triangle: a solid whose fourth corner repeats its third, as
// dimension pictures draw closed filled arrow heads.
bool is_arrow_solid(const EntityRecord& record) {
    return record.kind == kEntitySolid && record.solid.fourth_x == record.solid.third_x &&
           record.solid.fourth_y == record.solid.third_y &&
           (record.flags & kEntityBackgroundFill) == 0;
}

// The tip of an arrow-head triangle, the corner across its shortest side,
// and the middle of that side, its base.
void arrow_tip(const EntityRecord& record, Point& tip, Point& base) {
    const Point corners[3] = {{record.solid.first_x, record.solid.first_y},
                              {record.x1, record.y1},
                              {record.solid.third_x, record.solid.third_y}};
    int across = 0;
    double shortest = INFINITY;
    for (int k = 0; k < 3; ++k) {
        const Point a = corners[(k + 1) % 3], b = corners[(k + 2) % 3];
        const double side = std::hypot(a.x - b.x, a.y - b.y);
        if (side < shortest) shortest = side, across = k;
    }
    tip = corners[across];
    const Point a = corners[(across + 1) % 3], b = corners[(across + 2) % 3];
    base = {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

}  // namespace

// The dimension's picture block, drawn at the dimension's position. With an
// end style other than "as in the data" its lines, arcs and arrow-head
// blocks give way to a dimension line and ends drawn from the first two
// definition points and the first two arrow-head positions. A picture
// without two arrow-head inserts whose arrow heads are filled triangles
// keeps its lines and has only its arrow heads drawn in the style; one with
// neither has no ends to take and is drawn as in the data.
void DrawingPass::draw_dimension(const EntityRecord& dimension) {
    ++dimensions_drawn_;
    accumulated_ = InsertTransform{};
    const PassBlocks::Block* block = open_block(dimension.block);
    if (block == nullptr) return;
    DimensionEnds ends = settings_.dimension_ends;
    const bool solid_arrows = count_block_entities(*block, is_insert) < 2;
    if (dimension.h_align == 1 ||
        (solid_arrows && count_block_entities(*block, is_arrow_solid) < 2)) {
        ends = DimensionEnds::AsData;
    } else {
        ++dimensions_with_ends_;
    }
    open_blocks_.push_back(dimension.block);
    const Pen outer_insert_pen = std::exchange(insert_pen_, pen_);
    InsertTransform transform;
    transform.x = dimension.x1;
    transform.y = dimension.y1;
    transform.base_x = block->record.base_x;
    transform.base_y = block->record.base_y;

    Point defs[2], arrows[2], bases[2];
    int def_count = 0, arrow_count = 0;
    EntityRecord record;
    for (std::int32_t i = 0; i < block->record.count && take_block_entity(); ++i) {
        if (!blocks_.entity(*block, i, record)) break;
        transform_record(record, transform);
        if (ends != DimensionEnds::AsData && solid_arrows && arrow_count < 2 &&
            is_arrow_solid(record)) {
            arrow_tip(record, arrows[arrow_count], bases[arrow_count]);
            ++arrow_count;
            continue;
        }
        if (ends == DimensionEnds::AsData || solid_arrows) {
            if (record.kind != kEntityPoint && choose_block_pen(record))
                draw_block_entity(record, 0);
            continue;
        }
        switch (record.kind) {
            case kEntityPoint:
                if (def_count < 2) defs[def_count++] = {record.x1, record.y1};
                break;
            case kEntityInsert:
                if (arrow_count < 2) arrows[arrow_count++] = {record.x1, record.y1};
                break;
            case kEntityLeader:
            case kEntityText:
            case kEntitySolid:
                if (choose_block_pen(record)) draw_block_entity(record, 0);
                break;
            default: break;  // lines and arcs give way to the drawn ends
        }
    }
    use_pen(insert_pen_.colour, insert_pen_.style, insert_pen_.width);
    insert_pen_ = outer_insert_pen;
    open_blocks_.pop_back();
    if (ends == DimensionEnds::AsData) return;
    if (solid_arrows) {
        draw_solid_arrow_ends(ends, arrows, bases, arrow_count);
    } else {
        draw_dimension_ends(ends, defs, def_count, arrows, arrow_count);
    }
}

void DrawingPass::draw_solid_arrow_ends(DimensionEnds ends, const Point* tips, const Point* bases,
                                        int count) {
    for (int k = 0; k < count; ++k) {
        if (ends == DimensionEnds::FilledDots) {
            draw_point_mark(tips[k]);
            continue;
        }
        // Heads as long as the solids were.
        const Point tip = tips[k], base = bases[k];
        const Point toward{tip.x + 4.0 * (base.x - tip.x), tip.y + 4.0 * (base.y - tip.y)};
        draw_arrow_head(ends == DimensionEnds::FilledArrows, tip, toward,
                        std::hypot(base.x - tip.x, base.y - tip.y));
    }
}

// Without two definition points the extension lines are left out.
void DrawingPass::draw_dimension_ends(DimensionEnds ends, const Point* defs, int def_count,
                                      const Point* arrows, int arrow_count) {
    if (arrow_count < 2) return;
    const Point a0 = arrows[0], a1 = arrows[1];
    draw_line(a1, a0);
    if (def_count == 2 && std::hypot(a1.x - defs[1].x, a1.y - defs[1].y) != 0.0) {
        draw_line(a1, defs[1]);
        draw_line(a0, defs[0]);
    }
    if (ends == DimensionEnds::FilledDots) {
        draw_point_mark(a1);
        draw_point_mark(a0);
        return;
    }
    const bool filled = ends == DimensionEnds::FilledArrows;
    const double size = drawing_width_ / 200.0;
    draw_arrow_head(filled, a1, a0, size);
    draw_arrow_head(filled, a0, a1, size);
}

}  // namespace zov
