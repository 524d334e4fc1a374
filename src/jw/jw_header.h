#pragma once
// The text header blocks of JW_CAD files: the magic of block 1, the count
// blocks of symbol and data files, the text-area bounds of a data file's
// block 4, and the paper codes.
#include <cstdint>

#include "jw/jw_format.h"

namespace zov {

enum class JwFileKind { None, Data, Symbol };

struct JwFileClass {
    JwFileKind kind = JwFileKind::None;
    bool real_variant = false;  // data file with byte 22 = 'f': group scales are reals
};

// Compares the start of header block 1 with "jw_cad(c)data" and "jw_cad(c)sym".
JwFileClass classify_jw_file(const JwBlock& block1);

// Count block of a symbol file. Counts are never negative.
struct JwSymbolCounts {
    std::int32_t lines = 0;
    std::int32_t circles = 0;
    std::int32_t points = 0;
    std::int32_t texts = 0;
    float unused[3] = {0, 0, 0};
    std::int32_t text_area_length = 0;
    float scale = 0;      // drawing scale denominator (100 means 1/100)
    int fields_read = 0;  // fields converted before the first one missing or malformed
};

// The viewer reads the nine fields with the pattern
// "%ld,%ld,%ld,%ld,%f,%f,%f,%ld,%f" and stops at the first field that does
// not fit; the converter splits at commas and converts each of the first nine
// fields on its own. Fields not read stay 0; a real that is not finite reads as 0.
JwSymbolCounts parse_symbol_counts(const JwBlock& block2, JwProgram program);

// Count block of a data file. Counts are never negative.
struct JwDataCounts {
    std::int32_t lines = 0;
    std::int32_t circles = 0;
    std::int32_t texts = 0;
    std::int32_t points = 0;
    double scale = 0;                // field 10: drawing scale denominator
    std::int32_t paper_code = 0;     // field 12, 0 when missing
    std::int32_t editing_time = 0;   // field 19, seconds
    std::int32_t paper_width = 518;  // field 31, in file units, 518 when missing
    int fields_read = 0;             // comma-separated fields present (at most 31)
};

// Comma-separated decimal fields, at most 31; reading stops at the first
// missing field. Each field converts as far as it fits, blanks first skipped.
JwDataCounts parse_data_counts(const JwBlock& block2);

// Length of a data file's text area from header block 4: the difference of
// the two segment:offset addresses at characters 0, 5 and 10, 15. May be
// negative or absurd in a damaged file; the caller checks it against the file.
std::int64_t text_area_length(const JwBlock& block4);

struct JwPaperSize {
    int width = 0;  // millimetres
    int height = 0;
};

// Paper size of a data file's paper code; unknown codes give 841 x 594.
JwPaperSize jw_paper_size(std::int32_t code);

// Start of a data file's element data.
long jw_element_offset(bool real_variant);

}  // namespace zov
