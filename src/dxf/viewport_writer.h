#pragma once
// The active viewport's groups that every writer's VPORT record shares.
#include <string_view>

#include "dxf/group_writer.h"

namespace zov {

struct ActiveViewport {
    double centre_x = 0;
    double centre_y = 0;
    double height = 0;
    std::string_view aspect_ratio;  // group 41, as the writer has always written it
};

// The groups from the name *ACTIVE to the end of the record; the record's
// "0 VPORT" and any handle and subclass groups come before.
void write_active_viewport(DxfGroupWriter& out, const ActiveViewport& view);

}  // namespace zov
