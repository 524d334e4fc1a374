#pragma once
// Reading a drawing store data file ($VV_DAT$.TMP, $VV_SUM$.TMP, ZovV_Hlp.dat).
// Sections are found only through the header's offsets. A store may have been
// left half-written, so every read is checked against the file's size: a
// record that does not lie whole inside the file is not read.
//
// The file is mapped read-only and shared, so looking up layers, blocks and
// texts costs the same wherever their records lie; the entity section, read
// in order, comes through a large buffer instead, so that a pass keeps only
// that buffer of it in memory. Writes go to the file itself: every reader of
// the same file in the process sees them at once in its mapping.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace zov {

class StoreReader {
public:
    StoreReader() = default;
    ~StoreReader();
    StoreReader(const StoreReader&) = delete;
    StoreReader& operator=(const StoreReader&) = delete;

    // Opens a store file for reading (or reading and writing with
    // `for_update`) and reads its header. -1, with nothing open, when the
    // file cannot be opened or is shorter than a header; the caller reports
    // it with its own message.
    int open(const std::string& path, bool for_update = false);
    void close();
    bool is_open() const { return fd_ >= 0; }

    // The header as last read or written.
    const StoreHeader& header() const { return header_; }
    // Takes the file's size afresh (mapping it again when the file was
    // rewritten or grew), rereads the header from offset 0 and forgets the
    // buffered entities; call it before each pass. 0 or -1.
    int read_header();
    // Writes `header` at offset 0 (update mode only) and keeps it; 0 or -1.
    int write_header(const StoreHeader& header);

    // Records that actually lie in the file: the header's count, cut to the
    // whole records between the section's offset and the end of the file
    // (0 for an absent section).
    std::int32_t layer_count() const;
    std::int32_t block_count() const;
    std::int32_t line_type_count() const;
    std::int32_t entity_count() const;

    // Whole-record reads; 0, or -1 when the record does not exist (n = 0,
    // absent section, beyond the count or the file), leaving `record` as it was.
    int read_layer(std::int32_t n, LayerRecord& record);         // n: 1-based
    int read_block(std::int32_t n, BlockRecord& record);         // n: 1-based
    int read_line_type(std::int32_t n, LineTypeRecord& record);  // n: 1-based
    // Entity i (0-based, i < block.count) of a block, from the BDA section.
    int read_block_entity(const BlockRecord& block, std::int32_t i, EntityRecord& record);
    // Entity i (0-based, i < ent_num) of the ENT section.
    int read_entity(std::int32_t i, EntityRecord& record) {
        // A pass reads the entities in order: most lie in the stretch read
        // last, which lies in the file, and are copied from it at once.
        const long offset = header_.add_ent + i * static_cast<long>(sizeof record);
        if (i >= 0 && i < header_.ent_num && offset >= buffer_start_ &&
            offset + static_cast<long>(sizeof record) <= buffer_start_ + buffer_length_ &&
            header_.add_ent >= static_cast<std::int32_t>(sizeof(StoreHeader))) {
            std::memcpy(&record, entity_buffer_.data() + (offset - buffer_start_), sizeof record);
            return 0;
        }
        return read_record(header_.add_ent, header_.ent_num, i, record, true);
    }
    // The text_length bytes of a text record from the STR section; -1 and an
    // empty text when they do not lie in the file.
    int read_text(const EntityRecord& record, std::string& text);

    // Rewrites layer n in place (update mode only), as the layer sheet does
    // after toggling a flag; 0 or -1.
    int write_layer(std::int32_t n, const LayerRecord& record);

    // Copies the bytes [offset, offset + size) of the file, for callers that
    // copy whole byte ranges (layer sheet); false when they do not lie in it.
    bool read_at(long offset, void* data, std::size_t size) const;
    long file_size() const { return size_; }

private:
    // Maps the file's current size; false when the size cannot be taken or
    // the mapping fails.
    bool map_file();
    void unmap_file();
    // True when [offset, offset + length) lies in the mapped file.
    bool in_file(long offset, long length) const;
    // A record of the entity section, through the entity buffer.
    bool read_buffered(long offset, void* data, std::size_t size);
    bool write_at(long offset, const void* data, std::size_t size);
    // Offset of record `index` of a section, or -1 when it does not lie whole in the file.
    long record_offset(std::int32_t section, std::int32_t count, long index,
                       std::size_t size) const;
    // `buffered`: through the entity buffer, else from the mapping.
    template <class Record>
    int read_record(std::int32_t section, std::int32_t count, long index, Record& record,
                    bool buffered = false);
    std::int32_t available(std::int32_t section, std::int32_t count, std::size_t size) const;

    int fd_ = -1;
    long size_ = 0;              // bytes of the file, all of them mapped
    const char* map_ = nullptr;  // nullptr for an empty file
    bool for_update_ = false;
    StoreHeader header_;
    // The stretch of the entity section read last: one read per stretch
    // while a pass walks the entities in order.
    static constexpr long kEntityBufferSize = 1 << 20;
    static constexpr long kFirstStretch = 8 << 10;
    std::vector<char> entity_buffer_;
    long buffer_start_ = 0;
    long buffer_length_ = 0;
    long stretch_ = kFirstStretch;  // bytes read for the last stretch
};

}  // namespace zov
