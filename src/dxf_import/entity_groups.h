#pragma once
// The group loop that the entity readers share: common groups, groups whose
// real value goes straight into a field of the record, and the reader's own.
#include <span>

#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_readers.h"

namespace zov {

// The real field that `path` names: field<&EntityRecord::x1>, or through a
// view, field<&EntityRecord::arc, &ArcReals::radius>.
template <auto... path>
double& field(EntityRecord& record) {
    return (record.*....*path);
}

// A group whose real value is a field of the record.
struct RealGroup {
    int code;
    double& (*field)(EntityRecord&);
};

inline bool take_real_group(const DxfGroupReader& reader, EntityRecord& record,
                            std::span<const RealGroup> reals) {
    for (const RealGroup& group : reals) {
        if (group.code != reader.code()) continue;
        group.field(record) = reader.real();
        return true;
    }
    return false;
}

// The block an entity names (group 2, at the reader): its store number, 0
// for an unknown name and for a block left out for want of numbers, which
// the entity is counted for as left out.
inline void take_block_name(DxfContext& context, EntityRecord& record) {
    const std::string_view name = context.reader.value();
    record.block = static_cast<std::int16_t>(context.blocks.find(name));
    if (context.blocks.beyond_store(name)) context.count_beyond_blocks(record);
}

// Reads the groups of an entity up to the next code line with code 0: the
// common groups of `common`, the real groups of `reals`, and every other
// group through `other` (called with the reader at that group).
template <class Other>
void read_entity_groups(DxfContext& context, EntityRecord& record, std::span<const RealGroup> reals,
                        unsigned common, Other other) {
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record, common)) continue;
        if (take_real_group(reader, record, reals)) continue;
        other(reader);
    }
}

inline void read_entity_groups(DxfContext& context, EntityRecord& record,
                               std::span<const RealGroup> reals) {
    read_entity_groups(context, record, reals, kAllCommonGroups, [](const DxfGroupReader&) {});
}

}  // namespace zov
