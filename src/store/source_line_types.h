#pragma once
// The line types of a DXF source as it named and drew them, kept beside the
// store in a file of their own ($VV_LTP$.TMP, fixed records back to back):
// the store's own records hold one of nine fixed codes, and the full export
// writes the source's names and patterns again from this table. An entity
// names its source line type by EntityRecord::source_line_type (1-based, 0
// none); a store without the file exports with the fixed names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zov {

inline constexpr char kSourceLineTypeFileName[] = "$VV_LTP$.TMP";

// EntityRecord::source_line_type is one byte: the first this many line types
// of a source get a number; later ones are drawn and written by their code.
inline constexpr int kMaxSourceLineTypes = 255;
// Dash, gap and dot lengths of one pattern (DXF allows twelve).
inline constexpr int kMaxLineTypeElements = 12;

struct SourceLineTypeRecord {
    char name[64] = {};         // as in the source (CP932)
    char description[96] = {};  // group 3
    std::int32_t elements = 0;  // group 73: 0 to kMaxLineTypeElements
    std::int32_t reserved_164 = 0;
    double total_length = 0;                    // group 40
    double lengths[kMaxLineTypeElements] = {};  // group 49: dashes > 0, gaps < 0, dots 0
};

// Writes `types` as the whole file in `program_folder` (ending in "/"), or
// removes the file when `types` is empty; false when it could not be written.
bool write_source_line_types(const std::string& program_folder,
                             const std::vector<SourceLineTypeRecord>& types);

// The records of the file in `program_folder`: none when it is absent, at
// most kMaxSourceLineTypes, a cut-off record left out, every name and
// description ended and every count and length brought into range.
std::vector<SourceLineTypeRecord> read_source_line_types(const std::string& program_folder);

// Removes the file: every import starts without one.
void forget_source_line_types(const std::string& program_folder);

static_assert(sizeof(SourceLineTypeRecord) == 272);
static_assert(offsetof(SourceLineTypeRecord, name) == 0);
static_assert(offsetof(SourceLineTypeRecord, description) == 64);
static_assert(offsetof(SourceLineTypeRecord, elements) == 160);
static_assert(offsetof(SourceLineTypeRecord, reserved_164) == 164);
static_assert(offsetof(SourceLineTypeRecord, total_length) == 168);
static_assert(offsetof(SourceLineTypeRecord, lengths) == 176);

}  // namespace zov
