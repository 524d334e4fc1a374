#pragma once
// The drawing store: one data file of fixed-size binary records into which
// every importer writes and from which the renderer, the layer sheet, the DXF
// writer and the dump read. Integers are little-endian, reals IEEE doubles,
// character fields NUL-terminated CP932 text. The structs below are the byte
// layouts themselves; records are written and read whole.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace zov {

static_assert(std::endian::native == std::endian::little,
              "the store records are written as little-endian memory images");

// Fixed file names of the store, joined to the program folder.
inline constexpr char kDataFileName[] = "$VV_DAT$.TMP";         // header + sections
inline constexpr char kLineTypeFileName[] = "$VV_LIN$.TMP";     // LineTypeRecords
inline constexpr char kLayerFileName[] = "$VV_LAY$.TMP";        // LayerRecords
inline constexpr char kBlockFileName[] = "$VV_BRO$.TMP";        // BlockRecords
inline constexpr char kBlockDataFileName[] = "$VV_BDA$.TMP";    // EntityRecords of blocks
inline constexpr char kEntityFileName[] = "$VV_ENT$.TMP";       // EntityRecords of the drawing
inline constexpr char kStringFileName[] = "$VV_STR$.TMP";       // text bytes, back to back
inline constexpr char kLayerSheetFileName[] = "$VV_SUM$.TMP";   // layer-thumbnail store
inline constexpr char kHelpDrawingFileName[] = "ZovV_Hlp.dat";  // help drawing (a store)
inline constexpr char kHeaderDumpFileName[] = "ZovJwc.txt";     // header dump
// The section files an import writes, joined into the data file.
inline constexpr const char* kSectionFileNames[] = {kStringFileName,    kLayerFileName,
                                                    kLineTypeFileName,  kBlockFileName,
                                                    kBlockDataFileName, kEntityFileName};

// Source kinds (StoreHeader::kind).
inline constexpr std::int32_t kSourceJwCad = 1;
inline constexpr std::int32_t kSourceDxf = 2;

// Entity kinds (EntityRecord::kind).
inline constexpr std::int32_t kEntityLine = 1;
inline constexpr std::int32_t kEntityArc = 2;  // circle, arc or elliptic arc
inline constexpr std::int32_t kEntityPoint = 3;
inline constexpr std::int32_t kEntityLeader = 4;  // line with an arrow head at x1,y1
inline constexpr std::int32_t kEntityText = 5;
inline constexpr std::int32_t kEntityInsert = 6;
inline constexpr std::int32_t kEntityDimension = 7;
inline constexpr std::int32_t kEntitySolid = 8;       // filled triangle / quadrilateral
inline constexpr std::int32_t kEntityLayerLabel = 9;  // layer sheet only: the layer's name
inline constexpr std::int32_t kEntityFileLabel = 10;  // layer sheet only: the source name
// Never stored: texts whose string the renderer holds in memory.
inline constexpr std::int32_t kEntityHeldText = 12;
inline constexpr std::int32_t kEntityHeldTextAlt = 999;

// Line-type codes shared by entities, layers and the DXF writer; 0 = as the layer.
inline constexpr std::int32_t kLineByLayer = 0;
// Colour numbers of DXF stores that name no colour of their own.
inline constexpr std::int32_t kColourByBlock = 0;
inline constexpr std::int32_t kColourByLayer = 256;
inline constexpr std::int32_t kLineContinuous = 1;
inline constexpr std::int32_t kLineDot = 2;
inline constexpr std::int32_t kLineDashed = 3;
inline constexpr std::int32_t kLineDashed2 = 4;
inline constexpr std::int32_t kLineCenter = 5;
inline constexpr std::int32_t kLineCenter2 = 6;
inline constexpr std::int32_t kLinePhantom = 7;
inline constexpr std::int32_t kLinePhantom2 = 8;
inline constexpr std::int32_t kLineHidden = 9;
inline constexpr int kLineTypeCount = 9;
// The names of codes 1 to 9, index = code - 1: the one table of line-type
// names, which the store's records, the JW_CAD readers and both DXF writers
// use.
inline constexpr const char* kLineTypeNames[kLineTypeCount] = {
    "CONTINUOUS", "DOT", "DASHED", "DASHED2", "CENTER", "CENTER2", "PHANTOM", "PHANTOM2", "HIDDEN"};
// The name of a line-type code; 0 and codes outside the table give "CONTINUOUS".
constexpr const char* line_type_name(std::int32_t code) {
    return code >= 1 && code <= kLineTypeCount ? kLineTypeNames[code - 1] : kLineTypeNames[0];
}

// EntityRecord::flags bit of the lines that stand for an XLINE or RAY: a
// part of an endless line, drawn but never fitted into the view.
inline constexpr std::uint8_t kEntityConstructionLine = 8;
// EntityRecord::flags bit of the solids that mask what lies under them (a
// WIPEOUT): filled in the background colour, without an outline.
inline constexpr std::uint8_t kEntityBackgroundFill = 16;
// EntityRecord::flags bit of DXF texts whose characters are mirrored within
// their box (text generation flags, "backward"): they read from right to left.
inline constexpr std::uint8_t kTextBackward = 32;
// EntityRecord::flags bit of DXF texts of a TrueType style: their ASCII
// characters take proportional advances (store/text_metrics.h).
inline constexpr std::uint8_t kTextProportional = 64;

// EntityRecord::source_marks: what a DXF source named that the record's own
// fields hold resolved, so that the full export can name it again. The
// colour and line type of a record stay the ones the view draws; a store
// written before the marks has none, and is exported as it always was.
inline constexpr std::uint8_t kMarkColourByLayer = 1;
inline constexpr std::uint8_t kMarkColourByBlock = 2;
inline constexpr std::uint8_t kMarkLineTypeByLayer = 4;
inline constexpr std::uint8_t kMarkLineTypeByBlock = 8;
inline constexpr std::uint8_t kMarkAttributeDefinition = 16;  // a text that was an ATTDEF
inline constexpr std::uint8_t kMarkXline = 32;                // a construction line: XLINE
inline constexpr std::uint8_t kMarkRay = 64;                  // a construction line: RAY

// Line weights (EntityRecord::line_weight, LayerRecord::line_weight). A
// weight of w hundredths of a millimetre (DXF group 370) is kept as w + 1,
// so that the 0 of stores written without weights means "none given": as
// the layer for an entity, the default line for a layer.
inline constexpr std::int16_t kWeightNotGiven = 0;
inline constexpr std::int16_t kWeightByBlock = -1;
inline constexpr std::int16_t kWeightDefault = -2;
inline constexpr int kLargestWeight = 211;  // hundredths of a millimetre

// The stored form of a weight of `hundredths` (clamped to 0 to 211).
constexpr std::int16_t stored_weight(int hundredths) {
    const int kept = hundredths < 0 ? 0 : hundredths;
    return static_cast<std::int16_t>((kept > kLargestWeight ? kLargestWeight : kept) + 1);
}
// The weight in hundredths of a millimetre of a stored value; -1 when it
// names no weight of its own (not given, as the block, the default).
constexpr int weight_hundredths(std::int16_t stored) {
    return stored >= 1 && stored <= kLargestWeight + 1 ? stored - 1 : -1;
}

// Layer flag bits (LayerRecord::flags), handled through test_bit/set_bit/toggle_bit.
inline constexpr int kLayerHiddenBit = 0;
inline constexpr int kLayerFrozenBit = 1;
inline constexpr int kLayerLockedBit = 2;

// 1 when `word` is non-zero and its bit n (0 to 31) is set, else 0.
constexpr int test_bit(std::int32_t word, int n) {
    if (word == 0 || n < 0 || n > 31) return 0;
    return (static_cast<std::uint32_t>(word) >> n) & 1u ? 1 : 0;
}
// `word` with bit n set / inverted; other n leave it unchanged.
constexpr std::int32_t set_bit(std::int32_t word, int n) {
    if (n < 0 || n > 31) return word;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(word) | (1u << n));
}
constexpr std::int32_t toggle_bit(std::int32_t word, int n) {
    if (n < 0 || n > 31) return word;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(word) ^ (1u << n));
}

// The first 576 bytes of a data file ($VV_DAT$.TMP, $VV_SUM$.TMP, ZovV_Hlp.dat).
// Each `_x` pair is stored as x, y; the y fields carry the `_y` name.
struct StoreHeader {
    char ver[128] = {};      // banner line with program name and version
    std::int32_t kind = 0;   // kSourceJwCad or kSourceDxf
    char fname[260] = {};    // full path of the source file (CP932)
    std::int32_t ftime = 0;  // source last-write time, seconds since 1970 UTC
    std::int32_t fsize = 0;  // source size in bytes
    char reserved_400[16] = {};
    double paper_x = 0, paper_y = 0;  // paper width and height (JW_CAD)
    std::int32_t pe_flag = 0;         // 1 when an entity came from paper space
    std::int32_t reserved_436 = 0;
    double pe_max_x = 0, pe_max_y = 0;  // paper-space limits maximum
    double pe_min_x = 0, pe_min_y = 0;  // paper-space limits minimum
    double min_x = 0, min_y = 0;        // drawing extents minimum
    double max_x = 0, max_y = 0;        // drawing extents maximum
    double scale = 0;                   // drawing scale
    std::int32_t add_lin = 0;           // section offsets; 0 = section absent
    std::int32_t add_lay = 0;
    std::int32_t add_bro = 0;
    std::int32_t add_bda = 0;
    std::int32_t add_str = 0;
    std::int32_t add_ent = 0;
    std::int32_t line_num = 0;  // LineTypeRecords
    std::int32_t lay_num = 0;   // LayerRecords
    std::int32_t lay_num2 = 0;  // layers in use
    std::int32_t bro_num = 0;   // BlockRecords
    std::int32_t bro_num2 = 0;  // ordinary blocks
    std::int32_t reserved_556 = 0;
    std::int32_t cir_num = 0;   // always 0
    std::int32_t str_num = 0;   // texts with a non-empty string
    std::int32_t ent_num = 0;   // EntityRecords of the ENT section
    std::int32_t dsp_mode = 0;  // always 0
};

struct LineTypeRecord {
    std::int32_t line_type = 0;  // line-type code
    char name[64] = {};          // name as in the source
};

struct LayerRecord {
    std::int32_t flags = 0;          // kLayerHiddenBit, kLayerFrozenBit, kLayerLockedBit
    std::int32_t source_number = 0;  // 1-based position in the source (JW_CAD), 0 for DXF
    std::int32_t reserved_8 = 0;
    std::int32_t used_index = 0;  // 0-based among the layers in use, -1 unused
    std::int32_t reserved_16 = 0;
    std::int32_t used_number = 0;  // used_index + 1 for a layer in use
    std::int32_t use_count = 0;    // lookups that found the layer; zero / non-zero
    std::int32_t reserved_28 = 0;
    char line_type_name[65] = {};
    char name[67] = {};
    std::int32_t reserved_164 = 0;
    std::int32_t colour = 0;       // in the source's numbering
    std::int16_t line_type = 0;    // line-type code
    std::int16_t line_weight = 0;  // kWeightNotGiven, kWeightDefault or weight + 1
};

struct BlockRecord {
    std::int32_t reserved_0 = 0;
    std::int32_t used_index = 0;  // 0-based among the ordinary blocks, -1 special
    std::int32_t use_count = 0;
    std::int32_t reserved_12 = 0;
    double base_x = 0;
    double base_y = 0;
    char name[65] = {};
    char layer_name[67] = {};
    std::int32_t reserved_164 = 0;
    std::int32_t reserved_168 = 0;
    std::int32_t first = 0;  // index of the first EntityRecord in BDA
    std::int32_t last = 0;   // first + count - 1; first when count is 0
    std::int32_t count = 0;  // entities of the block
    std::int32_t reserved_184 = 0;
    std::int32_t used_number = 0;  // used_index + 1 for an ordinary block
};

// The six reals that follow an entity's first point (x1, y1) mean what its
// kind makes them mean; EntityRecord holds them as a union of one view per
// kind. Every view is six doubles, so all views share one common initial
// sequence: a record may be read through any view, whichever wrote it.
// Angles are degrees, counter-clockwise.

// kEntityLine, kEntityLeader: from (x1, y1) to the end point. A leader has
// its arrow head at (x1, y1). kEntityPoint: the point is (x1, y1); a DXF
// POINT's second point lands in the end point and is never drawn.
struct LineReals {
    double end_x;
    double end_y;
    double unused_a;
    double unused_b;
    double unused_c;
    double unused_d;
};

// kEntityArc: a circle, arc or elliptic arc about the centre (x1, y1).
struct ArcReals {
    double axis_ratio;   // minor over major semi-axis; exactly 1 for a circle
    double unused_one;   // written as 1, read by nothing
    double radius;       // major semi-axis; negative under a mirroring insert
    double tilt;         // turn of the major axis (ellipses; 0 for circles)
    double start_angle;  // of an ellipse: parameter angles in its own frame
    double end_angle;    // equal to start_angle: the whole curve
};

// kEntityText, kEntityLayerLabel, kEntityFileLabel: the string starts at
// (x1, y1), the left end of its base line.
struct TextReals {
    double width_factor;  // character width over height; 0 is taken as 1
    double height;
    double unused_a;
    double angle;
    double unused_b;
    double unused_c;
};

// kEntityInsert: the block's base point lands on (x1, y1), scaled and
// turned. kEntityDimension: its picture block lands on (x1, y1) as it is;
// the importers write scales of 1.
struct InsertReals {
    double scale_x;  // 0 is taken as 1
    double scale_y;
    double unused_a;
    double rotation;
    double unused_b;
    double unused_c;
};

// kEntitySolid: the corners first, (x1, y1), third and fourth in DXF's order
// (groups 10, 11, 12, 13): two triangles, first-second-third and
// second-third-fourth; a fourth corner equal to the third makes one.
struct SolidReals {
    double first_x;
    double first_y;
    double third_x;
    double fourth_x;
    double third_y;
    double fourth_y;
};

// All six alike, for code that treats every real the same (see all_reals).
struct EntityReals {
    double first;
    double second;
    double third;
    double fourth;
    double fifth;
    double sixth;
};

struct EntityRecord {
    std::uint8_t flags = 0;             // importer flags; readers use kEntityConstructionLine
    std::uint8_t paper_space = 0;       // 1 for a paper-space entity
    std::int16_t line_weight = 0;       // kWeightNotGiven (as the layer), kWeightByBlock,
                                        // kWeightDefault or weight + 1
    std::int32_t kind = 0;              // kEntityLine ... kEntityFileLabel
    std::int32_t line_type = 0;         // line-type code, 0 = as the layer
    std::int32_t h_align = 0;           // text: group 72; dimension: 1 = angular
    std::int32_t v_align = 0;           // text: group 73
    std::int32_t text_style = 0;        // 0 plain, 10 control codes, 20 spread; +1 vertical
    std::int32_t colour = 0;            // source numbering; 0 and 256 = as the layer
    std::int16_t layer = 0;             // 1-based layer number, 0 = none
    std::int16_t block = 0;             // 1-based block number (kinds 6 and 7)
    std::int16_t text_length = 0;       // text bytes (kind 5)
    std::uint8_t source_marks = 0;      // kMark... bits: what the source named (0 in older stores)
    std::uint8_t source_line_type = 0;  // 1-based in the source's line types (0 none; DXF)
    std::int32_t text_offset = 0;       // offset of the text in the STR section (kind 5)
    double x1 = 0;
    double y1 = 0;
    union {                   // the six reals after (x1, y1), by kind
        EntityReals reals{};  // all alike
        LineReals line;       // kEntityLine, kEntityLeader, kEntityPoint
        ArcReals arc;         // kEntityArc
        TextReals text;       // kEntityText and the layer sheet's labels
        InsertReals insert;   // kEntityInsert, kEntityDimension
        SolidReals solid;     // kEntitySolid
    };
};

// A text that was an attribute definition. Inside a block it is not drawn:
// the block's inserts show their attributes instead.
constexpr bool is_attribute_definition(const EntityRecord& e) {
    return e.kind == kEntityText && (e.source_marks & kMarkAttributeDefinition) != 0;
}

// The record's eight reals, x1 and y1 first, for code that treats them alike
// (finiteness checks). `Record` is EntityRecord or const EntityRecord.
template <class Record>
constexpr auto all_reals(Record& e) {
    return std::array{&e.x1,          &e.y1,           &e.reals.first, &e.reals.second,
                      &e.reals.third, &e.reals.fourth, &e.reals.fifth, &e.reals.sixth};
}

// The empty box with which extents start: minimum 1e8, maximum -1e8.
inline constexpr double kEmptyBoxMinimum = 100000000.0;
inline constexpr double kEmptyBoxMaximum = -100000000.0;

// The layouts are part of the file format.
#define ZOV_FIELD_AT(type, field, offset) static_assert(offsetof(type, field) == (offset))
static_assert(sizeof(StoreHeader) == 576);
ZOV_FIELD_AT(StoreHeader, ver, 0);
ZOV_FIELD_AT(StoreHeader, kind, 128);
ZOV_FIELD_AT(StoreHeader, fname, 132);
ZOV_FIELD_AT(StoreHeader, ftime, 392);
ZOV_FIELD_AT(StoreHeader, fsize, 396);
ZOV_FIELD_AT(StoreHeader, reserved_400, 400);
ZOV_FIELD_AT(StoreHeader, paper_x, 416);
ZOV_FIELD_AT(StoreHeader, paper_y, 424);
ZOV_FIELD_AT(StoreHeader, pe_flag, 432);
ZOV_FIELD_AT(StoreHeader, reserved_436, 436);
ZOV_FIELD_AT(StoreHeader, pe_max_x, 440);
ZOV_FIELD_AT(StoreHeader, pe_max_y, 448);
ZOV_FIELD_AT(StoreHeader, pe_min_x, 456);
ZOV_FIELD_AT(StoreHeader, pe_min_y, 464);
ZOV_FIELD_AT(StoreHeader, min_x, 472);
ZOV_FIELD_AT(StoreHeader, min_y, 480);
ZOV_FIELD_AT(StoreHeader, max_x, 488);
ZOV_FIELD_AT(StoreHeader, max_y, 496);
ZOV_FIELD_AT(StoreHeader, scale, 504);
ZOV_FIELD_AT(StoreHeader, add_lin, 512);
ZOV_FIELD_AT(StoreHeader, add_lay, 516);
ZOV_FIELD_AT(StoreHeader, add_bro, 520);
ZOV_FIELD_AT(StoreHeader, add_bda, 524);
ZOV_FIELD_AT(StoreHeader, add_str, 528);
ZOV_FIELD_AT(StoreHeader, add_ent, 532);
ZOV_FIELD_AT(StoreHeader, line_num, 536);
ZOV_FIELD_AT(StoreHeader, lay_num, 540);
ZOV_FIELD_AT(StoreHeader, lay_num2, 544);
ZOV_FIELD_AT(StoreHeader, bro_num, 548);
ZOV_FIELD_AT(StoreHeader, bro_num2, 552);
ZOV_FIELD_AT(StoreHeader, reserved_556, 556);
ZOV_FIELD_AT(StoreHeader, cir_num, 560);
ZOV_FIELD_AT(StoreHeader, str_num, 564);
ZOV_FIELD_AT(StoreHeader, ent_num, 568);
ZOV_FIELD_AT(StoreHeader, dsp_mode, 572);

static_assert(sizeof(LineTypeRecord) == 68);
ZOV_FIELD_AT(LineTypeRecord, line_type, 0);
ZOV_FIELD_AT(LineTypeRecord, name, 4);

static_assert(sizeof(LayerRecord) == 176);
ZOV_FIELD_AT(LayerRecord, flags, 0);
ZOV_FIELD_AT(LayerRecord, source_number, 4);
ZOV_FIELD_AT(LayerRecord, reserved_8, 8);
ZOV_FIELD_AT(LayerRecord, used_index, 12);
ZOV_FIELD_AT(LayerRecord, reserved_16, 16);
ZOV_FIELD_AT(LayerRecord, used_number, 20);
ZOV_FIELD_AT(LayerRecord, use_count, 24);
ZOV_FIELD_AT(LayerRecord, reserved_28, 28);
ZOV_FIELD_AT(LayerRecord, line_type_name, 32);
ZOV_FIELD_AT(LayerRecord, name, 97);
ZOV_FIELD_AT(LayerRecord, reserved_164, 164);
ZOV_FIELD_AT(LayerRecord, colour, 168);
ZOV_FIELD_AT(LayerRecord, line_type, 172);
ZOV_FIELD_AT(LayerRecord, line_weight, 174);

static_assert(sizeof(BlockRecord) == 192);
ZOV_FIELD_AT(BlockRecord, reserved_0, 0);
ZOV_FIELD_AT(BlockRecord, used_index, 4);
ZOV_FIELD_AT(BlockRecord, use_count, 8);
ZOV_FIELD_AT(BlockRecord, reserved_12, 12);
ZOV_FIELD_AT(BlockRecord, base_x, 16);
ZOV_FIELD_AT(BlockRecord, base_y, 24);
ZOV_FIELD_AT(BlockRecord, name, 32);
ZOV_FIELD_AT(BlockRecord, layer_name, 97);
ZOV_FIELD_AT(BlockRecord, reserved_164, 164);
ZOV_FIELD_AT(BlockRecord, reserved_168, 168);
ZOV_FIELD_AT(BlockRecord, first, 172);
ZOV_FIELD_AT(BlockRecord, last, 176);
ZOV_FIELD_AT(BlockRecord, count, 180);
ZOV_FIELD_AT(BlockRecord, reserved_184, 184);
ZOV_FIELD_AT(BlockRecord, used_number, 188);

static_assert(sizeof(EntityRecord) == 104);
ZOV_FIELD_AT(EntityRecord, flags, 0);
ZOV_FIELD_AT(EntityRecord, paper_space, 1);
ZOV_FIELD_AT(EntityRecord, line_weight, 2);
ZOV_FIELD_AT(EntityRecord, kind, 4);
ZOV_FIELD_AT(EntityRecord, line_type, 8);
ZOV_FIELD_AT(EntityRecord, h_align, 12);
ZOV_FIELD_AT(EntityRecord, v_align, 16);
ZOV_FIELD_AT(EntityRecord, text_style, 20);
ZOV_FIELD_AT(EntityRecord, colour, 24);
ZOV_FIELD_AT(EntityRecord, layer, 28);
ZOV_FIELD_AT(EntityRecord, block, 30);
ZOV_FIELD_AT(EntityRecord, text_length, 32);
ZOV_FIELD_AT(EntityRecord, source_marks, 34);
ZOV_FIELD_AT(EntityRecord, source_line_type, 35);
ZOV_FIELD_AT(EntityRecord, text_offset, 36);
ZOV_FIELD_AT(EntityRecord, x1, 40);
ZOV_FIELD_AT(EntityRecord, y1, 48);
ZOV_FIELD_AT(EntityRecord, reals, 56);
static_assert(std::is_trivially_copyable_v<EntityRecord>);
// Each view is six doubles from offset 56; its fields by their offsets in
// the record.
#define ZOV_REAL_AT(view, field, offset)                \
    static_assert(offsetof(EntityRecord, view) == 56 && \
                  offsetof(decltype(EntityRecord::view), field) + 56 == (offset))
#define ZOV_VIEW(type) static_assert(sizeof(type) == 48 && std::is_standard_layout_v<type>)
ZOV_VIEW(EntityReals);
ZOV_REAL_AT(reals, first, 56);
ZOV_REAL_AT(reals, second, 64);
ZOV_REAL_AT(reals, third, 72);
ZOV_REAL_AT(reals, fourth, 80);
ZOV_REAL_AT(reals, fifth, 88);
ZOV_REAL_AT(reals, sixth, 96);
ZOV_VIEW(LineReals);
ZOV_REAL_AT(line, end_x, 56);
ZOV_REAL_AT(line, end_y, 64);
ZOV_REAL_AT(line, unused_a, 72);
ZOV_REAL_AT(line, unused_b, 80);
ZOV_REAL_AT(line, unused_c, 88);
ZOV_REAL_AT(line, unused_d, 96);
ZOV_VIEW(ArcReals);
ZOV_REAL_AT(arc, axis_ratio, 56);
ZOV_REAL_AT(arc, unused_one, 64);
ZOV_REAL_AT(arc, radius, 72);
ZOV_REAL_AT(arc, tilt, 80);
ZOV_REAL_AT(arc, start_angle, 88);
ZOV_REAL_AT(arc, end_angle, 96);
ZOV_VIEW(TextReals);
ZOV_REAL_AT(text, width_factor, 56);
ZOV_REAL_AT(text, height, 64);
ZOV_REAL_AT(text, unused_a, 72);
ZOV_REAL_AT(text, angle, 80);
ZOV_REAL_AT(text, unused_b, 88);
ZOV_REAL_AT(text, unused_c, 96);
ZOV_VIEW(InsertReals);
ZOV_REAL_AT(insert, scale_x, 56);
ZOV_REAL_AT(insert, scale_y, 64);
ZOV_REAL_AT(insert, unused_a, 72);
ZOV_REAL_AT(insert, rotation, 80);
ZOV_REAL_AT(insert, unused_b, 88);
ZOV_REAL_AT(insert, unused_c, 96);
ZOV_VIEW(SolidReals);
ZOV_REAL_AT(solid, first_x, 56);
ZOV_REAL_AT(solid, first_y, 64);
ZOV_REAL_AT(solid, third_x, 72);
ZOV_REAL_AT(solid, fourth_x, 80);
ZOV_REAL_AT(solid, third_y, 88);
ZOV_REAL_AT(solid, fourth_y, 96);
#undef ZOV_VIEW
#undef ZOV_REAL_AT
#undef ZOV_FIELD_AT

}  // namespace zov
