#include "store/import_state.h"

#include <algorithm>
#include <vector>

#include "common/cp932.h"

namespace zov {

bool is_special_block_name(std::string_view name) {
    if (name.empty() || name.front() == '*') return true;
    auto is_marker_name = [](std::string_view text) {
        return text == "DOT" || text == "DOTT" || text == "ORIGIN" || text == "OPEN";
    };
    return is_marker_name(name) || is_marker_name(name.substr(1));
}

namespace {

// Walks every record of a section file in order, lets `number` change it and
// writes it back in place, a stretch of records at a time; the stream ends
// at the end of the file, ready for appends.
template <class Record, class Number>
void renumber_section(std::FILE* file, Number number) {
    if (file == nullptr) return;
    const long count = section_record_count(file, sizeof(Record));
    std::vector<Record> stretch(static_cast<std::size_t>(std::min(count, 256L)));
    for (long first = 0; first < count;) {
        const std::size_t n = std::min(stretch.size(), static_cast<std::size_t>(count - first));
        const long offset = first * static_cast<long>(sizeof(Record));
        if (std::fseek(file, offset, SEEK_SET) != 0 ||
            std::fread(stretch.data(), sizeof(Record), n, file) != n)
            break;
        for (std::size_t i = 0; i < n; ++i) number(stretch[i]);
        if (std::fseek(file, offset, SEEK_SET) != 0 ||
            std::fwrite(stretch.data(), sizeof(Record), n, file) != n)
            break;
        first += static_cast<long>(n);
    }
    std::fseek(file, 0, SEEK_END);
}

}  // namespace

void number_used_layers_and_blocks(ImportState& state) {
    std::int32_t ordinary = 0;
    renumber_section<BlockRecord>(state.blocks, [&](BlockRecord& block) {
        block.used_index = -1;
        if (is_special_block_name(fixed_text(block.name))) return;
        block.used_index = ordinary;
        ++state.header.bro_num2;
        ++ordinary;
        block.used_number = ordinary;
    });

    std::int32_t used = 0;
    renumber_section<LayerRecord>(state.layers, [&](LayerRecord& layer) {
        layer.used_index = -1;
        if (layer.use_count == 0) return;
        layer.used_index = used;
        ++state.header.lay_num2;
        ++used;
        layer.used_number = used;
    });
}

}  // namespace zov
