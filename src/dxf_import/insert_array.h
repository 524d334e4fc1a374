#pragma once
// An array insert (MINSERT, or an INSERT with column and row counts): the
// block drawn columns × rows times, the copies spaced along the insert's own
// x and y axes (turned by its rotation, spacing not scaled). The store keeps
// one insert record per copy.
#include <cstdint>

namespace zov {

class DxfContext;
class DxfGroupReader;
struct EntityRecord;

// At most this many copies of one array insert are kept: the first rows of
// a larger array (a bound against absurd counts, not a drawing limit).
inline constexpr std::int64_t kMaxArrayCopies = 100000;

struct InsertArray {
    int columns = 1;              // group 70
    int rows = 1;                 // group 71
    double column_spacing = 0.0;  // group 44
    double row_spacing = 0.0;     // group 45

    // Takes the reader's group when it is one of the array's; false otherwise.
    bool take(const DxfGroupReader& reader);
};

// Writes one insert record per copy, each `record` moved by its place in
// the array. `x_sign` is -1 for an insert mirrored in x (seen from below).
// Returns the number of records.
int write_insert_array(DxfContext& context, const EntityRecord& record, const InsertArray& array,
                       double x_sign);

}  // namespace zov
