#include "dxf_import/dxf_tables.h"

#include <algorithm>
#include <cstring>

#include "common/cp932.h"
#include "common/paths.h"

namespace zov {

namespace {

constexpr std::size_t kVerticalStyleNameLength = 25;
constexpr std::size_t kMaxVerticalStyles = 3;

// FNV-1a: names are short, and every byte counts.
std::uint32_t name_hash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

}  // namespace

std::size_t NameIndex::slot_for(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    const bool short_name = name.size() <= kShortName;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.entry < 0) return i;
        if (slot.hash != hash) continue;
        if (short_name ? slot.length == name.size() &&
                             std::memcmp(slot.text, name.data(), name.size()) == 0
                       : names_[static_cast<std::size_t>(slot.entry)] == name)
            return i;
    }
}

void NameIndex::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.entry < 0) continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].entry >= 0) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void NameIndex::add(std::string_view name, int number) {
    if ((names_.size() + 1) * 2 > slots_.size()) grow();
    const std::uint32_t hash = name_hash(name);
    Slot& slot = slots_[slot_for(name, hash)];
    if (slot.entry >= 0) return;
    slot.hash = hash;
    slot.entry = static_cast<std::int32_t>(names_.size());
    slot.number = number;
    // A long name is told by its length alone from every short one.
    slot.length = static_cast<std::uint8_t>(std::min(name.size(), kShortName + 1));
    if (name.size() <= kShortName) std::memcpy(slot.text, name.data(), name.size());
    names_.emplace_back(name);
}

int NameIndex::find(std::string_view name, int missing) const {
    if (slots_.empty()) return missing;
    const Slot& slot = slots_[slot_for(name, name_hash(name))];
    return slot.entry < 0 ? missing : slot.number;
}

std::string_view field_text(std::string_view name, std::size_t size) {
    if (name.size() < size) return name;
    return name.substr(0, safe_prefix_length(name, size - 1));
}

bool DxfTables::add_layer(const LayerRecord& record) {
    if (layers_.size() >= static_cast<std::size_t>(kMaxTableRecords)) return false;
    layers_.push_back(record);
    layer_uses_.push_back({record.colour, record.line_type, record.use_count});
    current_layer_ = static_cast<int>(layers_.size());
    layer_numbers_.add(fixed_text(record.name), current_layer_);
    return true;
}

int DxfTables::find_layer(std::string_view name) {
    if (name.empty() || name == "BYBLOCK" || name == "BYLAYER") return 0;
    const std::string_view field = field_text(name, sizeof LayerRecord::name);
    // Drawings often name one layer for many entities in a row.
    const bool repeated = last_found_number_ != 0 && field == last_found_layer_;
    const int found = repeated ? last_found_number_ : layer_numbers_.find(field);
    if (found == 0) {
        // A scan that finds nothing has read every record: the last stays.
        if (!layers_.empty()) current_layer_ = static_cast<int>(layers_.size());
        return 1;
    }
    if (!repeated) {
        last_found_layer_.assign(field);
        last_found_number_ = found;
    }
    current_layer_ = found;
    ++layer_uses_[static_cast<std::size_t>(current_layer_ - 1)].use_count;
    return current_layer_;
}

namespace {

// The current layer of a part copy before the part names a layer.
constexpr int kUnknownLayer = -1;

}  // namespace

std::int32_t DxfTables::current_layer_colour() const {
    if (current_layer_ == kUnknownLayer) used_unknown_layer_ = true;
    return current_layer_ <= 0 ? 0
                               : layer_uses_[static_cast<std::size_t>(current_layer_ - 1)].colour;
}

std::int32_t DxfTables::current_layer_line_type() const {
    if (current_layer_ == kUnknownLayer) used_unknown_layer_ = true;
    return current_layer_ <= 0
               ? 0
               : layer_uses_[static_cast<std::size_t>(current_layer_ - 1)].line_type;
}

DxfTables DxfTables::part_copy() const {
    DxfTables copy = *this;
    for (LayerUse& use : copy.layer_uses_) use.use_count = 0;
    copy.current_layer_ = kUnknownLayer;
    copy.used_unknown_layer_ = false;
    return copy;
}

void DxfTables::add_part(const DxfTables& part) {
    for (std::size_t i = 0; i < layer_uses_.size() && i < part.layer_uses_.size(); ++i)
        layer_uses_[i].use_count += part.layer_uses_[i].use_count;
    if (part.current_layer_ != kUnknownLayer) current_layer_ = part.current_layer_;
}

std::vector<LayerRecord> DxfTables::layers() const {
    std::vector<LayerRecord> records = layers_;
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].use_count = layer_uses_[i].use_count;
    return records;
}

bool DxfTables::add_line_type(std::string_view name, int code) {
    if (line_type_codes_.size() >= static_cast<std::size_t>(kMaxTableRecords)) return false;
    line_type_codes_.add(field_text(name, sizeof LineTypeRecord::name), code);
    return true;
}

int DxfTables::find_line_type(std::string_view name) const {
    // Programs write these names in any letter case.
    if (equals_ignore_case(name, "BYBLOCK") || equals_ignore_case(name, "BYLAYER"))
        return kLineByLayer;
    if (equals_ignore_case(name, "CONTINUOUS")) return kLineContinuous;
    return line_type_codes_.find(field_text(name, sizeof LineTypeRecord::name), kLineContinuous);
}

bool DxfTables::add_source_line_type(const SourceLineTypeRecord& record) {
    for (const SourceLineTypeRecord& kept : source_line_types_)
        if (equals_ignore_case(kept.name, record.name)) return true;
    if (source_line_types_.size() >= static_cast<std::size_t>(kMaxSourceLineTypes)) return false;
    source_line_types_.push_back(record);
    source_line_type_numbers_.add(record.name, static_cast<int>(source_line_types_.size()));
    return true;
}

int DxfTables::find_source_line_type(std::string_view name) const {
    return source_line_type_numbers_.find(field_text(name, sizeof SourceLineTypeRecord::name));
}

void DxfTables::add_vertical_style(std::string_view name) {
    if (vertical_styles_.size() >= kMaxVerticalStyles) return;
    vertical_styles_.emplace_back(field_text(name, kVerticalStyleNameLength + 1));
}

bool DxfTables::is_vertical_style(std::string_view style) const {
    if (vertical_styles_.empty()) return false;
    std::string_view cut = field_text(style, kVerticalStyleNameLength + 1);
    for (const std::string& name : vertical_styles_) {
        if (name == cut) return true;
    }
    return false;
}

void DxfTables::add_proportional_style(std::string_view name) {
    if (proportional_styles_.size() < static_cast<std::size_t>(kMaxTableRecords))
        proportional_styles_.emplace_back(name);
}

bool DxfTables::is_proportional_style(std::string_view style) const {
    return std::any_of(proportional_styles_.begin(), proportional_styles_.end(),
                       [&](const std::string& name) { return equals_ignore_case(name, style); });
}

bool BlockDirectory::add(std::string_view name) {
    if (count_ >= kMaxTableRecords) {
        passed_over_.add(field_text(name, sizeof BlockRecord::name), 1);
        return false;
    }
    ++count_;
    numbers_.add(field_text(name, sizeof BlockRecord::name), count_);
    return true;
}

int BlockDirectory::find(std::string_view name) const {
    if (name.empty()) return 0;
    return numbers_.find(field_text(name, sizeof BlockRecord::name));
}

bool BlockDirectory::beyond_store(std::string_view name) const {
    const std::string_view field = field_text(name, sizeof BlockRecord::name);
    return !name.empty() && numbers_.find(field) == 0 && passed_over_.find(field) != 0;
}

}  // namespace zov
