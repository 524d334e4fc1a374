// The reading loop: one pass over the file's groups that reacts to the items
// it knows (a section, a header variable, a table record or an entity name)
// and hands the stream to that item's reader. Sections are not tracked: an
// entity is imported wherever it stands, except in the BLOCKS section, which
// its own reader consumes.
#include "dxf_import/dxf_reading_loop.h"

#include "common/paths.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_readers.h"
#include "dxf_import/entity_parts.h"

namespace zov {

namespace {

// `any_part`: the reader needs nothing of the file before the entity but
// the tables and blocks, so that a part of the ENTITIES section read on its
// own thread may read it.
struct EntityEntry {
    std::string_view name;
    ItemReader read;
    bool any_part = true;
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
    {"XLINE", read_xline, false},
    {"RAY", read_ray, false},
    {"HATCH", read_hatch},
    {"MULTILEADER", read_multileader},
    {"MLEADER", read_multileader},
    {"ACAD_TABLE", read_table},
    {"WIPEOUT", read_wipeout, false},
    {"IMAGE", read_image, false},
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
bool ends_section(std::string_view name) {
    return name == "ENDSEC" || name == "SECTION" || name == "EOF";
}

bool is_entity_part_or_end(std::string_view name) {
    return ends_section(name) || name == "VERTEX" || name == "SEQEND";
}

const EntityEntry* find_entity_entry(std::string_view name) {
    for (const EntityEntry& entry : kEntityReaders) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

}  // namespace

ItemReader find_entity_reader(std::string_view name) {
    const EntityEntry* entry = find_entity_entry(name);
    return entry == nullptr ? nullptr : entry->read;
}

ItemsResult read_items(DxfContext& context, ItemLoop& loop, const ItemLimits& limits) {
    DxfGroupReader& reader = context.reader;
    DxfGroupReader::Mark item = reader.mark();
    while (!context.failed) {
        if (reader.is_code_line() && reader.code() == 0) {
            item = reader.mark();
            if (limits.stop_at >= 0 && item.position >= limits.stop_at)
                return {item.position == limits.stop_at ? ItemsEnd::AtStop : ItemsEnd::PastStop,
                        item};
        }
        if (reader.read_group() <= 0) break;
        if (reader.is_code_line()) continue;
        const int code = reader.code();
        if (code == 0) {
            const std::string_view name = reader.value();
            if (const EntityEntry* entry = find_entity_entry(name)) {
                if (limits.entities_only && !entry->any_part) return {ItemsEnd::OtherItem, item};
                context.state.header.ent_num += entry->read(context);
                continue;
            }
            // Unknown entities are counted where they stand, stray parts passed over.
            if (limits.entities_only &&
                (ends_section(name) || find_other_item_reader(0, name) != nullptr))
                return {ItemsEnd::OtherItem, item};
            if (loop.in_entities && !is_entity_part_or_end(name)) context.state.dropped.count(name);
            if (name == "ENDSEC") loop.in_entities = false;
            loop.section_starts = name == "SECTION";
        } else if (code == 2 && loop.section_starts) {
            loop.in_entities = reader.value() == "ENTITIES";
            loop.section_starts = false;
            if (loop.in_entities && limits.to_entities) return {ItemsEnd::EntitiesBegin, item};
        }
        if (code != 0 && code != 2 && code != 9) continue;
        if (ItemReader read = find_other_item_reader(code, reader.value())) {
            if (limits.entities_only) return {ItemsEnd::Refused, item};
            ++loop.other_items;
            read(context);
        }
    }
    return {ItemsEnd::FileEnd, reader.mark()};
}

void run_reading_loop(DxfContext& context) {
    ItemLoop loop;
    const ItemLimits to_entities{.to_entities = true};
    while (read_items(context, loop, to_entities).end == ItemsEnd::EntitiesBegin)
        read_entities_in_parts(context, loop);
}

}  // namespace zov
