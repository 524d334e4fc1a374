#include "dxf/viewport_writer.h"

namespace zov {

void write_active_viewport(DxfGroupWriter& out, const ActiveViewport& view) {
    out.texts({{2, "*ACTIVE"}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {11, "1.0"}, {21, "1.0"}});
    out.real(12, view.centre_x);
    out.real(22, view.centre_y);
    out.texts({{13, "0.0"},
               {23, "0.0"},
               {14, "1.0"},
               {24, "1.0"},
               {15, "0.0"},
               {25, "0.0"},
               {16, "0.0"},
               {26, "0.0"},
               {36, "1.0"},
               {17, "0.0"},
               {27, "0.0"},
               {37, "0.0"}});
    out.real(40, view.height);
    out.text(41, view.aspect_ratio);
    out.texts({{42, "50.0"},
               {43, "0.0"},
               {44, "0.0"},
               {50, "0.0"},
               {51, "0.0"},
               {71, "0"},
               {72, "100"},
               {73, "1"},
               {74, "1"},
               {75, "0"},
               {76, "0"},
               {77, "0"},
               {78, "0"}});
}

}  // namespace zov
