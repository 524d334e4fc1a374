#pragma once
// Screen colours of the stores' colour numbers: JW_CAD pen numbers in JW_CAD
// stores, AutoCAD colour index numbers in DXF stores.
#include <optional>

#include "render/surface.h"

namespace zov {

// The colour for entity colour `number` in a store of header kind
// `store_kind` (1 JW_CAD, otherwise DXF); none for 0 and 256, which keep
// the colour of the entity drawn before.
std::optional<Rgb> screen_colour(int store_kind, int number);

inline constexpr Rgb kGrey{96, 96, 96};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};

}  // namespace zov
