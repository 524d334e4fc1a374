#pragma once
// The store keeps angles in degrees; the pass turns them with radians.
#include <numbers>

namespace zov {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

}  // namespace zov
