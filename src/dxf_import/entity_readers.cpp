// Readers of the DXF entities that become exactly one store record.
#include <cmath>
#include <cstdlib>

#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_readers.h"

namespace zov {

void skip_item(DxfContext& context) {
    while (context.reader.read_pair()) {
    }
}

bool take_common_group(DxfContext& context, EntityRecord& record, unsigned groups) {
    const DxfGroupReader& reader = context.reader;
    switch (reader.code()) {
        case 8:
            if ((groups & kLayerGroup) == 0) return false;
            record.layer = static_cast<std::int16_t>(context.tables.find_layer(reader.value()));
            return true;
        case 6:
            if ((groups & kLineTypeGroup) == 0) return false;
            record.line_type = context.tables.find_line_type(reader.value());
            return true;
        case 62: {
            if ((groups & kColourGroup) == 0) return false;
            const int colour = reader.integer();
            record.colour = std::abs(colour);
            if (colour < 0) record.flags |= 1u;
            return true;
        }
        case 67:
            if ((groups & kPaperSpaceGroup) == 0) return false;
            if (reader.integer() == 1) {
                record.paper_space = 1;
                context.state.header.pe_flag = 1;
            }
            return true;
        default:
            return false;
    }
}

int read_line(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityLine;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record)) continue;
        switch (reader.code()) {
            case 10: record.x1 = reader.real(); break;
            case 20: record.y1 = reader.real(); break;
            case 11: record.p56 = reader.real(); break;
            case 21: record.p64 = reader.real(); break;
            default: break;
        }
    }
    context.report_point(record.x1, record.y1);
    context.report_point(record.p56, record.p64);
    return context.write_entity(record);
}

int read_circle_or_arc(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityArc;
    record.p56 = record.p64 = 1.0;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record)) continue;
        switch (reader.code()) {
            case 10: record.x1 = reader.real(); break;
            case 20: record.y1 = reader.real(); break;
            case 40: record.p72 = reader.real(); break;
            case 50: record.p88 = reader.real(); break;
            case 51: record.p96 = reader.real(); break;
            default: break;
        }
    }
    return context.write_entity(record);
}

namespace {

// The ellipse's parameters (radians) are kept as degrees half a turn back.
double ellipse_parameter_degrees(double parameter) {
    return (parameter - 3.141592) / 0.01745329252;
}

}  // namespace

int read_ellipse(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityArc;
    record.p64 = 1.0;
    double ux = 0.0;
    double uy = 0.0;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record)) continue;
        switch (reader.code()) {
            case 10: record.x1 = reader.real(); break;
            case 20: record.y1 = reader.real(); break;
            case 11: ux = reader.real(); break;
            case 21: uy = reader.real(); break;
            case 40: record.p56 = reader.real(); break;
            case 41: record.p88 = ellipse_parameter_degrees(reader.real()); break;
            case 42: record.p96 = ellipse_parameter_degrees(reader.real()); break;
            default: break;
        }
    }
    record.p72 = std::sqrt(ux * ux + uy * uy);
    if (std::fabs(ux) >= 0.01) {
        record.p80 = degrees(std::atan(uy / ux)) + (ux > 0 ? 180 : 0);
    } else {
        record.p80 = uy >= 0 ? 90 : 270;
        const double span = record.p96 - record.p88;
        if (span > 89 && span < 91) record.p80 += 90;
    }
    return context.write_entity(record);
}

int read_point(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityPoint;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record)) continue;
        switch (reader.code()) {
            case 10: record.x1 = reader.real(); break;
            case 20: record.y1 = reader.real(); break;
            case 11: record.p56 = reader.real(); break;
            case 21: record.p64 = reader.real(); break;
            default: break;
        }
    }
    // The second point of a POINT is not drawn, so only the position counts.
    context.report_point(record.x1, record.y1);
    return context.write_entity(record);
}

int read_trace_or_solid(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntitySolid;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record)) continue;
        switch (reader.code()) {
            case 10: record.p56 = reader.real(); break;
            case 20: record.p64 = reader.real(); break;
            case 11: record.x1 = reader.real(); break;
            case 21: record.y1 = reader.real(); break;
            case 12: record.p72 = reader.real(); break;
            case 22: record.p88 = reader.real(); break;
            case 13: record.p80 = reader.real(); break;
            case 23: record.p96 = reader.real(); break;
            default: break;
        }
    }
    context.report_point(record.x1, record.y1);
    context.report_point(record.p56, record.p64);
    return context.write_entity(record);
}

int read_dimension(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityDimension;
    record.p56 = record.p64 = 1.0;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record, kLayerGroup | kLineTypeGroup | kColourGroup))
            continue;
        switch (reader.code()) {
            case 2:
                record.block = static_cast<std::int16_t>(context.blocks.find(reader.value()));
                break;
            case 12: record.x1 = reader.real(); break;
            case 22: record.y1 = reader.real(); break;
            case 70: {
                const int type = reader.integer();
                record.h_align = type == 2 || type == 34 || type == 162 ? 1 : 0;
                break;
            }
            default: break;
        }
    }
    return context.write_entity(record);
}

int read_insert(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityInsert;
    record.p56 = record.p64 = 1.0;
    double extrusion_z = 0.0;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (take_common_group(context, record, kLayerGroup | kLineTypeGroup | kColourGroup))
            continue;
        switch (reader.code()) {
            case 2:
                record.block = static_cast<std::int16_t>(context.blocks.find(reader.value()));
                break;
            case 10: record.x1 = reader.real(); break;
            case 20: record.y1 = reader.real(); break;
            case 41: record.p56 = reader.real(); break;
            case 42: record.p64 = reader.real(); break;
            case 50: record.p80 = reader.real(); break;
            case 230: extrusion_z = reader.real(); break;
            default: break;
        }
    }
    // An insert seen from below (extrusion 0, 0, -1) is mirrored in x.
    if (extrusion_z != 0) {
        record.x1 *= extrusion_z;
        record.p56 *= extrusion_z;
        record.p80 *= extrusion_z;
    }
    return context.write_entity(record);
}

}  // namespace zov
