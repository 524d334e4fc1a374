#include "store/store_reader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "common/files.h"
#include "common/mapped_copy.h"

namespace zov {

StoreReader::~StoreReader() { close(); }

int StoreReader::open(const std::string& path, bool for_update) {
    close();
    fd_ = ::open(path.c_str(), (for_update ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) return -1;
    for_update_ = for_update;
    if (read_header() != 0) {
        close();
        return -1;
    }
    return 0;
}

void StoreReader::close() {
    unmap_file();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    for_update_ = false;
    header_ = StoreHeader{};
    buffer_length_ = 0;
}

bool StoreReader::map_file() {
    struct stat status;
    if (::fstat(fd_, &status) != 0 || status.st_size < 0 ||
        static_cast<std::uint64_t>(status.st_size) > static_cast<std::uint64_t>(LONG_MAX))
        return false;
    const long size = static_cast<long>(status.st_size);
    if (map_ != nullptr && size == size_) return true;
    unmap_file();
    if (size == 0) return true;
    void* map = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_SHARED, fd_, 0);
    if (map == MAP_FAILED) return false;
    map_ = static_cast<const char*>(map);
    size_ = size;
    return true;
}

void StoreReader::unmap_file() {
    if (map_ != nullptr) ::munmap(const_cast<char*>(map_), static_cast<std::size_t>(size_));
    map_ = nullptr;
    size_ = 0;
}

bool StoreReader::in_file(long offset, long length) const {
    return map_ != nullptr && offset >= 0 && length >= 0 && length <= size_ &&
           offset <= size_ - length;
}

bool StoreReader::read_at(long offset, void* data, std::size_t size) const {
    // A file cut short by another process since it was mapped reads as
    // missing bytes, not as a fault.
    return size != 0 && in_file(offset, static_cast<long>(size)) &&
           copy_from_mapping(data, map_ + offset, size);
}

bool StoreReader::read_buffered(long offset, void* data, std::size_t size) {
    if (!in_file(offset, static_cast<long>(size))) return false;
    const long end = offset + static_cast<long>(size);
    if (offset < buffer_start_ || end > buffer_start_ + buffer_length_) {
        // The file is read, not the mapping: the buffer is all of the entity
        // section a pass keeps in memory. A read that goes on from the end of
        // the last stretch doubles the stretch, up to the buffer's size; one
        // elsewhere starts again with a small one, so that a pass that skips
        // entities (entity_index.h) reads little more than the records it takes.
        const long last_end = buffer_start_ + buffer_length_;
        const bool goes_on = offset >= buffer_start_ && offset < last_end + stretch_;
        stretch_ = goes_on ? std::min(2 * stretch_, kEntityBufferSize) : kFirstStretch;
        const long length = std::min(std::max(stretch_, static_cast<long>(size)), size_ - offset);
        entity_buffer_.resize(static_cast<std::size_t>(length));
        buffer_start_ = offset;
        buffer_length_ = 0;
        long got = 0;
        while (got < length) {
            const ssize_t n = ::pread(fd_, entity_buffer_.data() + got,
                                      static_cast<std::size_t>(length - got), offset + got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += n;
        }
        buffer_length_ = got;
        if (end > buffer_start_ + buffer_length_) return false;
    }
    std::memcpy(data, entity_buffer_.data() + (offset - buffer_start_), size);
    return true;
}

bool StoreReader::write_at(long offset, const void* data, std::size_t size) {
    if (fd_ < 0 || !for_update_ || offset < 0) return false;
    if (!write_all_at(fd_, data, size, offset)) return false;
    buffer_length_ = 0;
    // A write beyond the mapped end grows the file: map it again.
    return offset + static_cast<long>(size) <= size_ || map_file();
}

int StoreReader::read_header() {
    buffer_length_ = 0;
    StoreHeader header;
    if (fd_ < 0 || !map_file() || !read_at(0, &header, sizeof header)) return -1;
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
    if (section < static_cast<std::int32_t>(sizeof(StoreHeader)) || count <= 0 || section >= size_)
        return 0;
    const long whole = (size_ - section) / static_cast<long>(size);
    return whole < count ? static_cast<std::int32_t>(whole) : count;
}

long StoreReader::record_offset(std::int32_t section, std::int32_t count, long index,
                                std::size_t size) const {
    // The test of available() without its division: this runs for every record.
    if (index < 0 || index >= count || section < static_cast<std::int32_t>(sizeof(StoreHeader)) ||
        section >= size_ || (index + 1) * static_cast<long>(size) > size_ - section)
        return -1;
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
int StoreReader::read_record(std::int32_t section, std::int32_t count, long index, Record& record,
                             bool buffered) {
    const long offset = record_offset(section, count, index, sizeof record);
    Record scratch;  // a failed read leaves `record` as it was
    if (offset < 0) return -1;
    if (!(buffered ? read_buffered(offset, &scratch, sizeof scratch)
                   : read_at(offset, &scratch, sizeof scratch)))
        return -1;
    record = scratch;
    return 0;
}

// Entities come here from the header's quick way when not in the stretch read last.
template int StoreReader::read_record(std::int32_t, std::int32_t, long, EntityRecord&, bool);

int StoreReader::read_layer(std::int32_t n, LayerRecord& record) {
    return read_record(header_.add_lay, header_.lay_num, n - 1L, record);
}

int StoreReader::read_block(std::int32_t n, BlockRecord& record) {
    return read_record(header_.add_bro, header_.bro_num, n - 1L, record);
}

int StoreReader::read_line_type(std::int32_t n, LineTypeRecord& record) {
    return read_record(header_.add_lin, header_.line_num, n - 1L, record);
}

int StoreReader::read_block_entity(const BlockRecord& block, std::int32_t i, EntityRecord& record) {
    if (i < 0 || i >= block.count || block.first < 0 || header_.bro_num <= 0) return -1;
    // The BDA section has no count of its own: only the file's end bounds it.
    return read_record(header_.add_bda, INT32_MAX, static_cast<long>(block.first) + i, record);
}

int StoreReader::read_text(const EntityRecord& record, std::string& text) {
    text.clear();
    if (record.text_length < 0 || record.text_offset < 0) return -1;
    if (record.text_length == 0) return 0;
    if (header_.add_str < static_cast<std::int32_t>(sizeof(StoreHeader))) return -1;
    text.resize(static_cast<std::size_t>(record.text_length));
    if (read_at(static_cast<long>(header_.add_str) + record.text_offset, text.data(), text.size()))
        return 0;
    text.clear();
    return -1;
}

int StoreReader::write_layer(std::int32_t n, const LayerRecord& record) {
    const long offset = record_offset(header_.add_lay, header_.lay_num, n - 1L, sizeof record);
    return offset >= 0 && write_at(offset, &record, sizeof record) ? 0 : -1;
}

}  // namespace zov
