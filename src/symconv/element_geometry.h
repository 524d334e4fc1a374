#pragma once
// Arithmetic of the symbol elements as the converter writes them: rounding,
// circle forms, ellipse chains, text kinds, heights and angles, and the rules
// for pens and line types outside their tables.
#include <cstdint>
#include <vector>

#include "common/truncated_angles.h"

namespace zov {

struct ConverterSettings;

// Prints the value with `decimals` decimals and reads it back; with 3 or
// more decimals the value is returned unchanged (fewer than 0 count as 0).
double round_value(double value, int decimals);

// Pen 1-6 of an element; any other value counts as pen 2.
int checked_pen(int pen);

// How a circle record is written. For an arc, `a` and `b` are its start and
// end angles in degrees with the tilt added, b above a.
struct CircleForm {
    enum Kind { Ellipse, Circle, Arc } kind;
    double a;
    double b;
};
CircleForm circle_form(int flatness, std::int32_t start, std::int32_t end, std::int32_t tilt);

struct ChainPoint {
    double x;
    double y;
};

// An ellipse by its centre and two conjugate semi-axes u and v: the point of
// parameter t is centre + u cos t + v sin t. Any affine image of an ellipse
// (a turned, scaled, sheared or mirrored one) is again one of these.
struct EllipseAxes {
    double cx = 0, cy = 0;
    double ux = 0, uy = 0;
    double vx = 0, vy = 0;
    ChainPoint at(double t) const;  // t in radians
};

// The part of an ellipse from parameter `start` to `end` (degrees, end above
// start; one turn or more is the whole ellipse).
struct EllipseArc {
    EllipseAxes axes;
    double start = 0;
    double end = 360;
};

// The points of an ellipse or elliptic arc as a chain of lines: the parameter
// runs from `start` to `end` (degrees; `end` raised by 360 until above
// `start`, and cut to one turn) in steps of 0.0873 rad, the last step cut at
// the end. The semi-axis r lies along `tilt` (degrees), the other is r × k.
std::vector<ChainPoint> ellipse_chain(double cx, double cy, double r, double k, double start,
                                      double end, double tilt);
std::vector<ChainPoint> ellipse_chain(const EllipseArc& arc);

// How an ellipse arc is written: a circle or arc when its axes are
// perpendicular and of one length (within the 1/10000 that tells a JW_CAD
// ellipse from a circle), else an ellipse as a chain of lines. A circular
// arc runs counter-clockwise from `a` to `b` (degrees, 0 <= a < 360, b above
// a), whichever way the axes turn.
struct CurveShape {
    enum Kind { Ellipse, Circle, Arc } kind;
    double radius;
    double a;
    double b;
};
CurveShape curve_shape(const EllipseArc& arc);

// Height of a text of a kind 1-10 (jw_text_kind of the converter) at scale S:
// text_heights / 10 × S × text_size_percent / 100.
double text_height(const ConverterSettings& settings, int kind, double S);

// Whole-degree direction (0-359) of a text running by (dx, dy); a vertical
// text is turned by 90 degrees.
int text_angle(double dx, double dy, bool vertical);

}  // namespace zov
