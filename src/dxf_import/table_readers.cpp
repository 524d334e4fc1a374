// Readers of the TABLES records the store takes over: line types (LTYPE),
// layers (LAYER) and the vertical text styles (STYLE).
#include <algorithm>
#include <cstdlib>
#include <string>

#include "common/cp932.h"
#include "common/paths.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_readers.h"
#include "dxf_import/line_type_classifier.h"
#include "dxf_import/true_colour.h"

namespace zov {

namespace {

struct PendingLineType {
    std::string name;
    LineTypePattern pattern;
    int dashes = 0;
    SourceLineTypeRecord source;  // name, description and the whole pattern
};

// A line type with dashes becomes a record, and a source line type that the
// full export names again; continuous ones are never written. Beyond the
// numbered source line types, the entities keep the nearest fixed one, and
// the line type counts as left out.
void append_line_type_record(DxfContext& context, PendingLineType& pending) {
    LineTypePattern pattern = pending.pattern;
    if (pending.name == "CONTINUOUS") pattern.elements = 0;
    if (pattern.elements <= 0) return;
    const int code = classify_line_type(pending.name, pattern);
    if (!context.tables.add_line_type(pending.name, code)) return;
    LineTypeRecord record;
    record.line_type = code;
    copy_bounded(record.name, pending.name);
    append_line_type(context.state, record);
    ++context.state.header.line_num;
    SourceLineTypeRecord& source = pending.source;
    copy_bounded(source.name, pending.name);
    source.elements = std::min(pattern.elements, kMaxLineTypeElements);
    if (!context.tables.add_source_line_type(source)) context.state.dropped.count("LTYPE");
}

}  // namespace

int read_ltype_table(DxfContext& context) {
    DxfGroupReader& reader = context.reader;
    PendingLineType pending;
    while (reader.read_group() > 0) {
        if (reader.code() == 0) {
            append_line_type_record(context, pending);
            if (reader.read_group() < 0 || reader.value() == "ENDTAB") break;
            pending = PendingLineType{};
            continue;
        }
        if (reader.read_group() < 0) break;
        switch (reader.code()) {
            case 2: pending.name = reader.value(); break;
            case 3: copy_bounded(pending.source.description, reader.value()); break;
            case 40: pending.source.total_length = reader.real(); break;
            case 73: pending.pattern.elements = reader.integer(); break;
            case 49:
                if (pending.dashes < 3) pending.pattern.dash[pending.dashes] = reader.real();
                if (pending.dashes < kMaxLineTypeElements)
                    pending.source.lengths[pending.dashes++] = reader.real();
                break;
            default: break;
        }
    }
    return 0;
}

int read_layer_record(DxfContext& context) {
    LayerRecord record;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        switch (reader.code()) {
            case 2: copy_bounded(record.name, reader.value()); break;
            case 62: {
                const int colour = reader.integer();
                record.colour = std::abs(colour);
                if (colour < 0) record.flags = set_bit(record.flags, kLayerHiddenBit);
                break;
            }
            case 70: {
                const int flags = reader.integer();
                if (flags & 3) record.flags = set_bit(record.flags, kLayerFrozenBit);
                // A frozen layer shows nothing in the DXF's own program either.
                if (flags & 1) record.flags = set_bit(record.flags, kLayerHiddenBit);
                if (flags & 4) record.flags = set_bit(record.flags, kLayerLockedBit);
                break;
            }
            case 420: record.colour = true_colour_index(reader.integer()); break;
            case 370: {
                const int weight = reader.integer();  // -3: the default
                if (weight >= 0) record.line_weight = stored_weight(weight);
                break;
            }
            case 6:
                record.line_type =
                    static_cast<std::int16_t>(context.tables.find_line_type(reader.value()));
                copy_bounded(record.line_type_name, reader.value());
                break;
            default: break;
        }
    }
    if (context.tables.add_layer(record)) ++context.state.header.lay_num;
    return 0;
}

namespace {

// A font file of TrueType (or OpenType) outlines, by its extension.
bool is_truetype_file(std::string_view file) {
    if (file.size() < 4) return false;
    const std::string_view extension = file.substr(file.size() - 4);
    return equals_ignore_case(extension, ".ttf") || equals_ignore_case(extension, ".ttc") ||
           equals_ignore_case(extension, ".otf");
}

}  // namespace

int read_style_record(DxfContext& context) {
    std::string name;
    bool vertical = false;
    bool truetype = false;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (reader.code() == 2) name = reader.value();
        if (reader.code() == 3) truetype = is_truetype_file(reader.value());
        if (reader.code() == 70) vertical = reader.integer() == 4 || reader.integer() == 68;
    }
    if (vertical) context.tables.add_vertical_style(name);
    if (truetype) context.tables.add_proportional_style(name);
    return 0;
}

}  // namespace zov
