// The ENTITIES section: lines, circles, arcs and ellipses of the store, each
// on its layer's name with the layer's locked state. Points, leaders, texts,
// inserts, dimensions, solids and the layer sheet's labels are left out and
// counted as such.
#include <cmath>
#include <numbers>
#include <string>

#include "common/cp932.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/dxf_sections.h"
#include "store/store_reader.h"

namespace zov {

namespace {

// An arc whose angles differ by this much or more is written as a circle.
constexpr double kFullCircleSpan = 359.88;
// Ellipse parameters (degrees) this close to a whole turn apart are the
// whole curve: DXF files give 2π with six decimals (0.00002 degrees short).
constexpr double kWholeTurnTolerance = 1e-4;

// The common part of every entity: handle, layer, line type, the layer's
// locked state and the colour. The off state is the LAYER record's: a
// negative colour on an entity makes readers drop it.
struct EntityHead {
    const char* layer_name;
    const char* line_type;
    int lock_flag;
    int colour;
};

void put_head(DxfGroupWriter& out, const char* type, unsigned long handle, const EntityHead& head) {
    out.text(0, type);
    out.handle(5, handle);
    out.texts({{100, kEntityMarker}, {8, head.layer_name}, {6, head.line_type}});
    out.integer(70, head.lock_flag);
    out.colour(62, head.colour);
}

double radians_in_turn(double degrees) {
    double r = std::fmod(degrees, 360.0) * std::numbers::pi / 180.0;
    if (r < 0) r += 2 * std::numbers::pi;
    return r;
}

bool is_full_circle(const EntityRecord& e) {
    return e.arc.start_angle == e.arc.end_angle ||
           std::fabs(e.arc.end_angle - e.arc.start_angle) >= kFullCircleSpan;
}

// A store ellipse is centre, major semi-axis `radius` turned by `tilt`
// degrees, `axis_ratio` and start and end parameters in degrees (equal, or a
// whole turn apart: the whole curve).
// DXF wants the major axis as a vector, a ratio of at most 1 and the
// parameters in radians; a ratio above 1 swaps the axes. The whole curve is
// written from 0 to 2π, which every reader takes as whole (a start and end
// that meet elsewhere read as an empty arc in some).
void put_ellipse_geometry(DxfGroupWriter& out, const EntityRecord& e) {
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
    double end_parameter = 2 * std::numbers::pi;
    if (std::fabs(std::remainder(end - start, 360.0)) >= kWholeTurnTolerance) {
        start_parameter = radians_in_turn(start);
        end_parameter = radians_in_turn(end);
    }
    const double angle = rotation * std::numbers::pi / 180.0;
    out.text(100, "AcDbEllipse");
    put_points(out, {{e.x1, e.y1}, {major * std::cos(angle), major * std::sin(angle)}});
    out.real(40, ratio);
    out.real(41, start_parameter);
    out.real(42, end_parameter);
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

void put_points(DxfGroupWriter& out, std::initializer_list<PlanePoint> points) {
    int code = 10;
    for (const PlanePoint& point : points) {
        out.coordinate(code, point.x);
        out.coordinate(code + 10, point.y);
        out.text(code + 20, "0.0");
        ++code;
    }
}

void put_curve_geometry(DxfGroupWriter& out, const EntityRecord& e) {
    if (e.kind == kEntityLine) {
        out.text(100, "AcDbLine");
        put_points(out, {{e.x1, e.y1}, {e.line.end_x, e.line.end_y}});
    } else if (e.arc.axis_ratio != 1.0) {
        put_ellipse_geometry(out, e);
    } else {
        out.text(100, "AcDbCircle");
        put_points(out, {{e.x1, e.y1}});
        out.coordinate(40, e.arc.radius);
        if (!is_full_circle(e)) {
            out.text(100, "AcDbArc");
            out.real(50, e.arc.start_angle);
            out.real(51, e.arc.end_angle);
        }
    }
}

std::string store_entity_name(const EntityRecord& e) {
    switch (e.kind) {
        case kEntityLine:
            if ((e.source_marks & kMarkXline) != 0) return "XLINE";
            return (e.source_marks & kMarkRay) != 0 ? "RAY" : "LINE";
        case kEntityArc: return curve_entity_type(e);
        case kEntityPoint: return "POINT";
        case kEntityLeader: return "LEADER";
        case kEntityText:
            return (e.source_marks & kMarkAttributeDefinition) != 0 ? "ATTDEF" : "TEXT";
        case kEntityLayerLabel:
        case kEntityFileLabel: return "TEXT";
        case kEntityInsert: return "INSERT";
        case kEntityDimension: return "DIMENSION";
        case kEntitySolid: return (e.flags & kEntityBackgroundFill) != 0 ? "WIPEOUT" : "SOLID";
        default: return "record of kind " + std::to_string(e.kind);
    }
}

int write_entities_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& layers,
                           StoreReader& data, DxfExportTally& tally) {
    int non_finite = 0;
    put_section_start(out, "ENTITIES");
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
            if (layer_name.empty()) layer_name = kLayerZero;
        }
        first = false;
        previous_layer = e.layer;
        const bool curve = e.kind == kEntityLine || e.kind == kEntityArc;
        const bool finite = all_finite(e);
        tally.take(curve && finite, store_entity_name(e), true);
        if (!curve) continue;
        if (!finite) {
            ++non_finite;
            continue;
        }

        const EntityHead head{layer_name.c_str(), line_type_name(e.line_type),
                              test_bit(layer.flags, kLayerLockedBit) ? 4 : 64,
                              dxf_colour(store_kind, e.colour)};
        put_head(out, curve_entity_type(e), handles.next(), head);
        put_curve_geometry(out, e);
    }
    put_section_end(out);
    return non_finite;
}

}  // namespace zov
