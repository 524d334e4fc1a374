#pragma once
// The scan pass of a JW_CAD for Windows import: the header, the layers that
// hold entities, and every block definition (nested ones too) with the
// number of store records of its contents, so that the output pass can
// give each definition its stretch of the block data and resolve inserts
// of definitions that come later in the file.
#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "jw/jww_reader.h"
#include "jw/jww_records.h"

namespace zov {

// Block numbers of store records are 16-bit: definitions beyond this many
// are left out, and so are inserts of them.
constexpr std::size_t kJwwMaxStoreBlocks = 32767;
// Block contents beyond what a store's 32-bit offsets can reach are left out.
constexpr std::int64_t kJwwMaxBlockRecords = INT32_MAX / sizeof(EntityRecord);

struct JwwBlockPlan {
    std::uint32_t number = 0;  // what inserts refer to
    std::string name;          // CP932, without the "@@SfigorgFlag@@n" ending
    bool referred = false;     // the file says an insert uses it
    std::int32_t first = 0;    // first record in the block data
    std::int32_t count = 0;    // records of its contents
};

struct JwwScan {
    JwwReadResult result;
    JwwHeader header;
    std::array<bool, kJwwLayerSlots> used_layers{};
    std::vector<JwwBlockPlan> blocks;  // in file order; store block n is blocks[n - 1]
    // Store block numbers by definition number; the first definition of a
    // number wins. A definition beyond kJwwMaxStoreBlocks has number 0.
    std::unordered_map<std::uint32_t, std::int16_t> block_numbers;
    std::int64_t blocks_left_out = 0;
};

// Reads the file at `path` once; the blocks' `first` are laid out one after
// the other in store order.
JwwScan scan_jww_file(const std::string& path);

// A block definition's name as shown: without the ending
// "@@SfigorgFlag@@n" (in any letter case) that marks its kind.
std::string jww_block_display_name(const std::string& stored);

}  // namespace zov
