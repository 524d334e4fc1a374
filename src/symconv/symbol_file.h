#pragma once
// One JW_CAD symbol file as the converter reads it: the count block, then the
// lines, circles, points and texts in file order, through the JW_CAD reader's
// record and text streams.
#include <string>
#include <vector>

#include "jw/jw_format.h"
#include "jw/jw_header.h"

namespace zov {

struct SymbolText {
    JwTextRecord record;
    std::string text;  // CP932, at most 255 bytes
};

struct SymbolFile {
    JwSymbolCounts counts;
    std::vector<JwLineRecord> lines;
    std::vector<JwCircleRecord> circles;
    std::vector<JwPointRecord> points;
    std::vector<SymbolText> texts;
    // False when the file ended before its counts were read: the elements
    // kept are the ones the file holds in full.
    bool complete = true;
    // Elements left out because a coordinate or size is not a finite number
    // (no DXF reader takes "nan" or "inf").
    int non_finite = 0;
};

// Reads the symbol file at `path` (file-system path). The magic text is not
// checked: every file of the library folder is read as a symbol file. Returns
// false only when the file cannot be opened.
bool read_symbol_file(const std::string& path, SymbolFile& symbol);

}  // namespace zov
