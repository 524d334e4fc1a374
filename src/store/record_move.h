#pragma once
// Moving an entity record as a whole.
#include "store/records.h"

namespace zov {

// Moves every point of the record by (dx, dy): both ends of lines and
// leader legs, the four corners of solids, the one point of the other kinds.
void move_record(EntityRecord& record, double dx, double dy);

}  // namespace zov
