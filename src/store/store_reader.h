#pragma once
// Reading a drawing store data file ($VV_DAT$.TMP, $VV_SUM$.TMP, ZovV_Hlp.dat).
// Sections are found only through the header's offsets. A store may have been
// left half-written, so every read is checked against the file's size: a
// record that does not lie whole inside the file is not read.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "store/records.h"

namespace zov {

class StoreReader {
public:
    StoreReader() = default;
    ~StoreReader();
    StoreReader(const StoreReader&) = delete;
    StoreReader& operator=(const StoreReader&) = delete;

    // Opens a store file ("rb", or "r+b" with `for_update`) and reads its
    // header. -1, with nothing open, when the file cannot be opened or is
    // shorter than a header; the caller reports it with its own message.
    int open(const std::string& path, bool for_update = false);
    void close();
    bool is_open() const { return file_ != nullptr; }

    // The header as last read or written.
    const StoreHeader& header() const { return header_; }
    // Rereads the header from offset 0 and forgets the bytes kept from earlier
    // reads (call it after the file was changed through another stream); 0 or -1.
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
    int read_layer(std::int32_t n, LayerRecord& record);  // n: 1-based
    int read_block(std::int32_t n, BlockRecord& record);  // n: 1-based
    int read_line_type(std::int32_t n, LineTypeRecord& record);  // n: 1-based
    // Entity i (0-based, i < block.count) of a block, from the BDA section.
    int read_block_entity(const BlockRecord& block, std::int32_t i, EntityRecord& record);
    // Entity i (0-based, i < ent_num) of the ENT section.
    int read_entity(std::int32_t i, EntityRecord& record);
    // The text_length bytes of a text record from the STR section; -1 and an
    // empty text when they do not lie in the file.
    int read_text(const EntityRecord& record, std::string& text);

    // Rewrites layer n in place (update mode only), as the layer sheet does
    // after toggling a flag; 0 or -1.
    int write_layer(std::int32_t n, const LayerRecord& record);

    // The open stream, for callers that copy whole byte ranges (layer sheet).
    // Reads keep a stretch of the file in memory: after writing through this
    // stream, call read_header().
    std::FILE* stream() const { return file_; }
    long file_size() const { return size_; }

private:
    bool read_at(long offset, void* data, std::size_t size);
    bool write_at(long offset, const void* data, std::size_t size);
    // Offset of record `index` of a section, or -1 when it does not lie whole in the file.
    long record_offset(std::int32_t section, std::int32_t count, long index,
                       std::size_t size) const;
    template <class Record>
    int read_record(std::int32_t section, std::int32_t count, long index, Record& record);
    std::int32_t available(std::int32_t section, std::int32_t count, std::size_t size) const;

    std::FILE* file_ = nullptr;
    long size_ = 0;
    bool for_update_ = false;
    StoreHeader header_;
    // Stretches of the file kept from earlier reads, so that reading the
    // entities in order between layer, block and text look-ups costs no seeks.
    struct Window {
        long start = 0;
        std::vector<char> bytes;
        unsigned long last_use = 0;
    };
    static constexpr long kWindowSize = 16 * 1024;
    void forget_windows();
    Window windows_[4];
    unsigned long use_clock_ = 0;
};

}  // namespace zov
