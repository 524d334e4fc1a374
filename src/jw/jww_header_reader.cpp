#include "jw/jww_header_reader.h"

#include <string>

#include "jw/jww_strings.h"

namespace zov {

namespace {

// Versions at which header fields appear.
constexpr std::uint32_t kVersionEyeSettings = 223;
constexpr std::uint32_t kVersionLastInputs = 225;
constexpr std::uint32_t kVersionSolidColour = 230;
constexpr std::uint32_t kVersionSkyMap = 300;

constexpr int kSymbolPadding = 192;
constexpr int kLineTypes = 8;  // patterned types 2-9
constexpr int kRandomLines = 5;
constexpr int kDoubleLengthTypes = 4;
constexpr int kSwitches = 11;
constexpr int kParallelDistances = 10;
constexpr int kSxfPitches = 10;

// Reads and drops `n` fields of the given widths.
void skip_dwords(JwwByteSource& s, int n) { s.skip(std::int64_t{4} * n); }
void skip_doubles(JwwByteSource& s, int n) { s.skip(std::int64_t{8} * n); }

class DrawingHeaderReader {
public:
    DrawingHeaderReader(JwwByteSource& source, JwwHeader& header) : s_(source), h_(header) {}

    bool read() {
        h_.kind = JwwFileKind::Drawing;
        h_.version = s_.u32();
        string(h_.memo);
        h_.paper = s_.u32();
        h_.write_group = s_.u32();
        for (JwwLayerGroup& group : h_.groups) {
            group.state = s_.u32();
            group.write_layer = s_.u32();
            group.scale = s_.f64();
            group.protection = s_.u32();
            for (int l = 0; l < kJwwLayersPerGroup; ++l) {
                group.layer_state[l] = s_.u32();
                group.layer_protection[l] = s_.u32();
            }
        }
        skip_dwords(s_, 14 + 5 + 1 + 1);  // reserved, dimension settings, reserved, widest line
        skip_doubles(s_, 2 + 1);          // printer origin and magnification
        skip_dwords(s_, 2);               // printer setting, grid mode
        skip_doubles(s_, 1 + 2 + 2);      // grid: smallest spacing, spacing, origin
        for (JwwLayerGroup& group : h_.groups)
            for (std::string& name : group.layer_names) string(name);
        for (JwwLayerGroup& group : h_.groups) string(group.name);
        read_studies_and_views();
        read_pens_and_line_types();
        read_optional_settings();
        if (h_.version >= kJwwVersionSxf) read_sxf_tables();
        for (JwwTextKind& kind : h_.text_kinds) {
            kind.width = s_.f64();
            kind.height = s_.f64();
            kind.spacing = s_.f64();
            kind.colour = s_.u32();
        }
        skip_doubles(s_, 3);  // current text size
        skip_dwords(s_, 2);
        skip_doubles(s_, 2);  // text tidy-up
        skip_dwords(s_, 1);   // base-point offsets in use
        skip_doubles(s_, 6);  // base-point offsets
        return readable_;
    }

private:
    void string(std::string& text) {
        if (!read_jww_string(s_, text)) readable_ = false;
    }

    // Sun-shadow and sky-map studies, the 2.5D unit, the stored views.
    void read_studies_and_views() {
        skip_doubles(s_, 2);
        skip_dwords(s_, 1);
        skip_doubles(s_, 1);
        if (h_.version >= kVersionSkyMap) skip_doubles(s_, 2);
        skip_dwords(s_, 1);
        skip_doubles(s_, 3 + 3);  // view at save, stored range view
        if (h_.version >= kVersionSkyMap) {
            for (int jump = 0; jump < 8; ++jump) {
                skip_doubles(s_, 3);
                skip_dwords(s_, 1);
            }
            skip_doubles(s_, 3);  // reserved, then the text background settings
            skip_dwords(s_, 1);
            skip_doubles(s_, 2 + 1);
            skip_dwords(s_, 1);
        } else {
            skip_doubles(s_, 4 * 3);
        }
        skip_doubles(s_, kParallelDistances + 1);
    }

    void read_pens_and_line_types() {
        for (int pen = 0; pen < kJwwPens; ++pen) {
            h_.pen_colours[pen] = s_.u32();
            h_.pen_widths[pen] = s_.u32();
        }
        for (int pen = 0; pen < kJwwPens; ++pen) {  // printer pens
            skip_dwords(s_, 2);
            skip_doubles(s_, 1);
        }
        skip_dwords(s_, kLineTypes * 4 + kRandomLines * 5 + kDoubleLengthTypes * 4);
        skip_dwords(s_, kSwitches);
    }

    void read_optional_settings() {
        if (h_.version >= kVersionEyeSettings) {
            skip_dwords(s_, 2 + 3);
            skip_doubles(s_, 5);
        }
        if (h_.version >= kVersionLastInputs) skip_doubles(s_, 4);
        if (h_.version >= kVersionSolidColour) skip_dwords(s_, 2);
    }

    void read_sxf_tables() {
        for (int n = 0; n < kJwwSxfColours; ++n) {
            h_.sxf_colours[n] = s_.u32();
            skip_dwords(s_, 1);  // width
        }
        for (int n = 0; n < kJwwSxfColours; ++n) {  // printer colours with their names
            string(h_.sxf_colour_names[n]);
            skip_dwords(s_, 2);
            skip_doubles(s_, 1);
        }
        skip_dwords(s_, kJwwSxfLineTypes * 4);
        for (int n = 0; n < kJwwSxfLineTypes; ++n) {
            string(h_.sxf_line_type_names[n]);
            skip_dwords(s_, 1);
            skip_doubles(s_, kSxfPitches);
        }
    }

    JwwByteSource& s_;
    JwwHeader& h_;
    bool readable_ = true;
};

}  // namespace

bool read_jww_drawing_header(JwwByteSource& source, JwwHeader& header) {
    return DrawingHeaderReader(source, header).read();
}

bool read_jww_symbol_header(JwwByteSource& source, JwwHeader& header) {
    header.kind = JwwFileKind::Symbol;
    source.skip(kSymbolPadding);
    header.version = source.u32();
    header.origin_x = source.f64();
    header.origin_y = source.f64();
    for (JwwLayerGroup& group : header.groups) group.scale = source.f64();
    skip_dwords(source, 6);  // constants of unknown meaning
    skip_doubles(source, 6);
    header.bounds_left = source.f64();
    header.bounds_bottom = source.f64();
    header.bounds_right = source.f64();
    header.bounds_top = source.f64();
    return true;
}

}  // namespace zov
