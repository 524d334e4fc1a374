#pragma once
// The DXF templates of the elements inside a symbol's BLOCK (layer "Zukei").
// Every coordinate and radius passes through round_value with JKE decimals.
#include <cstdint>
#include <string_view>

namespace zov {

class DxfLineWriter;
struct ConverterSettings;

class ElementWriter {
public:
    // `S` is the scale in force for the symbol being written.
    ElementWriter(DxfLineWriter& out, const ConverterSettings& settings, double S)
        : out_(out), settings_(settings), S_(S) {}

    void line(int line_type, int pen, double x1, double y1, double x2, double y2);
    // A circle record: circle, arc, or an ellipse written as a chain of lines.
    void circle(int line_type, int pen, double cx, double cy, double r, int flatness,
                std::int32_t start, std::int32_t end, std::int32_t tilt);
    // A point in the form JPO chooses: POINT, CIRCLE or a filled circle.
    void point(int pen, double x, double y);
    // A text from (x1, y1) toward (x2, y2); `kind` as stored (0-255).
    void text(int kind, bool vertical, double x1, double y1, double x2, double y2,
              std::string_view text);

private:
    double round(double value) const;
    int pen_colour(int pen) const;

    DxfLineWriter& out_;
    const ConverterSettings& settings_;
    double S_;
};

}  // namespace zov
