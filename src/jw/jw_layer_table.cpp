#include "jw/jw_layer_table.h"

#include <algorithm>
#include <cfloat>
#include <cstring>

#include "common/cp932.h"

namespace zov {

namespace {

bool seek_record(std::FILE* file, int layer) {
    return file != nullptr && layer >= 0 && layer < kJwLayerTableRecords &&
           std::fseek(file,
                      static_cast<long>(layer) * static_cast<long>(sizeof(JwLayerScratchRecord)),
                      SEEK_SET) == 0;
}

}  // namespace

bool JwLayerTable::create(const std::string& path) {
    close();
    path_ = path;
    file_ = std::fopen(path.c_str(), "w+b");
    if (file_ == nullptr) return false;
    JwLayerScratchRecord zero;
    std::memset(&zero, 0, sizeof zero);
    for (int n = 0; n < kJwLayerTableRecords; ++n) {
        if (std::fwrite(&zero, sizeof zero, 1, file_) != 1) return false;
    }
    return std::fflush(file_) == 0;
}

bool JwLayerTable::reopen() {
    close();
    file_ = std::fopen(path_.c_str(), "r+b");
    return file_ != nullptr;
}

void JwLayerTable::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

bool JwLayerTable::read(int layer, JwLayerScratchRecord& record) {
    if (!seek_record(file_, layer) || std::fread(&record, sizeof record, 1, file_) != 1) {
        std::memset(&record, 0, sizeof record);
        return false;
    }
    return true;
}

bool JwLayerTable::write(int layer, const JwLayerScratchRecord& record) {
    return seek_record(file_, layer) && std::fwrite(&record, sizeof record, 1, file_) == 1;
}

LayerRecord jw_layer_record(std::string_view name, bool hidden, bool locked, int source_layer,
                            std::int32_t written, double scale) {
    constexpr int kLayerColour = 2;
    LayerRecord layer;
    if (hidden) layer.flags = set_bit(layer.flags, kLayerHiddenBit);
    if (locked) layer.flags = set_bit(layer.flags, kLayerLockedBit);
    copy_bounded(layer.line_type_name, kLineTypeNames[0]);
    copy_bounded(layer.name, name);
    layer.source_number = source_layer + 1;
    layer.used_index = written;
    layer.used_number = written + 1;
    layer.use_count = 1;
    layer.colour = kLayerColour;
    layer.line_type = kLineContinuous;
    const auto stored = static_cast<float>(std::clamp(scale, -double{FLT_MAX}, double{FLT_MAX}));
    std::memcpy(&layer.reserved_164, &stored, sizeof stored);
    return layer;
}

}  // namespace zov
