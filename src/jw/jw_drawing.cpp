// Reading one JW_CAD file into the open section files: the data file in a
// scan pass and an output pass, the symbol file in one pass, the layer
// records of the used layers and the store header.
#include <algorithm>
#include <cstring>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "jw/jw_conversion.h"
#include "jw/jw_import.h"
#include "jw/jw_messages.h"
#include "jw/jw_names.h"
#include "store/import_state.h"

namespace zov {

namespace {

constexpr int kDefaultPaperWidthUnits = 518;
constexpr double kDefaultSymbolScale = 100;
constexpr double kMinimumSymbolScale = 0.001;
constexpr double kUnroundedScale = 10;
constexpr double kClipMargin = 1.5;
constexpr double kPaperAspect = 0.70710677;
constexpr JwPaperSize kSymbolPaper{420, 297};
constexpr char kSymbolLayerName[] = "JW_ZUKEI";
constexpr int kShownDisplayState = 2;
constexpr int kWritableProtection = 1;

struct ElementCounts {
    std::int32_t lines = 0, circles = 0, texts = 0, points = 0;
};

// The layer records of the used layers, numbered 1, 2, ... in layer order;
// each used scratch record learns its store layer number.
void write_jw_layer_records(JwConversion& c) {
    std::int32_t written = 0;
    for (int n = 0; n < kJwLayers; ++n) {
        JwLayerScratchRecord scratch;
        if (!c.layers.read(n, scratch) || scratch.used != 1) continue;
        const LayerRecord layer =
            jw_layer_record(fixed_text(scratch.layer_name), scratch.display < kShownDisplayState,
                            scratch.protection != kWritableProtection, n, written, c.scale);
        if (append_layer(c.store, layer) != 0) break;
        scratch.store_layer = ++written;
        c.layers.write(n, scratch);
    }
    c.layer_count = written;
}

// Reopens the scratch table for the output pass and writes the layer records.
bool prepare_output(JwConversion& c) {
    if (!c.layers.reopen()) {
        show_error(c.messages, kJwCannotReopenLayerTable);
        return false;
    }
    write_jw_layer_records(c);
    return true;
}

// Lines, circles, texts, the text area, points: the data file's order. A
// section that the file does not hold whole ends the pass; the counts become
// what was read, so that the output pass reads exactly that.
void run_data_pass(JwConversion& c, JwPass pass, long element_offset, std::int64_t area_length,
                   ElementCounts& counts) {
    bool whole = c.file.seek(element_offset);
    auto section = [&](std::int32_t& count, auto convert) {
        std::int32_t read = whole ? convert(c, pass, count) : 0;
        whole = whole && read == count;
        count = read;
    };
    section(counts.lines, convert_jw_lines);
    section(counts.circles, convert_jw_circles);
    section(counts.texts, convert_jw_texts);
    whole = whole && area_length >= 0 && c.file.seek(c.file.position() + area_length);
    section(counts.points, convert_jw_points);
    if (!whole) c.damaged = true;
}

// Layer states, then the names at the end of the file, into the scratch table.
void build_layer_table(JwConversion& c, const JwLayerStateBlock& states,
                       std::int64_t names_offset) {
    JwNames names;
    if (!read_jw_names(c.file, names_offset, names)) c.damaged = true;
    std::string group_names[kJwGroups];
    for (int g = 0; g < kJwGroups; ++g)
        group_names[g] = jw_group_name(jw_name_text(names.group[g], kJwGroupNameSize), g);
    for (int n = 0; n < kJwLayers; ++n) {
        JwLayerScratchRecord record;
        std::memset(&record, 0, sizeof record);
        auto layer = static_cast<std::uint8_t>(n);
        record.protection = static_cast<std::uint8_t>(jw_layer_protection(states, layer));
        record.display = static_cast<std::uint8_t>(std::min(jw_layer_display(states, layer), 255));
        copy_bounded(record.group_name, group_names[n / 16]);
        copy_bounded(record.layer_name,
                     jw_layer_name(jw_name_text(names.layer[n], kJwLayerNameSize), n));
        c.layers.write(n, record);
    }
}

// S grows to the largest stored scale of the groups in use; the final names.
void settle_scale_and_names(JwConversion& c) {
    bool group_used[kJwGroups] = {};
    for (int n = 0; n < kJwLayers; ++n) {
        JwLayerScratchRecord record;
        if (!c.layers.read(n, record) || record.used != 1) continue;
        group_used[n / 16] = true;
        copy_bounded(record.layer_name,
                     jw_final_layer_name(std::string(fixed_text(record.group_name)),
                                         std::string(fixed_text(record.layer_name)), n));
        c.layers.write(n, record);
    }
    for (int g = 0; g < kJwGroups; ++g) {
        if (group_used[g] && 10 * c.group_scales[g] > c.scale) c.scale = 10 * c.group_scales[g];
    }
    if (c.scale <= kUnroundedScale) c.settings.decimals = kJwUnroundedDecimals;
}

bool convert_data_file(JwConversion& c, bool real_variant, JwPaperSize& paper) {
    JwBlock block;
    read_jw_block(c.file, block);
    JwDataCounts counts = parse_data_counts(block);
    paper = jw_paper_size(counts.paper_code);
    // A paper width of 0 or less would make every coordinate infinite.
    int paper_units = counts.paper_width > 0 ? counts.paper_width : kDefaultPaperWidthUnits;
    c.unit = static_cast<double>(paper.width) / paper_units * 10;
    c.scale = counts.scale;

    read_jw_block(c.file, block);  // block 3
    read_jw_block(c.file, block);  // block 4
    std::int64_t area_length = text_area_length(block);
    JwDataTables tables;
    if (!read_jw_data_tables(c.file, real_variant, tables)) c.damaged = true;
    c.text_kinds = tables.text_kinds;
    for (int g = 0; g < kJwGroups; ++g) c.group_scales[g] = tables.group_scales[g] / 10;

    build_layer_table(c, tables.layer_states, jw_names_offset(real_variant, counts, area_length));

    ElementCounts elements{counts.lines, counts.circles, counts.texts, counts.points};
    long element_offset = jw_element_offset(real_variant);
    run_data_pass(c, JwPass::Scan, element_offset, area_length, elements);
    settle_scale_and_names(c);

    c.clip = true;
    c.clip_x = kClipMargin * paper.width * c.scale;
    c.clip_y = kClipMargin * kPaperAspect * paper.width * c.scale;
    c.factor = c.unit * c.scale / 10;

    if (!prepare_output(c)) return false;
    run_data_pass(c, JwPass::Output, element_offset, area_length, elements);
    return true;
}

// A symbol file has one layer, "JW_ZUKEI", shown and writable, on which all
// of its elements lie whatever their layer byte says.
bool convert_symbol_file(JwConversion& c, JwPaperSize& paper) {
    JwBlock block;
    read_jw_block(c.file, block);
    JwSymbolCounts counts = parse_symbol_counts(block, JwProgram::Viewer);
    paper = kSymbolPaper;
    c.symbol = true;
    c.scale = counts.scale < kMinimumSymbolScale ? kDefaultSymbolScale : counts.scale;
    std::fill(std::begin(c.group_scales), std::end(c.group_scales), c.scale);

    JwLayerScratchRecord record;
    std::memset(&record, 0, sizeof record);
    copy_bounded(record.layer_name, kSymbolLayerName);
    record.used = 1;
    record.display = kShownDisplayState;
    record.protection = kWritableProtection;
    c.layers.write(0, record);
    if (!prepare_output(c)) return false;

    bool whole = c.file.seek(kJwSymbolElementOffset);
    std::int32_t sections[] = {counts.lines, counts.circles, counts.points, counts.texts};
    decltype(&convert_jw_lines) converters[] = {convert_jw_lines, convert_jw_circles,
                                                convert_jw_points, convert_jw_texts};
    for (int i = 0; i < 4 && whole; ++i)
        whole = converters[i](c, JwPass::Output, sections[i]) == sections[i];
    if (!whole) c.damaged = true;
    return true;
}

void fill_header(JwConversion& c, JwPaperSize paper) {
    StoreHeader& h = c.store.header;
    h.kind = kSourceJwCad;
    std::memset(h.reserved_400, 0, sizeof h.reserved_400);
    h.paper_x = paper.width;
    h.paper_y = paper.height;
    h.pe_flag = 0;
    h.pe_max_x = paper.width;
    h.pe_max_y = paper.height;
    h.pe_min_x = h.pe_min_y = 0;
    h.min_x = h.min_y = 0;
    h.max_x = c.scale * paper.width;
    h.max_y = c.scale * paper.height;
    h.scale = c.scale;
    h.lay_num = h.lay_num2 = c.layer_count;
    h.bro_num = h.bro_num2 = 0;
    h.dsp_mode = 0;
}

}  // namespace

int read_jw_drawing(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings) {
    JwConversion c(state, messages, settings);
    if (!c.file.open(source_path)) {
        show_error(messages, kJwCannotOpenSource);
        return -1;
    }
    if (!c.layers.create(state.path(kJwLayerTableFileName))) {
        show_error(messages, kJwCannotCreateLayerTable);
        return -1;
    }
    JwBlock block1;
    read_jw_block(c.file, block1);
    JwFileClass file_class = classify_jw_file(block1);
    if (file_class.kind == JwFileKind::None) {
        show_error(messages, kJwNotJwCadFile);
        return -1;
    }
    JwPaperSize paper;
    bool converted = file_class.kind == JwFileKind::Data
                         ? convert_data_file(c, file_class.real_variant, paper)
                         : convert_symbol_file(c, paper);
    fill_header(c, paper);
    if (c.damaged) show_error(messages, kJwFileCutShort, utf8_to_cp932(source_path).c_str());
    return converted && !c.damaged ? 0 : -1;
}

}  // namespace zov
