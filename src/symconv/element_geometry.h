#pragma once
// Arithmetic of the symbol elements as the converter writes them: rounding,
// circle forms, ellipse chains, text kinds, heights and angles, and the rules
// for pens and line types outside their tables.
#include <cstdint>
#include <vector>

namespace zov {

struct ConverterSettings;

// Radians per degree, as the converter's angle arithmetic uses it.
inline constexpr double kRadiansPerDegree = 0.01745329252;

// Prints the value with `decimals` (JKE) decimals and reads it back; with 3 or
// more decimals the value is returned unchanged (fewer than 0 count as 0).
double round_value(double value, int decimals);

// Pen 1-6 of an element; any other value counts as pen 2.
int checked_pen(int pen);
// Line type 1-9 of an element; any other value counts as type 1 (CONTINUOUS).
int checked_line_type(int line_type);
// DXF name of a line type 1-9 (others as type 1).
const char* line_type_name(int line_type);

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
// The points of an ellipse or elliptic arc as a chain of lines: the parameter
// runs from `start` to `end` (degrees; `end` raised by 360 until above
// `start`, and cut to one turn) in steps of 0.0873 rad, the last step cut at
// the end.
std::vector<ChainPoint> ellipse_chain(double cx, double cy, double r, double k, double start,
                                      double end, double tilt);

// Height of a text of a kind 1-10 (jw_text_kind of the converter) at scale S: JSS / 10 × S × JMS / 100.
double text_height(const ConverterSettings& settings, int kind, double S);

// Whole-degree direction (0-359) of a text running by (dx, dy); a vertical
// text is turned by 90 degrees.
int text_angle(double dx, double dy, bool vertical);

}  // namespace zov
