// Readers of the DXF entities that become exactly one store record.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/paths.h"
#include "common/truncated_angles.h"
#include "dxf_import/dxf_geometry.h"
#include "dxf_import/entity_groups.h"
#include "dxf_import/insert_array.h"
#include "dxf_import/true_colour.h"

namespace zov {

void skip_item(DxfContext& context) {
    while (context.reader.read_pair()) {
    }
}

int colour_for_black_true_colour(int rgb) {
    constexpr int kForeground = 7;
    constexpr int kDarkestVisibleChannel = 24;
    const int brightest = std::max({(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255});
    return brightest < kDarkestVisibleChannel ? kForeground : 0;
}

namespace {

std::int16_t entity_line_weight(int group_370) {
    switch (group_370) {
        case -2: return kWeightByBlock;
        case -3: return kWeightDefault;
        default: return group_370 >= 0 ? stored_weight(group_370) : kWeightNotGiven;
    }
}

}  // namespace

bool take_common_group(DxfContext& context, EntityRecord& record, unsigned groups) {
    const DxfGroupReader& reader = context.reader;
    switch (reader.code()) {
        case 8:
            if ((groups & kLayerGroup) == 0) return false;
            record.layer = static_cast<std::int16_t>(context.tables.find_layer(reader.value()));
            return true;
        case 6:
            if ((groups & kLineTypeGroup) == 0) return false;
            record.line_type = equals_ignore_case(reader.value(), "BYBLOCK")
                                   ? kLineByBlockPending
                                   : context.tables.find_line_type(reader.value());
            record.source_line_type =
                static_cast<std::uint8_t>(context.tables.find_source_line_type(reader.value()));
            return true;
        case 62: {
            if ((groups & kColourGroup) == 0) return false;
            const int colour = reader.integer();
            record.colour = colour == 0 ? kColourByBlockPending : std::abs(colour);
            if (colour < 0) record.flags |= 1u;
            return true;
        }
        case 370:
            // Line weight: -1 as the layer, -2 as the block, -3 the default,
            // else hundredths of a millimetre.
            if ((groups & kColourGroup) == 0) return false;
            record.line_weight = entity_line_weight(reader.integer());
            return true;
        case 420:
            // A true colour follows the colour index and stands for it.
            if ((groups & kColourGroup) == 0) return false;
            record.colour = true_colour_index(reader.integer());
            return true;
        case 67:
            if ((groups & kPaperSpaceGroup) == 0) return false;
            if (reader.integer() == 1) {
                record.paper_space = 1;
                context.state.header.pe_flag = 1;
            }
            return true;
        default: return false;
    }
}

namespace {

using R = EntityRecord;

// LINE and POINT: first point (10, 20), second point (11, 21).
constexpr RealGroup kTwoPoints[] = {{10, field<&R::x1>},
                                    {20, field<&R::y1>},
                                    {11, field<&R::line, &LineReals::end_x>},
                                    {21, field<&R::line, &LineReals::end_y>}};
constexpr RealGroup kCircleGroups[] = {{10, field<&R::x1>},
                                       {20, field<&R::y1>},
                                       {40, field<&R::arc, &ArcReals::radius>},
                                       {50, field<&R::arc, &ArcReals::start_angle>},
                                       {51, field<&R::arc, &ArcReals::end_angle>}};
constexpr RealGroup kEllipseGroups[] = {
    {10, field<&R::x1>}, {20, field<&R::y1>}, {40, field<&R::arc, &ArcReals::axis_ratio>}};
// The second corner is the record's first point, as the renderer expects.
constexpr RealGroup kSolidGroups[] = {{10, field<&R::solid, &SolidReals::first_x>},
                                      {20, field<&R::solid, &SolidReals::first_y>},
                                      {11, field<&R::x1>},
                                      {21, field<&R::y1>},
                                      {12, field<&R::solid, &SolidReals::third_x>},
                                      {22, field<&R::solid, &SolidReals::third_y>},
                                      {13, field<&R::solid, &SolidReals::fourth_x>},
                                      {23, field<&R::solid, &SolidReals::fourth_y>}};
constexpr RealGroup kDimensionGroups[] = {{12, field<&R::x1>}, {22, field<&R::y1>}};
constexpr RealGroup kInsertGroups[] = {{10, field<&R::x1>},
                                       {20, field<&R::y1>},
                                       {41, field<&R::insert, &InsertReals::scale_x>},
                                       {42, field<&R::insert, &InsertReals::scale_y>},
                                       {50, field<&R::insert, &InsertReals::rotation>}};

constexpr unsigned kNoPaperSpace = kLayerGroup | kLineTypeGroup | kColourGroup;

// The ellipse's parameters (radians) are kept as degrees half a turn back,
// with the short factors the store's ellipses have always been made with.
double ellipse_parameter_degrees(double parameter) {
    return (parameter - kPiCutToSixDecimals) / kRadiansPerDegreeToElevenDecimals;
}

// An entity whose first point (x1, y1) and second point (line.end_x,
// line.end_y) count for the drawing extents.
int read_two_point_entity(DxfContext& context, std::int32_t kind,
                          std::span<const RealGroup> groups) {
    EntityRecord record;
    record.kind = kind;
    read_entity_groups(context, record, groups);
    context.report_point(record.x1, record.y1);
    context.report_point(record.line.end_x, record.line.end_y);
    return context.write_entity(record);
}

}  // namespace

int read_line(DxfContext& context) {
    return read_two_point_entity(context, kEntityLine, kTwoPoints);
}

int read_circle_or_arc(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityArc;
    record.arc.axis_ratio = record.arc.unused_one = 1.0;
    Extrusion extrusion;
    read_entity_groups(context, record, kCircleGroups, kAllCommonGroups,
                       [&](const DxfGroupReader& reader) { extrusion.take(reader); });
    // Seen from below (extrusion 0, 0, -1) the centre lies mirrored in x and
    // the arc runs the other way round: from 180 - end to 180 - start.
    if (extrusion.along_z() && extrusion.z < 0) {
        record.x1 = -record.x1;
        const double start = 180.0 - record.arc.end_angle;
        record.arc.end_angle = 180.0 - record.arc.start_angle;
        record.arc.start_angle = start;
    }
    const PlaneScope plane(context, extrusion);
    return context.write_entity(record);
}

int read_ellipse(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityArc;
    record.arc.unused_one = 1.0;
    double ux = 0.0;
    double uy = 0.0;
    double uz = 0.0;
    double start = 0.0;
    double end = 0.0;
    Extrusion extrusion;
    read_entity_groups(context, record, kEllipseGroups, kAllCommonGroups,
                       [&](const DxfGroupReader& reader) {
                           switch (reader.code()) {
                               case 11: ux = reader.real(); break;
                               case 21: uy = reader.real(); break;
                               case 31: uz = reader.real(); break;
                               case 41: start = reader.real(); break;
                               case 42: end = reader.real(); break;
                               default: extrusion.take(reader); break;
                           }
                       });
    if (!extrusion.upward()) {
        // The centre and major axis are world points; the minor axis lies
        // square to both it and the extrusion. Seen from above, both axes
        // project to a pair of conjugate semi-diameters.
        const double length = std::sqrt(extrusion.x * extrusion.x + extrusion.y * extrusion.y +
                                        extrusion.z * extrusion.z);
        if (std::isfinite(length) && length > 0.0) {
            const double nx = extrusion.x / length, ny = extrusion.y / length,
                         nz = extrusion.z / length;
            const double ratio = record.arc.axis_ratio;
            const Point2 minor{ratio * (ny * uz - nz * uy), ratio * (nz * ux - nx * uz)};
            set_elliptic_arc(record, {record.x1, record.y1}, {ux, uy}, minor, degrees(start),
                             degrees(end));
            return context.write_entity(record);
        }
    }
    record.arc.start_angle = ellipse_parameter_degrees(start);
    record.arc.end_angle = ellipse_parameter_degrees(end);
    record.arc.radius = std::sqrt(ux * ux + uy * uy);
    // The parameters lie half a turn back, so the major axis is turned half
    // a turn on (its direction plus 180 degrees): the same points.
    if (ux != 0.0) {
        record.arc.tilt = degrees(std::atan(uy / ux)) + (ux > 0 ? 180 : 0);
    } else {
        record.arc.tilt = uy >= 0 ? 270 : 90;
    }
    // A ratio of 1 is a circular arc, which the store holds by its angles
    // from the x axis and without a tilt.
    if (record.arc.axis_ratio == 1.0) {
        record.arc.start_angle += record.arc.tilt;
        record.arc.end_angle += record.arc.tilt;
        record.arc.tilt = 0.0;
    }
    return context.write_entity(record);
}

int read_point(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityPoint;
    read_entity_groups(context, record, kTwoPoints);
    // The second point of a POINT is not drawn, so only the position counts.
    context.report_point(record.x1, record.y1);
    return context.write_entity(record);
}

int read_trace_or_solid(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntitySolid;
    Extrusion extrusion;
    read_entity_groups(context, record, kSolidGroups, kAllCommonGroups,
                       [&](const DxfGroupReader& reader) { extrusion.take(reader); });
    // Seen from below (extrusion 0, 0, -1): every corner mirrored in x.
    if (extrusion.along_z() && extrusion.z < 0) {
        for (double* x :
             {&record.x1, &record.solid.first_x, &record.solid.third_x, &record.solid.fourth_x})
            *x = -*x;
    }
    const PlaneScope plane(context, extrusion);
    context.report_point(record.x1, record.y1);
    context.report_point(record.solid.first_x, record.solid.first_y);
    return context.write_entity(record);
}

int read_dimension(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityDimension;
    record.insert.scale_x = record.insert.scale_y = 1.0;
    read_entity_groups(context, record, kDimensionGroups, kNoPaperSpace,
                       [&](const DxfGroupReader& reader) {
                           if (reader.code() == 2) take_block_name(context, record);
                           if (reader.code() == 70) {
                               const int type = reader.integer();
                               record.h_align = type == 2 || type == 34 || type == 162 ? 1 : 0;
                           }
                       });
    return context.write_entity(record);
}

int read_insert(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityInsert;
    record.insert.scale_x = record.insert.scale_y = 1.0;
    Extrusion extrusion;
    InsertArray array;
    read_entity_groups(context, record, kInsertGroups, kNoPaperSpace,
                       [&](const DxfGroupReader& reader) {
                           if (reader.code() == 2) take_block_name(context, record);
                           if (!extrusion.take(reader)) array.take(reader);
                       });
    if (!extrusion.along_z()) {
        // The copies are placed in the insert's plane, then projected.
        const PlaneScope plane(context, extrusion);
        return write_insert_array(context, record, array, 1.0);
    }
    // An insert seen from below (extrusion 0, 0, -1) is mirrored in x.
    const double extrusion_z = extrusion.z;
    if (extrusion_z != 0) {
        record.x1 *= extrusion_z;
        record.insert.scale_x *= extrusion_z;
        record.insert.rotation *= extrusion_z;
    }
    return write_insert_array(context, record, array, extrusion_z < 0 ? -1.0 : 1.0);
}

}  // namespace zov
