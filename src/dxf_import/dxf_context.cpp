#include "dxf_import/dxf_context.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/messages.h"

namespace zov {

namespace {

// The longest text a record keeps, as long as the line buffer of the reader.
constexpr std::size_t kMaxTextBytes = 2048;

// "%s に書き込めない" (cannot write) in CP932.
const char* const kCannotWrite = cp932_text(JaText::CannotWriteTo);

// Ends an entity file at its current position, which lies before its end
// when the last record written was taken back.
bool cut_at_position(std::FILE* file) {
    if (file == nullptr) return true;
    const long position = std::ftell(file);
    return position >= 0 && std::fflush(file) == 0 && ::ftruncate(::fileno(file), position) == 0;
}

// The name a left-out record is counted under, as DXF names its entity.
const char* kind_name(std::int32_t kind) {
    switch (kind) {
        case kEntityLine: return "LINE";
        case kEntityArc: return "ARC";
        case kEntityPoint: return "POINT";
        case kEntityLeader: return "LEADER";
        case kEntityText: return "TEXT";
        case kEntityInsert: return "INSERT";
        case kEntityDimension: return "DIMENSION";
        case kEntitySolid: return "SOLID";
        default: return "entity";
    }
}

}  // namespace

std::int64_t import_record_budget(std::int64_t source_bytes) {
    return kImportRecordBase + kImportRecordsPerByte * std::max<std::int64_t>(source_bytes, 0);
}

DxfContext::~DxfContext() {
    write_to_drawing();
    if (block_data_ != nullptr) std::fclose(block_data_);
}

int DxfContext::write_to_block_data() {
    if (drawing_entities_ != nullptr) return 0;
    drawing_entities_ = std::exchange(state.entities, nullptr);
    if (block_data_ == nullptr) {
        // The store creates the file (and reports a failure); the stream is
        // kept here, so the drawing's entity file is never created afresh.
        if (begin_block_data(state) != 0) {
            write_to_drawing();
            return -1;
        }
        block_data_ = state.entities;
    }
    state.entities = block_data_;
    state.entities_are_block_data = true;
    return 0;
}

void DxfContext::write_to_drawing() {
    if (drawing_entities_ == nullptr) return;
    state.entities = std::exchange(drawing_entities_, nullptr);
    state.entities_are_block_data = false;
}

void DxfContext::note_write(int result, const char* file_name) {
    if (result != 0 && failed_file_ == nullptr) failed_file_ = file_name;
}

bool DxfContext::take_record(const EntityRecord& record) {
    if (records_left > 0) {
        --records_left;
        return true;
    }
    if (!counting) left_out.count(kind_name(record.kind));
    return false;
}

void DxfContext::count_beyond_blocks(const EntityRecord& record) {
    if (!counting) beyond_block_numbers.count(kind_name(record.kind));
}

PlaneScope::PlaneScope(DxfContext& context, const Extrusion& extrusion)
    : context_(context), projection_(PlaneProjection::of(extrusion)) {
    if (projection_) context_.plane = &*projection_;
}

PlaneScope::~PlaneScope() { context_.plane = nullptr; }

int DxfContext::write_entity(EntityRecord& record) {
    if (!take_record(record)) return 0;
    if (plane != nullptr) plane->map_record(record);
    if (record.line_type == kLineByBlockPending) {
        record.source_marks |= kMarkLineTypeByBlock;
        record.line_type = in_block() ? kLineByLayer : tables.current_layer_line_type();
    } else if (record.line_type == kLineByLayer) {
        record.source_marks |= kMarkLineTypeByLayer;
        record.line_type = tables.current_layer_line_type();
    }
    return write_record(record);
}

int DxfContext::write_text(EntityRecord& record, std::string_view text) {
    if (!take_record(record)) return 0;
    if (plane != nullptr) plane->map_record(record, text);
    if (!counting) {
        text = text.substr(0, safe_prefix_length(text, kMaxTextBytes));
        const auto length = static_cast<std::int32_t>(text.size());
        const std::int32_t offset = append_text(state, text.data(), length);
        note_write(offset < 0 ? -1 : 0, kStringFileName);
        record.text_offset = offset < 0 ? 0 : offset;
        record.text_length = static_cast<std::int16_t>(offset < 0 ? 0 : length);
        if (record.text_length > 0) ++state.header.str_num;
    }
    return write_record(record);
}

int DxfContext::write_record(EntityRecord& record) {
    if (record.colour == kColourByBlockPending) {
        record.source_marks |= kMarkColourByBlock;
        record.colour = in_block() ? kColourByBlock : tables.current_layer_colour();
    } else if (record.colour == kColourByBlock) {
        record.source_marks |= kMarkColourByLayer;
        record.colour = in_block() ? kColourByLayer : tables.current_layer_colour();
    } else if (record.colour == kColourByLayer) {
        record.source_marks |= kMarkColourByLayer;
    }
    // Arithmetic on absurd input can overflow; the store never holds a
    // number that is not finite.
    for (double* value : all_reals(record)) {
        if (!std::isfinite(*value)) *value = 0.0;
    }
    if (counting) return 1;
    note_write(append_entity(state, record),
               state.entities_are_block_data ? kBlockDataFileName : kEntityFileName);
    return 1;
}

void DxfContext::report_point(double x, double y) {
    if (plane != nullptr) {
        const Point2 at = plane->map({x, y});
        x = at.x;
        y = at.y;
    }
    if (std::isfinite(x) && std::isfinite(y)) state.entity_extents.include(x, y);
}

int DxfContext::finish_sections() {
    for (const LayerRecord& layer : tables.layers())
        note_write(append_layer(state, layer), kLayerFileName);
    write_to_drawing();
    if (!cut_at_position(state.entities)) note_write(-1, kEntityFileName);
    if (block_data_ != nullptr && (!cut_at_position(block_data_) || std::fclose(block_data_) != 0))
        note_write(-1, kBlockDataFileName);
    block_data_ = nullptr;
    if (failed_file_ == nullptr) return 0;
    show_error(state.messages, kCannotWrite, utf8_to_cp932(state.path(failed_file_)).c_str());
    return -1;
}

}  // namespace zov
