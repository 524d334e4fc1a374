#include "symconv/jws_symbol.h"

#include <algorithm>
#include <cmath>

#include "common/cp932.h"

namespace zov {

namespace {

// Hands the base of every entity of `contents` to `take`.
template <typename Take>
void for_each_base(const JwsContents& contents, Take take) {
    for (const JwwLine& e : contents.lines) take(e.base);
    for (const JwwArc& e : contents.arcs) take(e.base);
    for (const JwwPoint& e : contents.points) take(e.base);
    for (const JwwText& e : contents.texts) take(e.base);
    for (const JwwSolid& e : contents.solids) take(e.base);
    for (const JwwInsert& e : contents.inserts) take(e.base);
}

// Gathers what the reader hands on into a JwsSymbol: entities go to the
// innermost block definition open, or to the top of the file.
class SymbolCollector : public JwwVisitor {
public:
    explicit SymbolCollector(JwsSymbol& symbol) : symbol_(symbol) {}

    void header(const JwwHeader& header) override { symbol_.header = header; }
    void line(const JwwLine& line) override { current().lines.push_back(line); }
    void arc(const JwwArc& arc) override { current().arcs.push_back(arc); }
    void point(const JwwPoint& point) override { add_point(current(), point); }
    void text(const JwwText& text) override { add_text(current(), text); }
    void solid(const JwwSolid& solid) override { current().solids.push_back(solid); }
    void insert(const JwwInsert& insert) override { current().inserts.push_back(insert); }

    void dimension(const JwwDimension& dimension) override {
        JwsContents& contents = current();
        contents.lines.push_back(dimension.line);
        add_text(contents, dimension.text);
        // Outside SXF mode the extension lines and points hold nothing.
        if (!dimension.has_sxf_parts || dimension.sxf_mode == 0) return;
        for (const JwwLine& line : dimension.extension_lines) {
            if (line.start_x != line.end_x || line.start_y != line.end_y)
                contents.lines.push_back(line);
        }
        for (const JwwPoint& point : dimension.points) add_point(contents, point);
    }

    void begin_block(const JwwBlockDefinition& definition) override {
        symbol_.blocks.emplace_back();
        const std::size_t index = symbol_.blocks.size() - 1;
        symbol_.block_numbers.try_emplace(definition.number, index);
        open_.push_back(index);
    }

    void end_block() override {
        if (!open_.empty()) open_.pop_back();
    }

private:
    JwsContents& current() { return open_.empty() ? symbol_.top : symbol_.blocks[open_.back()]; }

    // A temporary point is a construction aid that JW_CAD does not print.
    static void add_point(JwsContents& contents, const JwwPoint& point) {
        if (!point.temporary) contents.points.push_back(point);
    }

    static void add_text(JwsContents& contents, const JwwText& text) {
        contents.texts.push_back(text);
        std::string& kept = contents.texts.back().text;
        kept.resize(safe_prefix_length(kept, kJwsTextKeep));
        kept.shrink_to_fit();
    }

    JwsSymbol& symbol_;
    std::vector<std::size_t> open_;  // block definitions open, innermost last
};

}  // namespace

const JwsContents* JwsSymbol::block(std::uint32_t number) const {
    auto found = block_numbers.find(number);
    return found == block_numbers.end() ? nullptr : &blocks[found->second];
}

bool read_jws_symbol(const std::string& path, JwsSymbol& symbol) {
    symbol = JwsSymbol();
    SymbolCollector collector(symbol);
    symbol.status = read_jww_file(path, collector).status;
    return symbol.status != JwwReadStatus::CannotOpen;
}

double jws_group_scale(const JwwHeader& header, std::uint16_t group) {
    const double scale = header.groups[group < kJwwGroups ? group : 0].scale;
    return std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

double jws_symbol_scale(const JwsSymbol& symbol) {
    double largest = 0;
    for_each_base(symbol.top, [&](const JwwEntityBase& base) {
        largest = std::max(largest, jws_group_scale(symbol.header, base.group));
    });
    if (largest > 0) return largest;
    for (std::uint16_t group = 0; group < kJwwGroups; ++group)
        largest = std::max(largest, jws_group_scale(symbol.header, group));
    return largest;
}

}  // namespace zov
