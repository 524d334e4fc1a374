#pragma once
// The DXF entities of the elements inside a symbol's BLOCK (layer "Zukei").
// Every coordinate and radius passes through round_value with the settings' decimals.
#include <cstdint>
#include <string_view>

#include "symconv/element_sink.h"

namespace zov {

class DxfGroupWriter;
struct ConverterSettings;

class ElementWriter : public ElementSink {
public:
    // `S` is the scale in force for the symbol being written.
    ElementWriter(DxfGroupWriter& out, const ConverterSettings& settings, double S)
        : out_(out), settings_(settings), S_(S) {}

    // The elements of a .jwk symbol file, by JW_CAD line type 1-9 and pen 1-6.
    void line(int line_type, int pen, double x1, double y1, double x2, double y2);
    // A circle record: circle, arc, or an ellipse written as a chain of lines.
    void circle(int line_type, int pen, double cx, double cy, double r, int flatness,
                std::int32_t start, std::int32_t end, std::int32_t tilt);
    // A point in the point_form chosen: POINT, CIRCLE or a filled circle.
    void point(int pen, double x, double y);
    // A text from (x1, y1) toward (x2, y2); `kind` as stored (0-255).
    void text(int kind, bool vertical, double x1, double y1, double x2, double y2,
              std::string_view text);

    // Elements whose pen is already a DXF line type and colour.
    void line(const DxfPen& pen, double x1, double y1, double x2, double y2) override;
    // A circle, arc, or an ellipse written as a chain of lines.
    void curve(const DxfPen& pen, const EllipseArc& arc) override;
    void point(const DxfPen& pen, double x, double y) override;
    // At its start point, with the run's height, width factor and angle.
    void text(const TextRun& run, std::string_view text) override;
    // A SOLID, its third and fourth corners written in DXF's crossed order.
    void solid(int colour, const std::array<ChainPoint, 4>& corners) override;

private:
    double round(double value) const;
    DxfPen jwk_pen(int line_type, int pen) const;
    void full_circle(const DxfPen& pen, double cx, double cy, double r);
    void arc(const DxfPen& pen, double cx, double cy, double r, double a, double b);
    void chain(const DxfPen& pen, const std::vector<ChainPoint>& points);
    void put_point_part(std::string_view type, int colour);
    // The TEXT entity at the run's point as it stands (already rounded).
    void write_text(const TextRun& run, std::string_view text);

    DxfGroupWriter& out_;
    const ConverterSettings& settings_;
    double S_;
};

}  // namespace zov
