#pragma once
// Angle factors written with fewer digits than a double holds. The converted
// drawings have always been made with them, so their coordinates and angles
// depend on these very values: exact angles use std::numbers::pi instead.
namespace zov {

// π cut after six decimals.
inline constexpr double kPiCutToSixDecimals = 3.141592;
// Radians per degree, π/180 rounded to eleven decimals.
inline constexpr double kRadiansPerDegreeToElevenDecimals = 0.01745329252;
// JW_CAD's radians per degree: π/180 cut short and slightly low (3.5e-9).
inline constexpr double kJwCadRadiansPerDegree = 0.017453289;

}  // namespace zov
