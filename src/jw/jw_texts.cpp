// Texts of a JW_CAD file as store text entities: direction, colour, height,
// vertical writing and the style code the renderer reads.
#include <cmath>
#include <string>

#include "jw/jw_conversion.h"
#include "jw/jw_text_style.h"
#include "store/import_state.h"

namespace zov {

namespace {

// Text heights of symbol files by text kind 0-10, tenths of a millimetre.
// Symbol files carry no text-kind table; their characters are as wide as
// they are high, so the same values serve as widths for vertical writing.
constexpr int kSymbolTextHeights[kJwTextKinds] = {7, 20, 25, 30, 40, 50, 60, 70, 80, 90, 100};
constexpr double kTextSizeFactor = 78 / 100.0;
constexpr double kVerticalHeightFactor = 0.8;
constexpr double kStoredHeightFactor = 1.25;

// Direction of the text line in degrees, 0 <= a < 360.
double text_angle(double dx, double dy) {
    if (dy == 0) return dx >= 0 ? 0 : 180;
    double a = std::atan(dx / -dy) / kJwCadRadiansPerDegree + 90;
    return dy < 0 ? a + 180 : a;
}

// Height of a text in drawing units. In a data file the group scale of the
// text's group enters once as a factor and once as a divisor; it cancels, so
// it is left out (a group scale of 0 would otherwise give no number at all).
double text_height(const JwConversion& c, int kind, bool vertical) {
    if (c.symbol) return kSymbolTextHeights[kind] * c.scale / 10;
    if (vertical) return c.text_kinds.width[kind] * c.scale / 10;
    return c.text_kinds.height[kind] * kTextSizeFactor * c.scale / 10;
}

void write_text(JwConversion& c, JwTextRecord& r) {
    double x1 = r.start_x * c.factor, y1 = r.start_y * c.factor;
    double x2 = r.end_x * c.factor, y2 = r.end_y * c.factor;
    // A text keeps its place wherever it lies: setting texts far off the
    // paper are still the drawing's texts.

    std::string text;
    if (!read_jw_text_string(c.file, text)) c.damaged = true;

    int kind = jw_text_kind(r.kind, JwProgram::Viewer);
    bool vertical = (r.flags & kJwTextVertical) != 0;
    double a = text_angle(x2 - x1, y2 - y1);
    double h = text_height(c, kind, vertical);
    has_double_byte(text);

    double shift_x = 0, shift_y = 0;
    if (vertical) {
        h *= kVerticalHeightFactor;
        if (c.symbol) a += 90;
        a = std::fmod(std::trunc(a), 360);
        shift_x = std::cos(a * kJwCadRadiansPerDegree) * h / 2;
        shift_y = std::sin(a * kJwCadRadiansPerDegree) * h / 2;
    }

    EntityRecord e;
    e.kind = kEntityText;
    e.text_style = text_style_code(text) + (vertical ? kJwStyleVertical : 0);
    e.colour = c.symbol ? 0 : jw_text_colour(c.text_kinds.pen[kind]);
    e.layer = static_cast<std::int16_t>(store_layer_number(c, r.layer));
    e.x1 = rounded(c, x1) + shift_x;
    e.y1 = rounded(c, y1) + shift_y;
    e.text.width_factor = 1.0;
    e.text.height = h * kStoredHeightFactor;
    e.text.angle = a;
    auto length = static_cast<std::int32_t>(text.size());
    std::int32_t offset = append_text(c.store, text.data(), length);
    e.text_offset = offset < 0 ? c.store.string_length : offset;
    e.text_length = static_cast<std::int16_t>(offset < 0 ? 0 : length);
    if (e.text_length > 0) ++c.store.header.str_num;
    write_jw_entity(c, e);
}

}  // namespace

std::int32_t convert_jw_texts(JwConversion& c, JwPass pass, std::int32_t count) {
    if (pass == JwPass::Output && !c.file.start_texts(count)) c.damaged = true;
    return convert_jw_records<JwTextRecord>(c, pass, count, read_jw_text, write_text);
}

}  // namespace zov
