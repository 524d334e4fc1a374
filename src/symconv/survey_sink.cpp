#include "symconv/survey_sink.h"

#include <cmath>

namespace zov {

void SurveySink::line(const DxfPen&, double x1, double y1, double x2, double y2) {
    survey_.widen(x1, y1);
    survey_.widen(x2, y2);
}

void SurveySink::curve(const DxfPen&, const EllipseArc& arc) {
    const EllipseAxes& e = arc.axes;
    const double half_w = std::hypot(e.ux, e.vx), half_h = std::hypot(e.uy, e.vy);
    survey_.widen(e.cx - half_w, e.cy - half_h);
    survey_.widen(e.cx + half_w, e.cy + half_h);
}

void SurveySink::point(const DxfPen&, double x, double y) { survey_.widen(x, y); }

void SurveySink::text(const TextRun& run, std::string_view) {
    survey_.widen(run.x, run.y);
    survey_.widen(run.end_x, run.end_y);
}

void SurveySink::solid(int, const std::array<ChainPoint, 4>& corners) {
    for (const ChainPoint& c : corners) survey_.widen(c.x, c.y);
}

}  // namespace zov
