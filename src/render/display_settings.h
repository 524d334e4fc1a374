#pragma once
// The view's display settings, kept until their menu commands change them.
#include <cstdint>

#include "store/records.h"

namespace zov {

enum class DisplayStyle { Standard = 0, LayerSheet = 1 };

// Which layers the standard display draws.
enum class LayerFilter { Visible = 0, All = 1, Hidden = 2, Locked = 3 };

// How dimension ends are drawn.
enum class DimensionEnds { AsData = 0, FilledDots = 1, OpenArrows = 2, FilledArrows = 3 };

// Whether the standard display with `filter` draws the entities of a layer
// with `flags`.
constexpr bool filter_shows_layer(LayerFilter filter, std::int32_t flags) {
    switch (filter) {
        case LayerFilter::Visible: return !test_bit(flags, kLayerHiddenBit);
        case LayerFilter::All: return true;
        case LayerFilter::Hidden: return test_bit(flags, kLayerHiddenBit);
        case LayerFilter::Locked: return test_bit(flags, kLayerLockedBit);
    }
    return true;
}

struct DisplaySettings {
    DisplayStyle style = DisplayStyle::Standard;
    LayerFilter filter = LayerFilter::Visible;
    DimensionEnds dimension_ends = DimensionEnds::AsData;
};

}  // namespace zov
