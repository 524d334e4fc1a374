// The reading loop: one pass over the file's groups that reacts to the items
// it knows (a section, a header variable, a table record or an entity name)
// and hands the stream to that item's reader. Sections are not tracked: an
// entity is imported wherever it stands, except in the BLOCKS section, which
// its own reader consumes.
#include "dxf_import/dxf_reading_loop.h"

#include "common/paths.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_readers.h"

namespace zov {

namespace {

struct EntityEntry {
    std::string_view name;
    ItemReader read;
};

constexpr EntityEntry kEntityReaders[] = {
    {"LINE", read_line},
    {"POLYLINE", read_polyline},
    {"LWPOLYLINE", read_lwpolyline},
    {"TEXT", read_text},
    {"CIRCLE", read_circle_or_arc},
    {"ARC", read_circle_or_arc},
    {"INSERT", read_insert},
    {"MTEXT", read_mtext},
    {"ATTRIB", read_attribute},
    {"ATTDEF", read_attribute_definition},
    {"ELLIPSE", read_ellipse},
    {"POINT", read_point},
    {"SOLID", read_trace_or_solid},
    {"TRACE", read_trace_or_solid},
    {"DIMENSION", read_dimension},
    {"SPLINE", read_spline},
    {"LEADER", read_leader},
    {"MINSERT", read_insert},
    {"3DFACE", read_3dface},
    {"XLINE", read_xline},
    {"RAY", read_ray},
    {"HATCH", read_hatch},
    {"MULTILEADER", read_multileader},
    {"MLEADER", read_multileader},
    {"ACAD_TABLE", read_table},
    {"WIPEOUT", read_wipeout},
    {"IMAGE", read_image},
    {"ARC_DIMENSION", read_dimension},
    {"LARGE_RADIAL_DIMENSION", read_dimension},
};

// Items other than entities; `any_case` compares the value ignoring case.
struct ItemEntry {
    int code;
    std::string_view value;
    bool any_case;
    ItemReader read;
};

constexpr ItemEntry kOtherItems[] = {
    {0, "LAYER", false, read_layer_record},
    {0, "LTYPE", false, read_ltype_table},
    {0, "STYLE", false, read_style_record},
    {2, "BLOCKS", false, read_blocks_section},
    {9, "$ACADVER", false, read_version},
    {9, "$DWGCODEPAGE", false, read_code_page},
    {9, "$EXTMIN", false, read_extents_minimum},
    {9, "$EXTMAX", true, read_extents_maximum},
    {9, "$LIMMIN", false, read_extents_minimum},
    {9, "$LIMMAX", true, read_extents_maximum},
    {9, "$DIMSCALE", false, read_dimension_scale},
    {9, "$PLIMMAX", false, read_paper_limits_maximum},
    {9, "$PLIMMIN", false, read_paper_limits_minimum},
};

ItemReader find_other_item_reader(int code, std::string_view value) {
    for (const ItemEntry& entry : kOtherItems) {
        if (entry.code != code) continue;
        if (entry.any_case ? equals_ignore_case(value, entry.value) : value == entry.value)
            return entry.read;
    }
    return nullptr;
}

// Items of the ENTITIES section that are no entity of their own: the section's
// end and the parts of a polyline or insert, which their entity's reader takes.
bool is_entity_part_or_end(std::string_view name) {
    return name == "ENDSEC" || name == "SECTION" || name == "EOF" || name == "VERTEX" ||
           name == "SEQEND";
}

}  // namespace

ItemReader find_entity_reader(std::string_view name) {
    for (const EntityEntry& entry : kEntityReaders) {
        if (entry.name == name) return entry.read;
    }
    return nullptr;
}

void run_reading_loop(DxfContext& context) {
    DxfGroupReader& reader = context.reader;
    // Section names follow "0 SECTION" under code 2; entities that no reader
    // takes are counted where they stand, in the ENTITIES section.
    bool section_starts = false;
    bool in_entities = false;
    while (!context.failed && reader.read_group() > 0) {
        if (reader.is_code_line()) continue;
        const int code = reader.code();
        if (code == 0) {
            const std::string_view item = reader.value();
            if (ItemReader read = find_entity_reader(item)) {
                context.state.header.ent_num += read(context);
                continue;
            }
            if (in_entities && !is_entity_part_or_end(item)) context.state.dropped.count(item);
            if (item == "ENDSEC") in_entities = false;
            section_starts = item == "SECTION";
        } else if (code == 2 && section_starts) {
            in_entities = reader.value() == "ENTITIES";
            section_starts = false;
        }
        if (code != 0 && code != 2 && code != 9) continue;
        if (ItemReader read = find_other_item_reader(code, reader.value())) read(context);
    }
}

}  // namespace zov
