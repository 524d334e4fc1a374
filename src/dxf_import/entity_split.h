#pragma once
// Where a part of an ASCII DXF file's ENTITIES section may begin, so that
// parts can be read on threads of their own: at the name line of a common
// entity, right after its "0" code line. Found by looking at the bytes alone,
// a place is only a guess; the reading of the part before confirms it by
// arriving there between two items (entity_parts.h).
#include <cstdint>
#include <vector>

#include "dxf/line_end.h"

namespace zov {

// The offset of the first such name line that begins at `from` or after and
// within a megabyte of it, before `limit`; -1 when there is none. `fd` is
// the file, read with pread.
std::int64_t next_entity_start(int fd, LineEnd line_end, std::int64_t from, std::int64_t limit);

// Up to `parts` - 1 increasing offsets that cut the bytes from `begin` to
// `end` into about equal parts at such name lines.
std::vector<std::int64_t> entity_part_starts(int fd, LineEnd line_end, std::int64_t begin,
                                             std::int64_t end, int parts);

}  // namespace zov
