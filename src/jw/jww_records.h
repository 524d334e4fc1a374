#pragma once
// The store records of one JW_CAD for Windows entity. Both passes of the
// import run the same makers: the scan pass counts the records of every
// block definition, the output pass writes them, so that the counts of the
// block records always match what is written. What a maker writes depends
// only on the entity itself, never on what the scan pass learns.
#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "jw/jww_format.h"
#include "jw/jww_reader.h"
#include "store/records.h"

namespace zov {

class JwwRecordSink {
public:
    virtual ~JwwRecordSink() = default;
    // One record; `text` holds the CP932 bytes of a text record.
    virtual void put(EntityRecord& record, std::string_view text) = 0;
};

constexpr int kJwwLayerSlots = kJwwGroups * kJwwLayersPerGroup;

// What the records take from the whole drawing.
struct JwwRecordContext {
    const JwwHeader* header = nullptr;
    double scale = 1;  // S: paper millimetres to store units
    int decimals = 2;  // of the coordinates written (round_coordinate)
    // Store layer numbers by slot (group x 16 + layer); 0 while unknown.
    std::array<std::int16_t, kJwwLayerSlots> layers{};
    // Store block numbers by definition number; absent while unknown, 0 for
    // a definition beyond the store's block numbers.
    const std::unordered_map<std::uint32_t, std::int16_t>* blocks = nullptr;
    // Entities left out because a number was not finite or far beyond any paper.
    std::int64_t out_of_range = 0;
    // Inserts of definitions beyond the store's block numbers, kept without a block.
    std::int64_t inserts_beyond_blocks = 0;
};

// The layer slot of an entity: group x 16 + layer; numbers beyond the
// tables count as the last group or layer.
int jww_layer_slot(const JwwEntityBase& base);

void make_jww_line(JwwRecordContext& c, const JwwLine& line, JwwRecordSink& sink);
void make_jww_arc(JwwRecordContext& c, const JwwArc& arc, JwwRecordSink& sink);
void make_jww_point(JwwRecordContext& c, const JwwPoint& point, JwwRecordSink& sink);
// A text; an image text ("^@BM...") becomes the image's frame and name.
void make_jww_text(JwwRecordContext& c, const JwwText& text, JwwRecordSink& sink);
// A solid; a round solid becomes the filled triangles of its outline.
void make_jww_solid(JwwRecordContext& c, const JwwSolid& solid, JwwRecordSink& sink);
// An insert; one of no known definition refers to no block.
void make_jww_insert(JwwRecordContext& c, const JwwInsert& insert, JwwRecordSink& sink);
// A dimension as its parts: line, value text, extension lines and points.
void make_jww_dimension(JwwRecordContext& c, const JwwDimension& dimension, JwwRecordSink& sink);

// Hands every entity the reader meets to its maker, with one sink; the
// passes add what they do with the header and the block definitions.
class JwwRecordVisitor : public JwwVisitor {
public:
    JwwRecordVisitor(JwwRecordContext& context, JwwRecordSink& sink)
        : context_(context), sink_(sink) {}
    void line(const JwwLine& l) override { make_jww_line(context_, l, sink_); }
    void arc(const JwwArc& a) override { make_jww_arc(context_, a, sink_); }
    void point(const JwwPoint& p) override { make_jww_point(context_, p, sink_); }
    void text(const JwwText& t) override { make_jww_text(context_, t, sink_); }
    void solid(const JwwSolid& s) override { make_jww_solid(context_, s, sink_); }
    void insert(const JwwInsert& i) override { make_jww_insert(context_, i, sink_); }
    void dimension(const JwwDimension& d) override { make_jww_dimension(context_, d, sink_); }

protected:
    JwwRecordContext& context_;
    JwwRecordSink& sink_;
};

}  // namespace zov
