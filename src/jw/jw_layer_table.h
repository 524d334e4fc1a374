#pragma once
// The scratch layer table JW_LAY.TMP that carries the JW_CAD layers between
// the passes of an import: 544 records of 176 bytes, record n for JW_CAD
// layer n (0-255); records 256-543 are only written as zeros. It lives on
// disk: every lookup seeks to its record and reads it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "store/records.h"

namespace zov {

// The store record of the JW_CAD layer `source_layer` (0-255) that is the
// `written`-th layer in use (0-based): its final name, hidden and locked as
// the file says, continuous in the drawing colour, and the drawing's scale
// S in the reserved word at offset 164 as a 4-byte real.
LayerRecord jw_layer_record(std::string_view name, bool hidden, bool locked, int source_layer,
                            std::int32_t written, double scale);

#pragma pack(push, 1)
struct JwLayerScratchRecord {
    char group_name[37];
    char layer_name[129];     // the final store layer name after naming
    std::uint8_t used;        // 1 when an element lies on the layer
    std::uint8_t display;     // group byte + layer byte
    std::uint8_t protection;  // group byte OR layer byte
    std::uint8_t zero[3];
    std::int32_t store_layer;  // 1-based position in the LAY section, 0 while none
};
#pragma pack(pop)

static_assert(sizeof(JwLayerScratchRecord) == 176);
static_assert(offsetof(JwLayerScratchRecord, layer_name) == 37);
static_assert(offsetof(JwLayerScratchRecord, used) == 166);
static_assert(offsetof(JwLayerScratchRecord, display) == 167);
static_assert(offsetof(JwLayerScratchRecord, protection) == 168);
static_assert(offsetof(JwLayerScratchRecord, store_layer) == 172);

constexpr char kJwLayerTableFileName[] = "JW_LAY.TMP";
constexpr int kJwLayerTableRecords = 544;

class JwLayerTable {
public:
    JwLayerTable() = default;
    ~JwLayerTable() { close(); }
    JwLayerTable(const JwLayerTable&) = delete;
    JwLayerTable& operator=(const JwLayerTable&) = delete;

    // Creates the table ("w+b") with 544 zero records; false when it cannot.
    bool create(const std::string& path);
    // Closes and opens the table again for update ("r+b"); false when it cannot.
    bool reopen();
    void close();

    // Record `layer` (0-255); false when it cannot be read or written.
    bool read(int layer, JwLayerScratchRecord& record);
    bool write(int layer, const JwLayerScratchRecord& record);

private:
    std::string path_;
    std::FILE* file_ = nullptr;
};

}  // namespace zov
