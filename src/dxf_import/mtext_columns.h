#pragma once
// The columns of an MTEXT, as the three forms of the file describe them:
// groups of the entity (75, 76, 48, 49, 46), an "Embedded Object" after
// group 101 (R2018: 71, 72, 44, 45, 41, 46 per column) and the extended
// data of older files (ACAD_MTEXT_COLUMN_INFO and ACAD_MTEXT_DEFINED_HEIGHT,
// keys in 1070 groups and their values after them).
#include <cstddef>
#include <vector>

namespace zov {

struct MtextColumns {
    bool columned = false;  // a column type other than none
    double width = 0.0;
    double gutter = 0.0;
    double defined_height = 0.0;  // of every column without a height of its own
    std::vector<double> heights;  // of the first columns (dynamic columns set by hand)

    // The height text may fill in column `column`; 0 when unbounded.
    double height(std::size_t column) const;
    // True when the columns are laid out side by side.
    bool laid_out() const { return columned && width > 0.0; }
};

// Takes the groups of an MTEXT that describe its columns, one at a time.
class MtextColumnReader {
public:
    // The group `code` with the number `value` of the entity itself, of its
    // embedded object (`embedded`) or of its extended data (codes 1000 and
    // above). True when it was a column group.
    bool take(int code, double value, bool embedded);
    const MtextColumns& columns() const { return columns_; }

private:
    void take_key_value(int key, double value);

    MtextColumns columns_;
    int key_ = 0;           // the extended-data key whose value comes next
    int heights_left_ = 0;  // column heights still to come after key 50
};

}  // namespace zov
