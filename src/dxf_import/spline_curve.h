#pragma once
// A DXF SPLINE as the chain of points that draws it: the B-spline of its
// degree, knots, control points and weights (rational or not), or, when it
// has no usable control points, a smooth curve through its fit points.
// Independent of the store, so that any reader of curves bounded by splines
// can use it.
#include <cstddef>
#include <vector>

#include "dxf_import/dxf_geometry.h"

namespace zov {

struct SplineDefinition {
    int degree = 3;               // group 71
    std::vector<double> knots;    // groups 40
    std::vector<double> weights;  // groups 41, one per control point or none
    std::vector<Point2> control;  // groups 10, 20
    std::vector<Point2> fit;      // groups 11, 21
    bool closed = false;          // group 70 bit 0
};

// Points along each span between knots (or fit points): at least this many,
// and more for splines of few spans, so that every curve has some
// kSplineSmoothPoints points.
inline constexpr int kSplineStepsPerSpan = 8;
inline constexpr int kSplineSmoothPoints = 64;
// A chain never has more points than this, however many spans there are.
inline constexpr std::size_t kMaxSplinePoints = 65536;
// Higher degrees than this (no CAD program writes them) are not evaluated.
inline constexpr int kMaxSplineDegree = 31;

// The chain of points along the spline, from its start to its end; a closed
// spline's chain ends where it starts. Control points with knots that do
// not fit them (missing, too few, decreasing) are evaluated over uniform
// clamped knots. Empty when neither control nor fit points are usable.
std::vector<Point2> spline_points(const SplineDefinition& spline);

}  // namespace zov
