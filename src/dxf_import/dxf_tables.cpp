#include "dxf_import/dxf_tables.h"

#include "common/cp932.h"
#include "common/paths.h"

namespace zov {

namespace {

constexpr std::size_t kVerticalStyleNameLength = 25;
constexpr std::size_t kMaxVerticalStyles = 3;

}  // namespace

std::string_view field_text(std::string_view name, std::size_t size) {
    if (name.size() < size) return name;
    return name.substr(0, safe_prefix_length(name, size - 1));
}

bool DxfTables::add_layer(const LayerRecord& record) {
    if (layers_.size() >= static_cast<std::size_t>(kMaxTableRecords)) return false;
    layers_.push_back(record);
    current_layer_ = static_cast<int>(layers_.size());
    layer_numbers_.try_emplace(std::string(fixed_text(record.name)), current_layer_);
    return true;
}

int DxfTables::find_layer(std::string_view name) {
    if (name.empty() || name == "BYBLOCK" || name == "BYLAYER") return 0;
    auto found = layer_numbers_.find(field_text(name, sizeof LayerRecord::name));
    if (found == layer_numbers_.end()) {
        // A scan that finds nothing has read every record: the last stays.
        if (!layers_.empty()) current_layer_ = static_cast<int>(layers_.size());
        return 1;
    }
    current_layer_ = found->second;
    ++layers_[static_cast<std::size_t>(current_layer_ - 1)].use_count;
    return current_layer_;
}

std::int32_t DxfTables::current_layer_colour() const {
    return current_layer_ == 0 ? 0 : layers_[static_cast<std::size_t>(current_layer_ - 1)].colour;
}

std::int32_t DxfTables::current_layer_line_type() const {
    return current_layer_ == 0 ? 0
                               : layers_[static_cast<std::size_t>(current_layer_ - 1)].line_type;
}

bool DxfTables::add_line_type(std::string_view name, int code) {
    if (line_type_codes_.size() >= static_cast<std::size_t>(kMaxTableRecords)) return false;
    line_type_codes_.try_emplace(std::string(field_text(name, sizeof LineTypeRecord::name)), code);
    return true;
}

int DxfTables::find_line_type(std::string_view name) const {
    // Programs write these names in any letter case.
    if (equals_ignore_case(name, "BYBLOCK") || equals_ignore_case(name, "BYLAYER"))
        return kLineByLayer;
    if (equals_ignore_case(name, "CONTINUOUS")) return kLineContinuous;
    auto found =
        line_type_codes_.find(field_text(name, sizeof LineTypeRecord::name));
    return found == line_type_codes_.end() ? kLineContinuous : found->second;
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

bool BlockDirectory::add(std::string_view name) {
    if (count_ >= kMaxTableRecords) return false;
    ++count_;
    numbers_.try_emplace(std::string(field_text(name, sizeof BlockRecord::name)), count_);
    return true;
}

int BlockDirectory::find(std::string_view name) const {
    if (name.empty()) return 0;
    auto found = numbers_.find(field_text(name, sizeof BlockRecord::name));
    return found == numbers_.end() ? 0 : found->second;
}

}  // namespace zov
