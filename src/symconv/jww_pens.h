#pragma once
// The colours and line types of JW_CAD for Windows entities as the DXF
// colours and line-type names the converter writes for .jwk symbols, taking
// the nearest where the newer files hold more:
// - pens 1-6 through pen_colours, as .jwk pens; pens 7-9 (teal, pink, grey) and the
//   16 standard SXF colours (101-116) as the colour index nearest to their
//   standard colours, black and white as 7; a solid's own RGB likewise; any
//   other number (the background, SXF colours of the host drawing) as pen 2;
// - line types 1-9 as .jwk line types 1-9, the double-length types 16-19 as
//   6-9, the random lines 11-15 as CONTINUOUS, the 15 standard SXF line
//   types (31-45) by their pattern: dotted DOT, dashed DASHED, dash and one
//   dot CENTER, dash and two or three dots PHANTOM, continuous and any other
//   number CONTINUOUS;
// - texts in their own colour, or in text_colour when that is above 0.
#include <cstdint>

#include "jw/jww_format.h"
#include "symconv/element_sink.h"

namespace zov {

struct ConverterSettings;

const char* jww_line_type_name(std::uint8_t pen_style);
int jww_colour(const ConverterSettings& settings, std::uint16_t pen_colour);
DxfPen jww_pen(const ConverterSettings& settings, const JwwEntityBase& base);
int jww_text_colour(const ConverterSettings& settings, const JwwText& text);
int jww_solid_colour(const ConverterSettings& settings, const JwwSolid& solid);

}  // namespace zov
