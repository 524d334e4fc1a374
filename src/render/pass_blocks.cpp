#include "render/pass_blocks.h"

namespace zov {

const PassBlocks::Block* PassBlocks::find(std::int16_t number) {
    const auto [found, first_use] = blocks_.try_emplace(number);
    std::optional<Block>& kept = found->second;
    if (!first_use) return kept ? &*kept : nullptr;
    BlockRecord record;
    if (store_.read_block(number, record) != 0) return nullptr;
    Block& block = kept.emplace();
    block.record = record;
    // A count beyond the room left (absurd ones too) keeps nothing.
    if (record.count > 0 &&
        static_cast<std::size_t>(record.count) <= kMaxKeptBlockEntities - kept_) {
        kept_ += static_cast<std::size_t>(record.count);
        block.entities.reserve(static_cast<std::size_t>(record.count));
        EntityRecord entity;
        for (std::int32_t i = 0; i < record.count; ++i) {
            if (store_.read_block_entity(record, i, entity) != 0) break;
            block.entities.push_back(entity);
        }
    }
    return &block;
}

bool PassBlocks::misses(const Block& block, std::int32_t i, const DrawingExtents& area,
                        EntityBoxes& boxes) const {
    if (i < 0 || static_cast<std::size_t>(i) >= block.entities.size()) return false;
    if (block.reach.empty()) {
        block.reach.reserve(block.entities.size());
        for (const EntityRecord& entity : block.entities) {
            const BoundingBox box = boxes.box_of(entity);
            // Nothing to bound: it meets every area.
            block.reach.push_back(box.empty() ? kWholePlane : box.extents());
        }
    }
    return !meets(block.reach[static_cast<std::size_t>(i)], area);
}

bool PassBlocks::entity(const Block& block, std::int32_t i, EntityRecord& record) {
    if (i >= 0 && static_cast<std::size_t>(i) < block.entities.size()) {
        record = block.entities[static_cast<std::size_t>(i)];
        return true;
    }
    return store_.read_block_entity(block.record, i, record) == 0;
}

}  // namespace zov
