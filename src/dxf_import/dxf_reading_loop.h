#pragma once
#include <cstdint>

#include "dxf/group_reader.h"

namespace zov {

class DxfContext;

// Reads the whole file from the current position, dispatching every item
// the importer knows to its reader; entity records count in ent_num. A large
// ENTITIES section is read in parts on several threads (entity_parts.h).
void run_reading_loop(DxfContext& context);

// Where the reading loop stands between two items.
struct ItemLoop {
    bool section_starts = false;  // "0 SECTION" was the last item
    bool in_entities = false;     // inside an ENTITIES section
    int other_items = 0;          // items read that are no entity
};

// How far read_items reads.
struct ItemLimits {
    // Ends before the item whose name line begins at this file offset, or at
    // the first item past it (-1: no such end).
    std::int64_t stop_at = -1;
    // Reads the entities that need nothing read before them and ends before
    // any other item (an ENDSEC, a table record, an XLINE, ...).
    bool entities_only = false;
    // Ends as soon as an ENTITIES section begins.
    bool to_entities = false;
};

enum class ItemsEnd {
    FileEnd,
    EntitiesBegin,  // to_entities: the section's name was just read
    AtStop,         // exactly at stop_at
    PastStop,       // at the first item past stop_at
    OtherItem,      // entities_only: before an item that is not read here
    Refused,        // entities_only: a group inside an item asks for another reader
};

struct ItemsResult {
    ItemsEnd end;
    // The reader between the code line and the name line of the item it
    // ended before (AtStop, PastStop, OtherItem) or at the end of the file.
    DxfGroupReader::Mark item;
};

// The reading loop within limits; `loop` carries its place from one call to
// the next.
ItemsResult read_items(DxfContext& context, ItemLoop& loop, const ItemLimits& limits);

}  // namespace zov
