#pragma once
// Byte layout of JW_CAD data files (a whole drawing) and symbol files (one
// drawing symbol). Both begin with 200-byte text blocks and continue with
// fixed-size little-endian element records and a text area. The element
// records below are the exact file layouts; they are read whole.
#include <bit>
#include <cstddef>
#include <cstdint>

namespace zov {

static_assert(std::endian::native == std::endian::little,
              "JW_CAD records are read whole and are little-endian");

// The two programs that read JW_CAD files differ in a few rules; the reader
// functions that differ take this switch.
enum class JwProgram {
    Viewer,     // ZovView: data and symbol files, count block read by pattern
    Converter,  // ZR_JWK: symbol files only, count block read field by field
};

constexpr std::size_t kJwBlockSize = 200;
using JwBlock = char[kJwBlockSize];

// Offsets of a data file. The element data, and everything between the
// group scales and it, lies 32 bytes further in the real-valued variant.
constexpr long kJwSymbolElementOffset = 400;
constexpr long kJwTextAreaBlockOffset = 600;
constexpr long kJwTextKindTableOffset = 1709;
constexpr long kJwGroupScalesOffset = 1797;
constexpr long kJwLayerStateOffset = 1829;
constexpr long kJwElementOffset = 2389;
constexpr long kJwRealVariantShift = 32;

constexpr int kJwLayers = 256;
constexpr int kJwGroups = 16;
constexpr int kJwTextKinds = 11;  // kinds 0 to 10
constexpr std::size_t kJwLayerNameSize = 8;
constexpr std::size_t kJwGroupNameSize = 16;
constexpr std::size_t kJwNamesSize = kJwLayers * kJwLayerNameSize + kJwGroups * kJwGroupNameSize;

// Text area: the first 255 bytes of a text are kept; a text without NUL is
// cut off after 1024 bytes.
constexpr std::size_t kJwTextKeep = 255;
constexpr std::size_t kJwTextLimit = 1024;

// Flags of a text record.
constexpr std::uint8_t kJwTextVertical = 32;
constexpr std::uint8_t kJwTextNarrow = 16;

// Line type 8 is JW_CAD's auxiliary (construction) line.
constexpr int kJwAuxiliaryLineType = 8;

#pragma pack(push, 1)

struct JwLineRecord {
    float start_x;
    float start_y;
    float end_x;
    float end_y;
    std::uint8_t line_type;  // 1-9
    std::uint8_t pen;        // 1-6
    std::uint8_t layer;      // 0-255
    std::uint8_t unused[3];
};

// A circle, arc, ellipse or elliptic arc. Angles are degrees x 65536.
struct JwCircleRecord {
    float centre_x;
    float centre_y;
    float radius;           // semi-axis along the tilt direction
    std::int16_t flatness;  // other semi-axis / radius x 10000
    std::int32_t start_angle;
    std::int32_t end_angle;
    std::int32_t tilt;
    std::uint8_t line_type;
    std::uint8_t pen;
    std::uint8_t layer;
    std::uint8_t unused[3];
};

// One text line from start to end; its string is the next one of the text area.
struct JwTextRecord {
    float start_x;
    float start_y;
    float end_x;
    float end_y;
    std::uint8_t unused[4];
    std::uint8_t kind;  // 0-10
    std::uint8_t layer;
    std::uint8_t flags;  // kJwTextVertical, kJwTextNarrow
    std::uint8_t unused2;
};

struct JwPointRecord {
    float x;
    float y;
    std::uint8_t layer;
    std::uint8_t pen;
    std::uint8_t unused[2];
};

#pragma pack(pop)

static_assert(sizeof(JwLineRecord) == 22);
static_assert(offsetof(JwLineRecord, start_y) == 4);
static_assert(offsetof(JwLineRecord, end_x) == 8);
static_assert(offsetof(JwLineRecord, end_y) == 12);
static_assert(offsetof(JwLineRecord, line_type) == 16);
static_assert(offsetof(JwLineRecord, pen) == 17);
static_assert(offsetof(JwLineRecord, layer) == 18);

static_assert(sizeof(JwCircleRecord) == 32);
static_assert(offsetof(JwCircleRecord, centre_y) == 4);
static_assert(offsetof(JwCircleRecord, radius) == 8);
static_assert(offsetof(JwCircleRecord, flatness) == 12);
static_assert(offsetof(JwCircleRecord, start_angle) == 14);
static_assert(offsetof(JwCircleRecord, end_angle) == 18);
static_assert(offsetof(JwCircleRecord, tilt) == 22);
static_assert(offsetof(JwCircleRecord, line_type) == 26);
static_assert(offsetof(JwCircleRecord, pen) == 27);
static_assert(offsetof(JwCircleRecord, layer) == 28);

static_assert(sizeof(JwTextRecord) == 24);
static_assert(offsetof(JwTextRecord, start_y) == 4);
static_assert(offsetof(JwTextRecord, end_x) == 8);
static_assert(offsetof(JwTextRecord, end_y) == 12);
static_assert(offsetof(JwTextRecord, kind) == 20);
static_assert(offsetof(JwTextRecord, layer) == 21);
static_assert(offsetof(JwTextRecord, flags) == 22);

static_assert(sizeof(JwPointRecord) == 12);
static_assert(offsetof(JwPointRecord, y) == 4);
static_assert(offsetof(JwPointRecord, layer) == 8);
static_assert(offsetof(JwPointRecord, pen) == 9);

}  // namespace zov
