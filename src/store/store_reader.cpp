#include "store/store_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zov {

StoreReader::~StoreReader() {
    close();
}

int StoreReader::open(const std::string& path, bool for_update) {
    close();
    file_ = std::fopen(path.c_str(), for_update ? "r+b" : "rb");
    if (file_ == nullptr) return -1;
    for_update_ = for_update;
    if (std::fseek(file_, 0, SEEK_END) == 0) size_ = std::ftell(file_);
    if (size_ < 0 || read_header() != 0) {
        close();
        return -1;
    }
    return 0;
}

void StoreReader::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    size_ = 0;
    for_update_ = false;
    header_ = StoreHeader{};
    forget_windows();
}

bool StoreReader::read_at(long offset, void* data, std::size_t size) {
    if (file_ == nullptr || offset < 0 || static_cast<long>(size) > size_ ||
        offset > size_ - static_cast<long>(size))
        return false;
    const long end = offset + static_cast<long>(size);
    ++use_clock_;
    Window* chosen = &windows_[0];
    for (Window& window : windows_) {
        if (offset >= window.start && end <= window.start + static_cast<long>(window.bytes.size())) {
            chosen = &window;
            break;
        }
        if (window.last_use < chosen->last_use) chosen = &window;  // least recently used
    }
    Window& window = *chosen;
    if (offset < window.start || end > window.start + static_cast<long>(window.bytes.size())) {
        // Sections are read mostly in file order: keep the next stretch of the file.
        const long length = std::max(kWindowSize, static_cast<long>(size));
        window.bytes.resize(static_cast<std::size_t>(std::min(length, size_ - offset)));
        window.start = offset;
        if (std::fseek(file_, offset, SEEK_SET) != 0 ||
            std::fread(window.bytes.data(), window.bytes.size(), 1, file_) != 1) {
            window.bytes.clear();
            return false;
        }
    }
    window.last_use = use_clock_;
    std::memcpy(data, window.bytes.data() + (offset - window.start), size);
    return true;
}

void StoreReader::forget_windows() {
    for (Window& window : windows_) window.bytes.clear();
}

bool StoreReader::write_at(long offset, const void* data, std::size_t size) {
    if (file_ == nullptr || !for_update_) return false;
    forget_windows();
    if (std::fseek(file_, offset, SEEK_SET) != 0 || std::fwrite(data, size, 1, file_) != 1)
        return false;
    return std::fflush(file_) == 0;
}

int StoreReader::read_header() {
    forget_windows();
    StoreHeader header;
    if (!read_at(0, &header, sizeof header))
        return -1;
    header_ = header;
    return 0;
}

int StoreReader::write_header(const StoreHeader& header) {
    if (!write_at(0, &header, sizeof header)) return -1;
    header_ = header;
    return 0;
}

std::int32_t StoreReader::available(std::int32_t section, std::int32_t count,
                                    std::size_t size) const {
    if (section < static_cast<std::int32_t>(sizeof(StoreHeader)) || count <= 0 ||
        section >= size_)
        return 0;
    const long whole = (size_ - section) / static_cast<long>(size);
    return whole < count ? static_cast<std::int32_t>(whole) : count;
}

long StoreReader::record_offset(std::int32_t section, std::int32_t count, long index,
                                std::size_t size) const {
    if (index < 0 || index >= available(section, count, size)) return -1;
    return section + index * static_cast<long>(size);
}

std::int32_t StoreReader::layer_count() const {
    return available(header_.add_lay, header_.lay_num, sizeof(LayerRecord));
}

std::int32_t StoreReader::block_count() const {
    return available(header_.add_bro, header_.bro_num, sizeof(BlockRecord));
}

std::int32_t StoreReader::line_type_count() const {
    return available(header_.add_lin, header_.line_num, sizeof(LineTypeRecord));
}

std::int32_t StoreReader::entity_count() const {
    return available(header_.add_ent, header_.ent_num, sizeof(EntityRecord));
}

template <class Record>
int StoreReader::read_record(std::int32_t section, std::int32_t count, long index,
                             Record& record) {
    const long offset = record_offset(section, count, index, sizeof record);
    Record scratch;  // a failed read leaves `record` as it was
    if (offset < 0 || !read_at(offset, &scratch, sizeof scratch)) return -1;
    record = scratch;
    return 0;
}

int StoreReader::read_layer(std::int32_t n, LayerRecord& record) {
    return read_record(header_.add_lay, header_.lay_num, n - 1L, record);
}

int StoreReader::read_block(std::int32_t n, BlockRecord& record) {
    return read_record(header_.add_bro, header_.bro_num, n - 1L, record);
}

int StoreReader::read_line_type(std::int32_t n, LineTypeRecord& record) {
    return read_record(header_.add_lin, header_.line_num, n - 1L, record);
}

int StoreReader::read_block_entity(const BlockRecord& block, std::int32_t i,
                                   EntityRecord& record) {
    if (i < 0 || i >= block.count || block.first < 0 || header_.bro_num <= 0) return -1;
    // The BDA section has no count of its own: only the file's end bounds it.
    return read_record(header_.add_bda, INT32_MAX, static_cast<long>(block.first) + i, record);
}

int StoreReader::read_entity(std::int32_t i, EntityRecord& record) {
    return read_record(header_.add_ent, header_.ent_num, i, record);
}

int StoreReader::read_text(const EntityRecord& record, std::string& text) {
    text.clear();
    if (record.text_length < 0 || record.text_offset < 0) return -1;
    if (record.text_length == 0) return 0;
    if (header_.add_str < static_cast<std::int32_t>(sizeof(StoreHeader))) return -1;
    const long offset = static_cast<long>(header_.add_str) + record.text_offset;
    if (offset + record.text_length > size_) return -1;
    std::string bytes(static_cast<std::size_t>(record.text_length), '\0');
    if (!read_at(offset, bytes.data(), bytes.size())) return -1;
    text = std::move(bytes);
    return 0;
}

int StoreReader::write_layer(std::int32_t n, const LayerRecord& record) {
    const long offset = record_offset(header_.add_lay, header_.lay_num, n - 1L, sizeof record);
    return offset >= 0 && write_at(offset, &record, sizeof record) ? 0 : -1;
}

}  // namespace zov
