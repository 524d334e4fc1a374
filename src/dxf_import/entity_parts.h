#pragma once
// The ENTITIES section of a large ASCII DXF file read in parts, one thread
// each. The section is cut at entity name lines (entity_split.h); the first
// part is read by the import itself, every later one by a thread of its own
// into section files of its own, with copies of the tables and blocks. The
// parts are then joined in file order, each only when reading it alone gave
// what reading the file through would: the part before it ended exactly at
// its start between two items, it spent no more of the record budget than
// was left, it took no layer colour or line type before naming a layer, and
// it wrote and showed nothing that failed. The join moves the text offsets
// of the part behind the texts before it, in place, makes its files the
// import's STR and ENT outputs, which the store's assembly joins behind
// those before them without a copy of their own, and adds its counts, use counts, extents,
// notes and losses; from the first part that cannot be joined on, the file
// is read on as usual, so the store is the same as a reading on one thread.
#include <cstdint>

namespace zov {

class DxfContext;
struct ItemLoop;

// A file smaller than this is read on one thread.
inline constexpr std::int64_t kEntityPartsFromBytes = std::int64_t{8} << 20;
// The most threads the ENTITIES section is read on.
inline constexpr int kMostEntityThreads = 4;

// Called when an ENTITIES section has begun: reads it in parts where the
// context allows it (context.entity_threads, context.parts_from_bytes) and
// leaves the reader where the reading goes on. Reads nothing otherwise.
void read_entities_in_parts(DxfContext& context, ItemLoop& loop);

}  // namespace zov
