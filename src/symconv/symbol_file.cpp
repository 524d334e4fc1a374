#include "symconv/symbol_file.h"

#include <cmath>
#include <initializer_list>

#include "jw/jw_file.h"

namespace zov {

namespace {

bool finite(std::initializer_list<float> values) {
    for (float value : values)
        if (!std::isfinite(value)) return false;
    return true;
}
bool finite(const JwLineRecord& r) { return finite({r.start_x, r.start_y, r.end_x, r.end_y}); }
bool finite(const JwCircleRecord& r) { return finite({r.centre_x, r.centre_y, r.radius}); }
bool finite(const JwPointRecord& r) { return finite({r.x, r.y}); }
bool finite(const JwTextRecord& r) { return finite({r.start_x, r.start_y, r.end_x, r.end_y}); }

// Reads `count` records with `read_one`; stops at the first record the file
// does not hold in full, so an absurd count never reads past the file. A
// record with a number that is not finite is counted and left out.
template <typename Record, typename Reader>
bool read_records(JwFile& file, std::int32_t count, std::vector<Record>& records, Reader read_one,
                  int& non_finite) {
    records.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        Record record;
        if (!read_one(file, record)) return false;
        if (finite(record))
            records.push_back(record);
        else
            ++non_finite;
    }
    return true;
}

bool read_elements(JwFile& file, SymbolFile& symbol) {
    JwBlock block;
    if (!read_jw_block(file, block)) return false;  // block 1: magic, not checked
    if (!read_jw_block(file, block)) return false;
    symbol.counts = parse_symbol_counts(block, JwProgram::Converter);
    const JwSymbolCounts& counts = symbol.counts;
    int& skipped = symbol.non_finite;
    if (!read_records(file, counts.lines, symbol.lines, read_jw_line, skipped)) return false;
    if (!read_records(file, counts.circles, symbol.circles, read_jw_circle, skipped)) return false;
    if (!read_records(file, counts.points, symbol.points, read_jw_point, skipped)) return false;
    if (!file.start_texts(counts.texts)) return false;
    for (std::int32_t i = 0; i < counts.texts; ++i) {
        SymbolText text;
        if (!read_jw_text(file, text.record)) return false;
        bool whole =
            read_jw_text_string(file, text.text);  // read either way: texts follow in order
        if (finite(text.record))
            symbol.texts.push_back(std::move(text));
        else
            ++skipped;
        if (!whole) return false;
    }
    return true;
}

}  // namespace

bool read_symbol_file(const std::string& path, SymbolFile& symbol) {
    symbol = SymbolFile();
    JwFile file;
    if (!file.open(path)) return false;
    symbol.complete = read_elements(file, symbol);
    return true;
}

}  // namespace zov
