#include "jw/jww_entity_fields.h"

#include <algorithm>

#include "jw/jww_strings.h"

namespace zov {

namespace {

// Layer and group numbers of a sound file are 0-15; others are brought into
// that range so that no consumer indexes past its tables.
std::uint16_t within_sixteen(std::uint16_t n) { return std::min<std::uint16_t>(n, 15); }

}  // namespace

void JwwEntityFields::string(std::string& text) {
    if (!read_jww_string(s_, text)) strings_readable_ = false;
}

void JwwEntityFields::base(JwwEntityBase& base) {
    base.curve = s_.u32();
    base.pen_style = s_.u8();
    base.pen_colour = s_.u16();
    base.pen_width = version_ >= kJwwVersionPenWidth ? s_.u16() : 0;
    base.layer = within_sixteen(s_.u16());
    base.group = within_sixteen(s_.u16());
    base.flags = s_.u16();
}

void JwwEntityFields::line(JwwLine& line) {
    base(line.base);
    line.start_x = s_.f64();
    line.start_y = s_.f64();
    line.end_x = s_.f64();
    line.end_y = s_.f64();
}

void JwwEntityFields::arc(JwwArc& arc) {
    base(arc.base);
    arc.centre_x = s_.f64();
    arc.centre_y = s_.f64();
    arc.radius = s_.f64();
    arc.start = s_.f64();
    arc.sweep = s_.f64();
    arc.tilt = s_.f64();
    arc.flattening = s_.f64();
    arc.full = s_.u32() != 0;
}

void JwwEntityFields::point(JwwPoint& point) {
    base(point.base);
    point.x = s_.f64();
    point.y = s_.f64();
    point.temporary = s_.u32() != 0;
    if (point.base.pen_style == kJwwMarkerPoint) {
        point.marker = s_.u32();
        point.marker_angle = s_.f64();
        point.marker_scale = s_.f64();
    }
}

void JwwEntityFields::text(JwwText& text) {
    base(text.base);
    text.start_x = s_.f64();
    text.start_y = s_.f64();
    text.end_x = s_.f64();
    text.end_y = s_.f64();
    text.kind = s_.u32();
    text.width = s_.f64();
    text.height = s_.f64();
    text.spacing = s_.f64();
    text.angle = s_.f64();
    string(text.font);
    string(text.text);
}

void JwwEntityFields::solid(JwwSolid& solid) {
    base(solid.base);
    for (int corner = 0; corner < 4; ++corner) {
        solid.x[corner] = s_.f64();
        solid.y[corner] = s_.f64();
    }
    solid.rgb = solid.base.pen_colour == kJwwSolidOwnColour ? s_.u32() : 0;
}

void JwwEntityFields::insert(JwwInsert& insert) {
    base(insert.base);
    insert.x = s_.f64();
    insert.y = s_.f64();
    insert.scale_x = s_.f64();
    insert.scale_y = s_.f64();
    insert.angle = s_.f64();
    insert.block_number = s_.u32();
}

void JwwEntityFields::dimension(JwwDimension& dimension) {
    base(dimension.base);
    line(dimension.line);
    text(dimension.text);
    dimension.has_sxf_parts = version_ >= kJwwVersionSxf;
    if (!dimension.has_sxf_parts) return;
    dimension.sxf_mode = s_.u16();
    for (JwwLine& extension : dimension.extension_lines) line(extension);
    for (JwwPoint& part : dimension.points) point(part);
}

void JwwEntityFields::block_definition(JwwBlockDefinition& definition) {
    base(definition.base);
    definition.number = s_.u32();
    definition.referred = s_.u32() != 0;
    definition.time = s_.u32();
    string(definition.name);
}

}  // namespace zov
