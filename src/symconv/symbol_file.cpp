#include "symconv/symbol_file.h"

#include "jw/jw_file.h"

namespace zov {

namespace {

// Reads `count` records with `read_one`; stops at the first record the file
// does not hold in full, so an absurd count never reads past the file.
template <typename Record, typename Reader>
bool read_records(JwFile& file, std::int32_t count, std::vector<Record>& records,
                  Reader read_one) {
    records.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        Record record;
        if (!read_one(file, record)) return false;
        records.push_back(record);
    }
    return true;
}

bool read_elements(JwFile& file, SymbolFile& symbol) {
    JwBlock block;
    if (!read_jw_block(file, block)) return false;  // block 1: magic, not checked
    if (!read_jw_block(file, block)) return false;
    symbol.counts = parse_symbol_counts(block, JwProgram::Converter);
    const JwSymbolCounts& counts = symbol.counts;
    if (!read_records(file, counts.lines, symbol.lines, read_jw_line)) return false;
    if (!read_records(file, counts.circles, symbol.circles, read_jw_circle)) return false;
    if (!read_records(file, counts.points, symbol.points, read_jw_point)) return false;
    if (!file.start_texts(counts.texts)) return false;
    for (std::int32_t i = 0; i < counts.texts; ++i) {
        SymbolText text;
        if (!read_jw_text(file, text.record)) return false;
        bool whole = read_jw_text_string(file, text.text);
        symbol.texts.push_back(std::move(text));
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
