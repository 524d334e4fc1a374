#include "test_store.h"

#include "common/cp932.h"
#include "common/messages.h"
#include "store/import_state.h"

namespace zov {

LayerRecord test_layer(const char* name, std::int32_t colour, std::int32_t flags,
                       std::int16_t line_type, bool used) {
    LayerRecord layer;
    copy_bounded(layer.name, name);
    layer.colour = colour;
    layer.flags = flags;
    layer.line_type = line_type;
    layer.use_count = used ? 1 : 0;
    return layer;
}

EntityRecord test_line(std::int16_t layer, std::int32_t colour, double x1, double y1, double x2,
                       double y2, std::int32_t line_type) {
    EntityRecord e;
    e.kind = kEntityLine;
    e.layer = layer;
    e.colour = colour;
    e.line_type = line_type;
    e.x1 = x1;
    e.y1 = y1;
    e.p56 = x2;
    e.p64 = y2;
    return e;
}

EntityRecord test_arc(std::int16_t layer, std::int32_t colour, double cx, double cy, double radius,
                      double start, double end, double ratio, double rotation) {
    EntityRecord e;
    e.kind = kEntityArc;
    e.layer = layer;
    e.colour = colour;
    e.line_type = kLineContinuous;
    e.x1 = cx;
    e.y1 = cy;
    e.p56 = ratio;
    e.p64 = 1.0;
    e.p72 = radius;
    e.p80 = rotation;
    e.p88 = start;
    e.p96 = end;
    return e;
}

EntityRecord test_other(std::int16_t layer, std::int32_t kind) {
    EntityRecord e;
    e.kind = kind;
    e.layer = layer;
    e.colour = 1;
    e.x1 = 5;
    e.y1 = 5;
    return e;
}

int build_test_store(const std::string& folder, const TestDrawing& drawing) {
    RecordingMessages messages;
    ImportState state(folder, messages);
    prepare_header(state, folder + "SOURCE.JWC");
    if (open_jw_section_files(state) != 0) return -1;
    StoreHeader& header = state.header;
    header.kind = drawing.kind;
    header.min_x = drawing.min_x;
    header.min_y = drawing.min_y;
    header.max_x = drawing.max_x;
    header.max_y = drawing.max_y;
    header.scale = drawing.scale;
    for (const LayerRecord& layer : drawing.layers) {
        if (append_layer(state, layer) != 0) return -1;
        ++header.lay_num;
    }
    for (const EntityRecord& entity : drawing.entities) {
        if (append_entity(state, entity) != 0) return -1;
        ++header.ent_num;
    }
    state.extents_taken = 10;  // keep the extents given above
    return assemble_store(state);
}

}  // namespace zov
