#pragma once
// The viewer's DXF writer: writes the drawing held in a store data file as an
// AutoCAD R14 ASCII DXF file, DxfTest.DXF in the program folder, with a fixed
// set of tables (partly from the editable template VV_HED.DAT), three fixed
// blocks, the drawing's used layers and its lines, circles, arcs and
// ellipses. The store is only read.
#include <cstddef>
#include <string>
#include <string_view>

#include "common/loss_report.h"

namespace zov {

class Messages;

inline constexpr char kDxfOutputFileName[] = "DxfTest.DXF";
inline constexpr char kHeaderTemplateFileName[] = "VV_HED.DAT";

// The handle counter of the LAYER table, its records, the BLOCKS section and
// the entities. One counter lives as long as the program: a second export goes
// on where the first stopped. It passes over the fixed handles of the VPORT
// table, the template and the OBJECTS section, so that no file holds a handle
// twice.
class DxfHandles {
public:
    unsigned long next();
    unsigned long last() const { return last_; }

    // True for the handles that the writer gives fixed objects.
    static bool is_fixed(unsigned long handle);
    // The number of fixed handles.
    static constexpr unsigned long kFixedCount = 2 + 25 + 5;

private:
    unsigned long last_ = 0;
};

// What the writer puts into the file: the viewer's own selection (lines,
// circles, arcs and ellipses, the default), or the full drawing (also texts,
// points, solids, leaders, dimensions, blocks and inserts, layer states).
enum class DxfContent { Curves, Full };

// What one export carried over: the store records it took up (the
// drawing's, and in the full export those of the blocks it writes), how many
// of them it wrote as DXF entities (the drawing's on their own), and the rest
// by the entity name of their source.
struct DxfExportTally {
    std::size_t records = 0;
    std::size_t written = 0;
    std::size_t drawing_records = 0;
    std::size_t drawing_written = 0;
    LossReport losses;

    // One record taken up: written, or left out under `kind`.
    void take(bool was_written, std::string_view kind, bool in_drawing) {
        ++records;
        if (in_drawing) ++drawing_records;
        if (!was_written) {
            losses.count(kind);
        } else {
            ++written;
            if (in_drawing) ++drawing_written;
        }
    }
};

// The hint that the default export's losses carry: the full export keeps them.
inline constexpr char kFullExportHint[] = "use --full to keep them";

// Writes the store file `store_file_name` ($VV_DAT$.TMP for the standard
// display, $VV_SUM$.TMP for the layer sheet) of `program_folder` (a
// file-system path ending in "/") as DxfTest.DXF there, and ends with the
// information "DXF Write". What was left out is counted in `tally` when it is
// given (the caller shows it). A drawing of which nothing can be written is
// a failure: no file is left and the message says why. False after a
// reported failure.
bool export_dxf(DxfHandles& handles, const std::string& program_folder,
                std::string_view store_file_name, Messages& messages,
                DxfContent content = DxfContent::Curves, DxfExportTally* tally = nullptr);

// Creates VV_HED.DAT in `program_folder` when it does not exist; an existing
// file is left untouched. False after "ヘッダーファイル(%s)書込みエラー".
bool write_header_template(const std::string& program_folder, Messages& messages);

}  // namespace zov
