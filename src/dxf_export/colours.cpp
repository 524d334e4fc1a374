#include "dxf_export/dxf_sections.h"

namespace zov {

namespace {

// JW_CAD pen colours 0 to 7 as DXF colour numbers.
constexpr int kJwCadColours[8] = {0, 4, 7, 3, 2, 6, 5, 1};
// White (black on a white background): what the screen shows for the
// numbers without an entry.
constexpr int kDefaultColour = 7;
constexpr std::int32_t kLastDxfColour = 256;  // BYLAYER

}  // namespace

int dxf_colour(std::int32_t store_kind, std::int32_t colour) {
    switch (store_kind) {
        case 1: return colour >= 0 && colour <= 7 ? kJwCadColours[colour] : kDefaultColour;
        case 2:
        case 3: return colour >= 0 && colour <= kLastDxfColour ? colour : kDefaultColour;
        default: return kDefaultColour;
    }
}

}  // namespace zov
