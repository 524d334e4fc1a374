#pragma once
// The blocks of a store as one drawing pass reads them: a block's record and
// its entity records are read on its first insert and kept for the rest of
// the pass, so that a block inserted thousands of times is read once. At
// most kMaxKeptBlockEntities records are kept; the records of blocks beyond
// that are read from the store at every insert.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "render/entity_boxes.h"
#include "store/records.h"
#include "store/store_reader.h"

namespace zov {

inline constexpr std::size_t kMaxKeptBlockEntities = std::size_t{1} << 17;

class PassBlocks {
public:
    struct Block {
        BlockRecord record;
        // Its first entity records, as far as they could be read.
        std::vector<EntityRecord> entities;
        // The box of each of them as the entity index takes it, in the
        // block's coordinates; made at the first insert that asks.
        mutable std::vector<DrawingExtents> reach;
    };

    explicit PassBlocks(StoreReader& store) : store_(store) {}

    // Block `number`; null when its record cannot be read. The block stays
    // where it is until the pass ends.
    const Block* find(std::int16_t number);
    // Entity record `i` of `block`; false when it cannot be read.
    bool entity(const Block& block, std::int32_t i, EntityRecord& record);
    // Whether entity record `i` of `block`, kept with its box, can paint
    // nothing of `area` (in the block's coordinates).
    bool misses(const Block& block, std::int32_t i, const DrawingExtents& area,
                EntityBoxes& boxes) const;

private:
    StoreReader& store_;
    std::unordered_map<std::int16_t, std::optional<Block>> blocks_;  // none: unreadable
    std::size_t kept_ = 0;  // entity records room was made for
};

}  // namespace zov
