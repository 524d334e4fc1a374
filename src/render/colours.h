#pragma once
// Screen colours of the stores' colour numbers: JW_CAD pen numbers in JW_CAD
// stores, AutoCAD colour index numbers in DXF stores.
#include <optional>

#include "render/surface.h"

namespace zov {

// The colour for entity colour `number` in a store of header kind
// `store_kind` (1 JW_CAD, otherwise DXF: the AutoCAD colour index palette);
// none for 0 (ByBlock) and 256 (ByLayer), which the drawing pass resolves.
std::optional<Rgb> screen_colour(int store_kind, int number);

// `colour`, or a visible grey when it is as dark as the black background,
// so that no entity vanishes because of its colour.
Rgb visible_on_black(Rgb colour);

inline constexpr Rgb kGrey{96, 96, 96};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kVisibleGrey{128, 128, 128};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};

}  // namespace zov
