#pragma once
// The tables of a data file between the header blocks and the element data
// (text kinds, group scales, layer states), the layer and group names after
// the element data, and the text-kind rule of each program.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "jw/jw_file.h"
#include "jw/jw_header.h"

namespace zov {

#pragma pack(push, 1)

// Four rows of eleven signed 16-bit values, one column per text kind 0-10.
struct JwTextKindTable {
    std::int16_t pen[kJwTextKinds];
    std::int16_t width[kJwTextKinds];   // tenths of a millimetre on paper
    std::int16_t height[kJwTextKinds];  // tenths of a millimetre on paper
    std::int16_t unused[kJwTextKinds];
};

// Protection and display bytes of every group and layer.
struct JwLayerStateBlock {
    std::uint8_t group_protection[kJwGroups];
    std::uint8_t layer_protection[kJwLayers];
    std::uint8_t group_display[kJwGroups];
    std::uint8_t layer_display[kJwLayers];
};

// Layer names 0-255 and group names 0-15, NUL-padded; a name that fills its
// field has no terminator.
struct JwNames {
    char layer[kJwLayers][kJwLayerNameSize];
    char group[kJwGroups][kJwGroupNameSize];
};

#pragma pack(pop)

static_assert(sizeof(JwTextKindTable) == 88);
static_assert(offsetof(JwTextKindTable, width) == 22);
static_assert(offsetof(JwTextKindTable, height) == 44);
static_assert(offsetof(JwTextKindTable, unused) == 66);
static_assert(sizeof(JwLayerStateBlock) == 544);
static_assert(offsetof(JwLayerStateBlock, layer_protection) == 16);
static_assert(offsetof(JwLayerStateBlock, group_display) == 272);
static_assert(offsetof(JwLayerStateBlock, layer_display) == 288);
static_assert(sizeof(JwNames) == kJwNamesSize);
static_assert(offsetof(JwNames, group) == 2048);

struct JwDataTables {
    JwTextKindTable text_kinds{};
    // The stored scale denominator of each group 0-15 (16-bit integers, or
    // reals in the real-valued variant); a real that is not finite reads as 0.
    double group_scales[kJwGroups] = {};
    JwLayerStateBlock layer_states{};
};

// Reads the tables from offset 1709 of a data file; leaves the record stream
// at the start of the element data. False when the file ends first.
bool read_jw_data_tables(JwFile& file, bool real_variant, JwDataTables& tables);

// Effective protection of a layer (its group's byte OR its own); exactly 1
// means writable.
int jw_layer_protection(const JwLayerStateBlock& states, std::uint8_t layer);
// Effective display state of a layer (its group's byte plus its own); 2 or
// more means shown.
int jw_layer_display(const JwLayerStateBlock& states, std::uint8_t layer);

// Where the layer names of a data file begin.
std::int64_t jw_names_offset(bool real_variant, const JwDataCounts& counts,
                             std::int64_t text_area_length);

// Reads the names at `offset`; false (names zero-filled where missing) when
// the file ends first.
bool read_jw_names(JwFile& file, std::int64_t offset, JwNames& names);

// The text of a fixed name field: up to its first NUL or the field's end.
std::string_view jw_name_text(const char* field, std::size_t size);

// The text kind a program uses for the kind byte of a text record: the
// converter uses kinds 1-10 (0 counts as 4, higher kinds are folded into
// 1-9 by (kind - 1) mod 9 + 1); the viewer uses 0-10 as stored and folds
// higher kinds the same way, so that the result always indexes its tables.
int jw_text_kind(std::uint8_t stored_kind, JwProgram program);

}  // namespace zov
