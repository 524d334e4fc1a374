#pragma once
// The state of one JW_CAD import and the element converters that the data
// file and the symbol file conversions share. Each converter reads `count`
// records of its kind from the record stream; in the scan pass it only marks
// the layers in use, in the output pass it writes EntityRecords.
#include <cstdint>

#include "common/truncated_angles.h"
#include "jw/jw_file.h"
#include "jw/jw_layer_table.h"
#include "jw/jw_rounding.h"
#include "jw/jw_tables.h"

namespace zov {

class ImportState;
class Messages;
struct EntityRecord;

enum class JwPass { Scan, Output };

struct JwConversion {
    JwConversion(ImportState& store_, Messages& messages_, JwImportSettings& settings_)
        : store(store_), messages(messages_), settings(settings_) {}

    ImportState& store;
    Messages& messages;
    JwImportSettings& settings;

    JwFile file;
    JwLayerTable layers;
    bool symbol = false;  // a symbol file: one layer, no clipping

    double unit = 1;    // u: file units to millimetres x 10
    double scale = 0;   // S: the drawing's scale denominator
    double factor = 1;  // f: file coordinates to drawing coordinates
    bool clip = false;  // data files: lines and points outside the box are zeroed
    double clip_x = 0, clip_y = 0;

    double group_scales[kJwGroups] = {};  // G: stored group scale / 10
    JwTextKindTable text_kinds{};
    int layer_count = 0;

    // The file ended before its counts were satisfied.
    bool damaged = false;
};

// The pass reads whole records only: each converter returns the number of
// records it read and sets `damaged` when the file ended first.
std::int32_t convert_jw_lines(JwConversion& c, JwPass pass, std::int32_t count);
std::int32_t convert_jw_circles(JwConversion& c, JwPass pass, std::int32_t count);
std::int32_t convert_jw_points(JwConversion& c, JwPass pass, std::int32_t count);
std::int32_t convert_jw_texts(JwConversion& c, JwPass pass, std::int32_t count);

// Shared by the converters.
// The scratch record of an element's layer byte (a symbol file has only one).
int jw_scratch_layer(const JwConversion& c, std::uint8_t layer);
void mark_layer_used(JwConversion& c, std::uint8_t layer);
int store_layer_number(JwConversion& c, std::uint8_t layer);
// Pens 1-6 give colours 1-6; any other pen counts as pen 2.
int jw_pen_colour(int pen);
// The colour of a text kind's pen: pens 1-6 through the pen colour table,
// other values as they are, and a colour outside 0-127 becomes 7.
int jw_text_colour(int pen);
// Line types 1-9 give codes 1-9; any other type counts as 1.
int jw_line_type_code(int line_type);
double rounded(const JwConversion& c, double value);
// True when the scaled point lies outside the clip box of a data file.
bool outside_clip(const JwConversion& c, double x, double y);
// Appends the record to the ENT section and counts it; values that are not
// finite are written as 0.
void write_jw_entity(JwConversion& c, EntityRecord& record);

// Reads `count` records with `read`, handing each to `convert` in the output
// pass and marking its layer in the scan pass.
template <class Record, class Read, class Convert>
std::int32_t convert_jw_records(JwConversion& c, JwPass pass, std::int32_t count, Read read,
                                Convert convert) {
    Record record;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!read(c.file, record)) {
            c.damaged = true;
            return i;
        }
        if (pass == JwPass::Scan)
            mark_layer_used(c, record.layer);
        else
            convert(c, record);
    }
    return count;
}

}  // namespace zov
