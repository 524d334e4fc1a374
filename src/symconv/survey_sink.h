#pragma once
// The survey's view of drawn elements: each widens the extents.
#include "symconv/element_sink.h"
#include "symconv/sheet_layout.h"

namespace zov {

class SurveySink : public ElementSink {
public:
    explicit SurveySink(SurveyState& survey) : survey_(survey) {}

    void line(const DxfPen& pen, double x1, double y1, double x2, double y2) override;
    // The box of the whole ellipse or circle, as for a .jwk circle record.
    void curve(const DxfPen& pen, const EllipseArc& arc) override;
    void point(const DxfPen& pen, double x, double y) override;
    // Its start and end points.
    void text(const TextRun& run, std::string_view text) override;
    void solid(int colour, const std::array<ChainPoint, 4>& corners) override;

private:
    SurveyState& survey_;
};

}  // namespace zov
