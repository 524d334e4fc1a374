// A JW_CAD for Windows drawing or symbol into the open section files: the
// scan pass, the layer and block records, the output pass and the header.
#include "jw/jww_import.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "jw/jw_import.h"
#include "jw/jw_layer_table.h"
#include "jw/jw_messages.h"
#include "jw/jw_names.h"
#include "jw/jww_pens.h"
#include "jw/jww_scan.h"
#include "store/import_state.h"

namespace zov {

namespace {

constexpr char kSymbolLayerName[] = "JW_ZUKEI";
constexpr JwPaperSize kSymbolPaper{420, 297};
constexpr double kDefaultSymbolScale = 100;
constexpr double kSmallestScale = 0.001;
constexpr double kLargestScale = 1e6;
constexpr double kUnroundedScale = 10;
// Layer and group names are cut to the store's layer-name length anyway.
constexpr std::size_t kNameField = 31;
constexpr std::size_t kMaxNotes = 100;
constexpr std::size_t kSignatureLength = 8;

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != nullptr) std::fclose(file);
    }
};

bool valid_scale(double s) { return s >= kSmallestScale && s <= kLargestScale; }

// S: the largest scale of the groups in use. A drawing without entities
// takes its current group's; a symbol without one the DOS symbols' default.
double drawing_scale(const JwwScan& scan) {
    const JwwHeader& h = scan.header;
    double s = 0;
    for (int slot = 0; slot < kJwwLayerSlots; ++slot) {
        const double group_scale =
            h.groups[static_cast<std::size_t>(slot / kJwwLayersPerGroup)].scale;
        if (scan.used_layers[static_cast<std::size_t>(slot)] && valid_scale(group_scale) &&
            group_scale > s)
            s = group_scale;
    }
    if (s > 0) return s;
    if (h.kind == JwwFileKind::Symbol) return kDefaultSymbolScale;
    const double current = h.groups[h.write_group % kJwwGroups].scale;
    return valid_scale(current) ? current : 1;
}

// The layer records of the used layers, numbered in layer order; the
// context learns the store number of each used slot. A symbol has one layer
// that every entity lies on.
std::int32_t write_layer_records(ImportState& state, const JwwScan& scan, JwwRecordContext& c) {
    const JwwHeader& h = scan.header;
    if (h.kind == JwwFileKind::Symbol) {
        if (append_layer(state, jw_layer_record(kSymbolLayerName, false, false, 0, 0, c.scale)) !=
            0)
            return 0;
        c.layers.fill(1);
        return 1;
    }
    std::int32_t written = 0;
    for (int slot = 0; slot < kJwwLayerSlots; ++slot) {
        if (!scan.used_layers[static_cast<std::size_t>(slot)]) continue;
        const JwwLayerGroup& group = h.groups[static_cast<std::size_t>(slot / kJwwLayersPerGroup)];
        const auto layer = static_cast<std::size_t>(slot % kJwwLayersPerGroup);
        const std::string name =
            jw_final_layer_name(jw_group_name(group.name, slot / kJwwLayersPerGroup, kNameField),
                                jw_layer_name(group.layer_names[layer], slot, kNameField), slot);
        const bool hidden = group.state == kJwwHidden || group.layer_state[layer] == kJwwHidden;
        const bool locked =
            group.state == kJwwDisplayOnly || group.layer_state[layer] == kJwwDisplayOnly ||
            group.protection != kJwwUnprotected || group.layer_protection[layer] != kJwwUnprotected;
        if (append_layer(state, jw_layer_record(name, hidden, locked, slot, written, c.scale)) != 0)
            break;
        c.layers[static_cast<std::size_t>(slot)] = static_cast<std::int16_t>(++written);
    }
    return written;
}

// One block record per definition, its contents' stretch laid out by the scan.
int write_block_records(ImportState& state, const JwwScan& scan) {
    if (scan.blocks.empty()) return 0;
    if (create_section_file(state, kBlockFileName, state.blocks) != 0) return -1;
    for (const JwwBlockPlan& plan : scan.blocks) {
        BlockRecord block;
        block.used_index = -1;
        if (!is_special_block_name(plan.name)) {
            block.used_index = state.header.bro_num2++;
            block.used_number = block.used_index + 1;
        }
        block.use_count = plan.referred ? 1 : 0;
        copy_bounded(block.name, plan.name);
        block.first = plan.first;
        block.count = plan.count;
        block.last = plan.count > 0 ? plan.first + plan.count - 1 : plan.first;
        if (append_block(state, block) != 0) return -1;
        ++state.header.bro_num;
    }
    return 0;
}

// Writes the records of the output pass: the drawing's to the entity
// section, each definition's to its stretch of the block data, in the
// order the scan counted them.
class OutputSink : public JwwRecordSink {
public:
    OutputSink(ImportState& state, const JwwScan& scan, std::FILE* block_data)
        : state_(state), scan_(scan), block_data_(block_data), written_(scan.blocks.size()) {}

    void put(EntityRecord& record, std::string_view text) override {
        if (open_.empty()) {
            if (record.kind == kEntityText) add_text(record, text);
            if (append_entity(state_, record) == 0) ++state_.header.ent_num;
            return;
        }
        if (open_.back() < 0) return;
        const auto block = static_cast<std::size_t>(open_.back());
        const JwwBlockPlan& plan = scan_.blocks[block];
        if (written_[block] >= plan.count) return;
        if (record.kind == kEntityText) add_text(record, text);
        write_block_record(plan.first + written_[block]++, record);
    }

    // Block data of a file that changed between the passes may fall short:
    // the missing records stay zero, so that no block reaches into the next
    // section.
    void fill_block_data() {
        if (scan_.blocks.empty()) return;
        const JwwBlockPlan& last = scan_.blocks.back();
        const EntityRecord empty{};
        for (std::int64_t i = std::max<std::int64_t>(next_, 0);
             i < std::int64_t{last.first} + last.count; ++i)
            write_block_record(i, empty);
    }

    std::vector<int> open_;  // indices into the scan's blocks, -1 for one left out

private:
    void add_text(EntityRecord& record, std::string_view text) {
        const auto length = static_cast<std::int32_t>(text.size());
        const std::int32_t offset = append_text(state_, text.data(), length);
        record.text_offset = offset < 0 ? state_.string_length : offset;
        record.text_length = static_cast<std::int16_t>(offset < 0 ? 0 : length);
        if (record.text_length > 0) ++state_.header.str_num;
    }

    void write_block_record(std::int64_t index, const EntityRecord& record) {
        if (block_data_ == nullptr) return;
        if (index != next_) {
            const std::int64_t offset = index * static_cast<std::int64_t>(sizeof record);
            if (std::fseek(block_data_, static_cast<long>(offset), SEEK_SET) != 0) return;
            next_ = index;
        }
        if (std::fwrite(&record, sizeof record, 1, block_data_) == 1) {
            ++next_;
        } else {
            next_ = -1;  // where the stream stands is unknown
        }
    }

    ImportState& state_;
    const JwwScan& scan_;
    std::FILE* block_data_;
    std::vector<std::int32_t> written_;
    std::int64_t next_ = 0;  // the record the stream stands at
};

class OutputVisitor : public JwwRecordVisitor {
public:
    OutputVisitor(ImportState& state, const JwwScan& scan, JwwRecordContext& context,
                  OutputSink& sink)
        : JwwRecordVisitor(context, sink), state_(state), scan_(scan), open_(sink.open_) {}

    // The k-th definition met is the scan's k-th.
    void begin_block(const JwwBlockDefinition&) override {
        open_.push_back(definitions_ < scan_.blocks.size() ? static_cast<int>(definitions_) : -1);
        ++definitions_;
    }
    void end_block() override {
        if (!open_.empty()) open_.pop_back();
    }
    void image(const JwwImage& image) override {
        note(format_text("embedded image %s (%u bytes) shown as the frame of its image text",
                         image.name.c_str(), image.size));
    }

    void note(std::string text) {
        if (state_.notes.size() < kMaxNotes) state_.notes.push_back(std::move(text));
    }

private:
    ImportState& state_;
    const JwwScan& scan_;
    std::vector<int>& open_;
    std::size_t definitions_ = 0;
};

void fill_header(ImportState& state, const JwwScan& scan, double scale, std::int32_t layers) {
    const JwwHeader& h = scan.header;
    const bool symbol = h.kind == JwwFileKind::Symbol;
    const JwPaperSize paper = symbol ? kSymbolPaper : jww_paper_size(h.paper);
    StoreHeader& s = state.header;
    s.kind = kSourceJwCad;
    s.paper_x = paper.width;
    s.paper_y = paper.height;
    s.pe_max_x = paper.width;
    s.pe_max_y = paper.height;
    s.pe_min_x = s.pe_min_y = 0;
    // A drawing's coordinates have their origin at the centre of the paper;
    // a symbol's extents are the box of its contents, when it states one.
    s.min_x = -scale * paper.width / 2;
    s.min_y = -scale * paper.height / 2;
    s.max_x = scale * paper.width / 2;
    s.max_y = scale * paper.height / 2;
    if (symbol) {
        const bool stated =
            h.bounds_left < h.bounds_right && h.bounds_bottom < h.bounds_top &&
            std::abs(h.bounds_left) < kLargestScale && std::abs(h.bounds_right) < kLargestScale &&
            std::abs(h.bounds_bottom) < kLargestScale && std::abs(h.bounds_top) < kLargestScale;
        s.min_x = stated ? h.bounds_left * scale : kEmptyBoxMinimum;
        s.min_y = stated ? h.bounds_bottom * scale : kEmptyBoxMinimum;
        s.max_x = stated ? h.bounds_right * scale : kEmptyBoxMaximum;
        s.max_y = stated ? h.bounds_top * scale : kEmptyBoxMaximum;
    }
    s.scale = scale;
    s.lay_num = s.lay_num2 = layers;
    s.dsp_mode = 0;
}

// Reports how the reading ended; true when the file was read whole.
bool report_reading(const JwwReadResult& result, const std::string& path, Messages& messages) {
    const std::string name = utf8_to_cp932(path);
    switch (result.status) {
        case JwwReadStatus::Whole: return true;
        case JwwReadStatus::CannotOpen: show_error(messages, kJwCannotOpenSource); return false;
        case JwwReadStatus::NotJww: show_error(messages, kJwNotJwCadFile); return false;
        case JwwReadStatus::CutShort:
            show_error(messages, kJwFileCutShort, name.c_str());
            return false;
        case JwwReadStatus::Damaged:
            show_error(messages, kJwFileDamaged, name.c_str(),
                       static_cast<long long>(result.offset));
            return false;
    }
    return false;
}

int read_jww_drawing(const std::string& source_path, ImportState& state, Messages& messages,
                     JwImportSettings& settings) {
    const JwwScan scan = scan_jww_file(source_path);
    if (scan.result.status == JwwReadStatus::CannotOpen ||
        scan.result.status == JwwReadStatus::NotJww)
        return report_reading(scan.result, source_path, messages) ? 0 : -1;

    JwwRecordContext context;
    context.header = &scan.header;
    context.scale = drawing_scale(scan);
    if (context.scale <= kUnroundedScale) settings.decimals = kJwUnroundedDecimals;
    context.decimals = settings.decimals;
    context.blocks = &scan.block_numbers;
    const std::int32_t layers = write_layer_records(state, scan, context);

    std::unique_ptr<std::FILE, FileCloser> block_data;
    if (!scan.blocks.empty()) {
        std::FILE* file = nullptr;
        create_section_file(state, kBlockDataFileName, file);
        block_data.reset(file);
    }
    write_block_records(state, scan);

    OutputSink sink(state, scan, block_data.get());
    OutputVisitor visitor(state, scan, context, sink);
    const JwwReadResult result = read_jww_file(source_path, visitor, state.progress);
    sink.fill_block_data();
    block_data.reset();
    fill_header(state, scan, context.scale, layers);

    if (context.out_of_range > 0)
        visitor.note(format_text("%lld entities with numbers beyond any paper left out",
                                 static_cast<long long>(context.out_of_range)));
    LossReport beyond_blocks;
    beyond_blocks.count("block definition", static_cast<std::size_t>(scan.blocks_left_out));
    beyond_blocks.count("block insert", static_cast<std::size_t>(context.inserts_beyond_blocks));
    const std::string hint = format_text(
        "the drawing has more than %zu blocks, the most the store holds", kJwwMaxStoreBlocks);
    for (const std::string& line : beyond_blocks.lines(hint)) visitor.note(line);
    show_losses(messages, beyond_blocks, hint);
    if (import_stop_requested(state)) return -1;  // stopped: not a file cut short
    return report_reading(result, source_path, messages) ? 0 : -1;
}

}  // namespace

int import_jww_file(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings) {
    return import_jw_store(source_path, state, messages, settings, read_jww_drawing);
}

int import_jw_cad_file(const std::string& source_path, ImportState& state, Messages& messages,
                       JwImportSettings& settings) {
    char start[kSignatureLength] = {};
    std::ifstream file(source_path, std::ios::binary);
    file.read(start, sizeof start);
    const std::string_view read(start, static_cast<std::size_t>(file.gcount()));
    return jww_file_kind(read) ? import_jww_file(source_path, state, messages, settings)
                               : import_jwc_file(source_path, state, messages, settings);
}

}  // namespace zov
