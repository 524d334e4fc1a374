#include "jw/jw_tables.h"

#include <cmath>
#include <cstring>

namespace zov {

namespace {

bool read_group_scales(JwFile& file, bool real_variant, double (&scales)[kJwGroups]) {
    if (real_variant) {
        float stored[kJwGroups];
        bool ok = file.read(stored, sizeof stored);
        for (int g = 0; g < kJwGroups; ++g) scales[g] = std::isfinite(stored[g]) ? stored[g] : 0.0;
        return ok;
    }
    std::int16_t stored[kJwGroups];
    bool ok = file.read(stored, sizeof stored);
    for (int g = 0; g < kJwGroups; ++g) scales[g] = stored[g];
    return ok;
}

constexpr std::size_t kUninterpretedAfterStates = 16;

}  // namespace

bool read_jw_data_tables(JwFile& file, bool real_variant, JwDataTables& tables) {
    tables = JwDataTables{};
    if (!file.seek(kJwTextKindTableOffset)) return false;
    bool ok = file.read(&tables.text_kinds, sizeof tables.text_kinds);
    ok = ok && read_group_scales(file, real_variant, tables.group_scales);
    ok = ok && file.read(&tables.layer_states, sizeof tables.layer_states);
    char skipped[kUninterpretedAfterStates];
    return ok && file.read(skipped, sizeof skipped);
}

int jw_layer_protection(const JwLayerStateBlock& states, std::uint8_t layer) {
    return states.group_protection[layer / 16] | states.layer_protection[layer];
}

int jw_layer_display(const JwLayerStateBlock& states, std::uint8_t layer) {
    return states.group_display[layer / 16] + states.layer_display[layer];
}

std::int64_t jw_names_offset(bool real_variant, const JwDataCounts& counts,
                             std::int64_t text_area_length) {
    return jw_element_offset(real_variant) +
           std::int64_t{counts.lines} * static_cast<std::int64_t>(sizeof(JwLineRecord)) +
           std::int64_t{counts.circles} * static_cast<std::int64_t>(sizeof(JwCircleRecord)) +
           std::int64_t{counts.texts} * static_cast<std::int64_t>(sizeof(JwTextRecord)) +
           text_area_length +
           std::int64_t{counts.points} * static_cast<std::int64_t>(sizeof(JwPointRecord));
}

bool read_jw_names(JwFile& file, std::int64_t offset, JwNames& names) {
    std::memset(&names, 0, sizeof names);
    return file.seek(offset) && file.read(&names, sizeof names);
}

std::string_view jw_name_text(const char* field, std::size_t size) {
    const void* nul = std::memchr(field, '\0', size);
    return std::string_view(
        field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size);
}

int jw_text_kind(std::uint8_t stored_kind, JwProgram program) {
    if (stored_kind == 0) return program == JwProgram::Converter ? 4 : 0;
    if (stored_kind >= 1 && stored_kind <= 10) return stored_kind;
    return (stored_kind - 1) % 9 + 1;
}

}  // namespace zov
