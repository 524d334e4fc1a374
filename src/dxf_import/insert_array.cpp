#include "dxf_import/insert_array.h"

#include <algorithm>
#include <cmath>

#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_geometry.h"

namespace zov {

bool InsertArray::take(const DxfGroupReader& reader) {
    switch (reader.code()) {
        case 70: columns = std::max(reader.integer(), 1); return true;
        case 71: rows = std::max(reader.integer(), 1); return true;
        case 44: column_spacing = reader.real(); return true;
        case 45: row_spacing = reader.real(); return true;
        default: return false;
    }
}

int write_insert_array(DxfContext& context, const EntityRecord& record, const InsertArray& array,
                       double x_sign) {
    const std::int64_t columns = std::min<std::int64_t>(array.columns, kMaxArrayCopies);
    const std::int64_t rows = std::clamp<std::int64_t>(kMaxArrayCopies / columns, 1, array.rows);
    const double angle = radians(record.insert.rotation);
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    int written = 0;
    for (std::int64_t row = 0; row < rows; ++row) {
        for (std::int64_t column = 0; column < columns; ++column) {
            const double dx = static_cast<double>(column) * array.column_spacing * x_sign;
            const double dy = static_cast<double>(row) * array.row_spacing;
            EntityRecord copy = record;
            copy.x1 += dx * c - dy * s;
            copy.y1 += dx * s + dy * c;
            written += context.write_entity(copy);
        }
    }
    return written;
}

}  // namespace zov
