#pragma once
// One JW_CAD for Windows symbol file (.jws) as the converter reads it: the
// header (origin and group scales), the entities at the top of the file and
// the block definitions, kept by kind. Coordinates stay as stored: paper
// millimetres, absolute, block contents relative to their base point.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "jw/jww_format.h"
#include "jw/jww_reader.h"

namespace zov {

// A list of entities: the top of the file, or a block definition's
// contents. A dimension is kept as its parts: its line and value text, and
// (in SXF mode) the extension lines and the points that are not temporary.
struct JwsContents {
    std::vector<JwwLine> lines;
    std::vector<JwwArc> arcs;
    std::vector<JwwPoint> points;
    std::vector<JwwText> texts;
    std::vector<JwwSolid> solids;
    std::vector<JwwInsert> inserts;
};

struct JwsSymbol {
    JwwHeader header;
    JwsContents top;
    std::vector<JwsContents> blocks;  // every definition, nested ones too, in file order
    // Definition of each block number: the first one the file holds.
    std::unordered_map<std::uint32_t, std::size_t> block_numbers;
    JwwReadStatus status = JwwReadStatus::Whole;

    // The contents of block `number`, or nullptr when the file defines none.
    const JwsContents* block(std::uint32_t number) const;
};

// Longest text kept, in bytes, as a DXF TEXT holds it; never half a character.
inline constexpr std::size_t kJwsTextKeep = 255;

// Reads the .jws file at `path` (file-system path). Whatever the file holds
// before damage or a cut is kept and `status` tells what stopped the
// reading. False only when the file cannot be opened.
bool read_jws_symbol(const std::string& path, JwsSymbol& symbol);

// The scale denominator of layer group `group` as the symbol was saved; one
// that is not a positive number counts as 1, and a group outside 0-15 as group 0.
double jws_group_scale(const JwwHeader& header, std::uint16_t group);

// The symbol's scale: the largest scale of the layer groups its top-level
// entities lie on, or of all 16 groups when it has none.
double jws_symbol_scale(const JwsSymbol& symbol);

}  // namespace zov
