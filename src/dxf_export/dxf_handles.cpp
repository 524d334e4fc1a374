#include "dxf_export/dxf_export.h"

namespace zov {

bool DxfHandles::is_fixed(unsigned long handle) {
    return handle == 400 || handle == 401 ||    // VPORT table and its record
           (handle >= 500 && handle <= 524) ||  // the header template
           (handle >= 997 && handle <= 1001);   // the OBJECTS section
}

unsigned long DxfHandles::next() {
    ++last_;
    while (is_fixed(last_)) ++last_;
    return last_;
}

}  // namespace zov
