#pragma once
// The viewer's DXF writer: writes the drawing held in a store data file as an
// AutoCAD R14 ASCII DXF file, DxfTest.DXF in the program folder, with a fixed
// set of tables (partly from the editable template VV_HED.DAT), three fixed
// blocks, the drawing's used layers and its lines, circles, arcs and
// ellipses. The store is only read.
#include <string>
#include <string_view>

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

// Writes the store file `store_file_name` ($VV_DAT$.TMP for the standard
// display, $VV_SUM$.TMP for the layer sheet) of `program_folder` (a
// file-system path ending in "/") as DxfTest.DXF there, and ends with the
// information "DXF Write". False after a reported failure.
bool export_dxf(DxfHandles& handles, const std::string& program_folder,
                std::string_view store_file_name, Messages& messages,
                DxfContent content = DxfContent::Curves);

// Creates VV_HED.DAT in `program_folder` when it does not exist; an existing
// file is left untouched. False after "ヘッダーファイル(%s)書込みエラー".
bool write_header_template(const std::string& program_folder, Messages& messages);

}  // namespace zov
