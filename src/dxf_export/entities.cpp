// The ENTITIES section: lines, circles, arcs and ellipses of the store, each
// on its layer's name with the layer's locked and off state. Points, leaders,
// texts, inserts, dimensions, solids and the layer sheet's labels are left out.
#include <cmath>
#include <string>

#include "common/cp932.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"
#include "common/text_file_writer.h"
#include "store/store_reader.h"

namespace zov {

namespace {

constexpr double kPi = 3.14159265358979323846;
// An arc whose angles differ by this much or more is written as a circle.
constexpr double kFullCircleSpan = 359.88;

// The common part of every entity: handle, layer, line type, the layer's
// locked state and the colour, negative on a layer that is off.
struct EntityHead {
    const char* layer_name;
    const char* line_type;
    int lock_flag;
    int colour;
};

void put_head(TextFileWriter& out, const char* type, unsigned long handle, const EntityHead& head) {
    out.put("0\n%s\n5\n%lx\n100\nAcDbEntity\n8\n%s\n6\n%s\n70\n%d\n62\n%3d\n", type, handle,
            head.layer_name, head.line_type, head.lock_flag, head.colour);
}

double radians_in_turn(double degrees) {
    double r = std::fmod(degrees, 360.0) * kPi / 180.0;
    if (r < 0) r += 2 * kPi;
    return r;
}

bool is_full_circle(const EntityRecord& e) {
    return e.arc.start_angle == e.arc.end_angle ||
           std::fabs(e.arc.end_angle - e.arc.start_angle) >= kFullCircleSpan;
}

// A store ellipse is centre, major semi-axis `radius` turned by `tilt`
// degrees, `axis_ratio` and start and end parameters in degrees (equal:
// whole).
// DXF wants the major axis as a vector, a ratio of at most 1 and the
// parameters in radians; a ratio above 1 swaps the axes.
void put_ellipse_geometry(TextFileWriter& out, const EntityRecord& e) {
    double major = e.arc.radius;
    double rotation = e.arc.tilt;
    double ratio = std::fabs(e.arc.axis_ratio);
    double start = e.arc.start_angle;
    double end = e.arc.end_angle;
    if (ratio > 1.0) {
        major *= ratio;
        ratio = 1.0 / ratio;
        rotation += 90.0;
        start -= 90.0;
        end -= 90.0;
    }
    if (ratio < 1e-6) ratio = 1e-6;
    double start_parameter = 0.0;
    double end_parameter = 2 * kPi;
    if (e.arc.start_angle != e.arc.end_angle) {
        start_parameter = radians_in_turn(start);
        end_parameter = radians_in_turn(end);
        if (end_parameter == start_parameter) end_parameter = start_parameter + 2 * kPi;
    }
    const double angle = rotation * kPi / 180.0;
    out.put("100\nAcDbEllipse\n10\n%0.3f\n20\n%0.3f\n30\n0.0\n11\n%0.3f\n21\n%0.3f\n31\n0.0\n"
            "40\n%f\n41\n%f\n42\n%f\n",
            e.x1, e.y1, major * std::cos(angle), major * std::sin(angle), ratio, start_parameter,
            end_parameter);
}

}  // namespace

bool all_finite(const EntityRecord& e) {
    for (const double* value : all_reals(e))
        if (!std::isfinite(*value)) return false;
    return true;
}

const char* curve_entity_type(const EntityRecord& e) {
    if (e.kind == kEntityLine) return "LINE";
    if (e.arc.axis_ratio != 1.0) return "ELLIPSE";
    return is_full_circle(e) ? "CIRCLE" : "ARC";
}

void put_curve_geometry(TextFileWriter& out, const EntityRecord& e) {
    if (e.kind == kEntityLine) {
        out.put("100\nAcDbLine\n10\n%0.3f\n20\n%0.3f\n30\n0.0\n11\n%0.3f\n21\n%0.3f\n31\n0.0\n",
                e.x1, e.y1, e.line.end_x, e.line.end_y);
    } else if (e.arc.axis_ratio != 1.0) {
        put_ellipse_geometry(out, e);
    } else {
        out.put("100\nAcDbCircle\n10\n%0.3f\n20\n%0.3f\n30\n0.0\n40\n%0.3f\n", e.x1, e.y1,
                e.arc.radius);
        if (!is_full_circle(e))
            out.put("100\nAcDbArc\n50\n%f\n51\n%f\n", e.arc.start_angle, e.arc.end_angle);
    }
}

int write_entities_section(TextFileWriter& out, DxfHandles& handles, StoreReader& layers,
                           StoreReader& data) {
    int non_finite = 0;
    out.put("0\nSECTION\n2\nENTITIES\n");
    const std::int32_t store_kind = data.header().kind;
    const std::int32_t count = data.entity_count();
    LayerRecord layer;
    std::string layer_name = "0";
    bool first = true;
    std::int16_t previous_layer = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        EntityRecord e;
        if (data.read_entity(i, e) != 0) break;
        if ((first || e.layer != previous_layer) && e.layer != 0) {
            layers.read_layer(e.layer, layer);
            layer_name = fixed_text(layer.name);
            // A store without layer records: the entity goes on layer "0",
            // which every DXF reader knows.
            if (layer_name.empty()) layer_name = "0";
        }
        first = false;
        previous_layer = e.layer;
        if (e.kind != kEntityLine && e.kind != kEntityArc) continue;
        if (!all_finite(e)) {
            ++non_finite;
            continue;
        }

        const int colour = dxf_colour(store_kind, e.colour);
        const EntityHead head{layer_name.c_str(), line_type_name(e.line_type),
                              test_bit(layer.flags, kLayerLockedBit) ? 4 : 64,
                              test_bit(layer.flags, kLayerHiddenBit) ? -colour : colour};
        put_head(out, curve_entity_type(e), handles.next(), head);
        put_curve_geometry(out, e);
    }
    out.put("0\nENDSEC\n");
    return non_finite;
}

}  // namespace zov
