#pragma once
// The view's display settings, kept until their menu commands change them.
namespace zov {

enum class DisplayStyle { Standard = 0, LayerSheet = 1 };

// Which layers the standard display draws.
enum class LayerFilter { Visible = 0, All = 1, Hidden = 2, Locked = 3 };

// How dimension ends are drawn.
enum class DimensionEnds { AsData = 0, FilledDots = 1, OpenArrows = 2, FilledArrows = 3 };

struct DisplaySettings {
    DisplayStyle style = DisplayStyle::Standard;
    LayerFilter filter = LayerFilter::Visible;
    DimensionEnds dimension_ends = DimensionEnds::AsData;
};

}  // namespace zov
