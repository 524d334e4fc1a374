#pragma once
// The layer, line-type and text-style tables of a DXF import, kept in memory
// so that every lookup costs the same whatever the size of the drawing. The
// results are those of a scan of the section files in file order: the first
// record of a name wins, numbers are 1-based, a found layer counts as used,
// and the current-layer buffer holds the layer record that was read last.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"
#include "store/source_line_types.h"

namespace zov {

class ImportState;

// Names and their numbers, the first number given to a name standing. An
// open-addressing table whose slots hold the hash, the number and a short
// name itself: a drawing names a layer for every entity, thousands of
// layers in no order, and a look-up then costs a probe or two in one cache
// line each instead of a walk through scattered nodes. Longer names are
// compared with the names kept side by side.
class NameIndex {
public:
    // Gives `name` its number unless it has one already.
    void add(std::string_view name, int number);
    // The number of `name`, or `missing`.
    int find(std::string_view name, int missing = 0) const;
    std::size_t size() const { return names_.size(); }

private:
    // The longest name a slot holds itself.
    static constexpr std::size_t kShortName = 19;
    struct alignas(32) Slot {
        std::uint32_t hash = 0;
        std::int32_t entry = -1;  // index into names_; -1 = free
        std::int32_t number = 0;
        std::uint8_t length = 0;  // of a short name
        char text[kShortName] = {};
    };
    static_assert(sizeof(Slot) == 32);
    // The slot holding `name`, or the free slot where it would go.
    std::size_t slot_for(std::string_view name, std::uint32_t hash) const;
    void grow();

    std::vector<Slot> slots_;  // a power of two in size, at most half used
    std::vector<std::string> names_;
};

// Layer and block numbers in entity records are 16-bit, so a table keeps at
// most this many records; later ones are passed over.
inline constexpr int kMaxTableRecords = 32767;

class DxfTables {
public:
    // Adds a layer record; it becomes the current layer. False when the
    // table is full and the record was passed over.
    bool add_layer(const LayerRecord& record);
    // 1-based number of the first layer called `name`, whose use count grows
    // and which becomes the current layer. An empty name, "BYBLOCK" and
    // "BYLAYER" give 0; an unknown name gives 1 and leaves the last layer of
    // the table as the current layer.
    int find_layer(std::string_view name);
    // Colour and line-type code of the current-layer buffer (0 while no layer
    // record has been read).
    std::int32_t current_layer_colour() const;
    std::int32_t current_layer_line_type() const;
    int layer_count() const { return static_cast<int>(layers_.size()); }
    // The layer records in table order, with their use counts.
    std::vector<LayerRecord> layers() const;

    // A copy for a part of the ENTITIES section read on a thread of its own:
    // its use counts start from 0 and its current layer is unknown until the
    // part names one.
    DxfTables part_copy() const;
    // True when the part took the current layer's colour or line type before
    // it named a layer: its records then depend on the part before it.
    bool used_unknown_layer() const { return used_unknown_layer_; }
    // Takes in the use counts and the current layer of a part read after
    // everything this table has seen.
    void add_part(const DxfTables& part);

    // Remembers a line type for find_line_type; false when the table is full.
    bool add_line_type(std::string_view name, int code);
    // "BYBLOCK" and "BYLAYER" give 0, "CONTINUOUS" 1 (in any letter case);
    // otherwise the code of the first line type of that name, and 1 for an
    // unknown name.
    int find_line_type(std::string_view name) const;

    // Keeps a source line type for the full export, numbered from 1 in table
    // order; a name already kept (in any letter case) keeps its first number.
    // False when kMaxSourceLineTypes are numbered and `record` is not kept.
    bool add_source_line_type(const SourceLineTypeRecord& record);
    // The number of the source line type called `name` (as the source wrote
    // it, cut to the record's field); 0 for none.
    int find_source_line_type(std::string_view name) const;
    const std::vector<SourceLineTypeRecord>& source_line_types() const {
        return source_line_types_;
    }

    // Text styles that write vertically: at most three names, cut to 25 bytes.
    void add_vertical_style(std::string_view name);
    // True when the vertical styles are not empty and hold `style`.
    bool is_vertical_style(std::string_view style) const;
    // Styles whose font is a TrueType file; names in any letter case.
    void add_proportional_style(std::string_view name);
    bool is_proportional_style(std::string_view style) const;

private:
    // What entities take from their layer and its use count, beside the
    // records in a table small enough to stay in the cache while thousands
    // of layers are named in no order.
    struct LayerUse {
        std::int32_t colour;
        std::int32_t line_type;
        std::int32_t use_count;
    };

    std::vector<LayerRecord> layers_;
    std::vector<LayerUse> layer_uses_;  // one per record of layers_
    NameIndex layer_numbers_;           // name -> 1-based number
    int current_layer_ = 0;             // 1-based; 0 = the cleared buffer
    // The name find_layer found last and its number (a name keeps its number).
    std::string last_found_layer_;
    int last_found_number_ = 0;
    mutable bool used_unknown_layer_ = false;
    NameIndex line_type_codes_;
    std::vector<SourceLineTypeRecord> source_line_types_;
    NameIndex source_line_type_numbers_;
    std::vector<std::string> vertical_styles_;
    std::vector<std::string> proportional_styles_;
};

// Blocks by name: the 1-based number of the first block record of a name.
class BlockDirectory {
public:
    // Numbers the next block record; false when the table is full, and the
    // name is then remembered as one beyond the store's block numbers.
    bool add(std::string_view name);
    // 0 for an empty or unknown name.
    int find(std::string_view name) const;
    int count() const { return count_; }
    // True for a block passed over because the table was full (and no
    // numbered block has its name).
    bool beyond_store(std::string_view name) const;

private:
    NameIndex numbers_;
    NameIndex passed_over_;
    int count_ = 0;
};

// The text of a name as a fixed record field of `size` bytes keeps it: cut
// without splitting a double-byte character. Lookups compare names this way.
std::string_view field_text(std::string_view name, std::size_t size);

}  // namespace zov
