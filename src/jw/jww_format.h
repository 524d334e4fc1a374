#pragma once
// What a JW_CAD for Windows drawing (.jww) or symbol (.jws) holds, as the
// reader hands it on: the document header and one value per entity. All
// coordinates and lengths are paper millimetres with (0, 0) at the centre of
// the paper; the real size is a length times its layer group's scale
// denominator. Angles are radians counter-clockwise from +x, except the text
// angle, which the file holds in degrees. Strings are CP932, whichever of
// its two string forms the file used.
#include <array>
#include <cstdint>
#include <string>

namespace zov {

enum class JwwFileKind { Drawing, Symbol };

constexpr int kJwwGroups = 16;
constexpr int kJwwLayersPerGroup = 16;
constexpr int kJwwPens = 10;          // 0 background, 1-8 line colours, 9 grey
constexpr int kJwwSxfColours = 257;   // colour numbers 100 to 356
constexpr int kJwwSxfLineTypes = 33;  // line-type numbers 30 to 62
constexpr int kJwwTextKinds = 10;     // text kinds 1 to 10

// Data versions at which fields appear; a version is compared with >=.
constexpr std::uint32_t kJwwVersionPenWidth = 351;
constexpr std::uint32_t kJwwVersionSxf = 420;
constexpr std::uint32_t kJwwVersionImages = 700;

// Layer and group states and protections.
constexpr std::uint32_t kJwwHidden = 0;
constexpr std::uint32_t kJwwDisplayOnly = 1;
constexpr std::uint32_t kJwwUnprotected = 0;

// Colour numbers and line types with a meaning of their own.
constexpr std::uint16_t kJwwSolidOwnColour = 10;  // solids: the RGB is stored
constexpr std::uint16_t kJwwFirstSxfColour = 100;
constexpr std::uint8_t kJwwFirstSxfLineType = 30;
constexpr std::uint8_t kJwwMarkerPoint = 100;  // points: marker code, angle, scale follow

// Attribute flags (JwwEntityBase::flags) the importers look at.
constexpr std::uint16_t kJwwTextVertical = 0x0020;

struct JwwLayerGroup {
    std::uint32_t state = 2;  // 0 hidden, 1 display only, 2 editable, 3 current
    std::uint32_t write_layer = 0;
    double scale = 1;              // denominator: 100 = 1:100
    std::uint32_t protection = 0;  // 0 none, 1 protected, 2 fixed
    std::array<std::uint32_t, kJwwLayersPerGroup> layer_state{};
    std::array<std::uint32_t, kJwwLayersPerGroup> layer_protection{};
    std::array<std::string, kJwwLayersPerGroup> layer_names;  // often empty
    std::string name;                                         // often empty
};

struct JwwTextKind {
    double width = 0, height = 0, spacing = 0;
    std::uint32_t colour = 0;
};

// The document header of a .jww, or what a .jws header has of it (the group
// scales, origin and bounds; every other field keeps its default).
struct JwwHeader {
    JwwFileKind kind = JwwFileKind::Drawing;
    std::uint32_t version = 0;
    std::string memo;
    std::uint32_t paper = 3;  // 0-4 = A0-A4, 8-11 = 2A-5A, 12-14 = 10 m, 50 m, 100 m
    std::uint32_t write_group = 0;
    std::array<JwwLayerGroup, kJwwGroups> groups;
    // Screen pens as COLORREF (0x00BBGGRR) and widths.
    std::array<std::uint32_t, kJwwPens> pen_colours{};
    std::array<std::uint32_t, kJwwPens> pen_widths{};
    // SXF colours (number 100 + n) as COLORREF, and names of colours and line types.
    std::array<std::uint32_t, kJwwSxfColours> sxf_colours{};
    std::array<std::string, kJwwSxfColours> sxf_colour_names;
    std::array<std::string, kJwwSxfLineTypes> sxf_line_type_names;
    std::array<JwwTextKind, kJwwTextKinds> text_kinds{};
    // Symbols: the insertion point and the box of the contents.
    double origin_x = 0, origin_y = 0;
    double bounds_left = 0, bounds_bottom = 0, bounds_right = 0, bounds_top = 0;
};

// The fields every entity begins with.
struct JwwEntityBase {
    std::uint32_t curve = 0;       // non-zero ties the pieces of one curve together
    std::uint8_t pen_style = 1;    // line type; points, texts and solids reuse it
    std::uint16_t pen_colour = 1;  // colour number
    std::uint16_t pen_width = 0;   // 0 = the pen's width; texts reuse it
    std::uint16_t layer = 0;       // 0-15 within the group
    std::uint16_t group = 0;       // layer group 0-15
    std::uint16_t flags = 0;       // attribute flags, meaning per class
};

struct JwwLine {
    JwwEntityBase base;
    double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
};

// A circle, arc, ellipse or elliptic arc.
struct JwwArc {
    JwwEntityBase base;
    double centre_x = 0, centre_y = 0;
    double radius = 0;      // semi-axis along the tilt
    double start = 0;       // radians
    double sweep = 0;       // radians; negative sweeps run clockwise
    double tilt = 0;        // radians
    double flattening = 1;  // other semi-axis / radius; 1 = circular
    bool full = false;
};

struct JwwPoint {
    JwwEntityBase base;
    double x = 0, y = 0;
    bool temporary = false;  // a construction point, not printed
    // Marker points (pen style kJwwMarkerPoint) only.
    std::uint32_t marker = 0;
    double marker_angle = 0;  // radians
    double marker_scale = 0;
};

struct JwwText {
    JwwEntityBase base;  // pen_style = base-point position, pen_colour = colour
    double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
    std::uint32_t kind = 0;  // 0 free size, 1-10 the header's kinds; +10000/+20000 style bits
    double width = 0, height = 0, spacing = 0;  // per character cell, paper mm
    double angle = 0;                           // degrees
    std::string font;
    std::string text;
};

// A filled quadrilateral, corners in file order; round solids (pen style
// 101 and above) reuse the eight numbers.
struct JwwSolid {
    JwwEntityBase base;
    std::array<double, 4> x{}, y{};
    std::uint32_t rgb = 0;  // COLORREF, when pen_colour is kJwwSolidOwnColour
};

struct JwwInsert {
    JwwEntityBase base;
    double x = 0, y = 0;
    double scale_x = 1, scale_y = 1;
    double angle = 0;                // radians
    std::uint32_t block_number = 0;  // JwwBlockDefinition::number, not a position
};

// A dimension: its line and value text, and from version 420 two extension
// lines and four points (arrows and reference points).
struct JwwDimension {
    JwwEntityBase base;
    JwwLine line;
    JwwText text;
    bool has_sxf_parts = false;
    std::uint16_t sxf_mode = 0;
    std::array<JwwLine, 2> extension_lines;
    std::array<JwwPoint, 4> points;
};

// The start of a block definition; its contents follow as entities up to
// the matching end. Contents are relative to the definition's base point.
struct JwwBlockDefinition {
    JwwEntityBase base;
    std::uint32_t number = 0;  // what inserts refer to
    bool referred = false;
    std::uint32_t time = 0;  // seconds since 1970 UTC
    std::string name;        // as stored, "@@SfigorgFlag@@n" suffix included
};

// An image embedded in a drawing: its name and size; the bytes are skipped.
struct JwwImage {
    std::string name;
    std::uint32_t size = 0;
};

}  // namespace zov
