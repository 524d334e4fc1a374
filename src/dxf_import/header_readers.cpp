// Readers of the HEADER variables the store takes over: drawing extents (or
// limits), dimension scale, paper-space limits, and the file version and code
// page, which tell how the file's text is encoded.
#include <algorithm>
#include <string>
#include <string_view>

#include "dxf/code_page.h"
#include "dxf/group_reader.h"
#include "dxf/numbers.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_readers.h"

namespace zov {

namespace {

constexpr bool kStopAtVariable = true;
// From this version (AutoCAD 2007) on, DXF files store their text as UTF-8.
constexpr int kFirstUtf8Version = 1021;
// Files of AutoCAD R12 (AC1009) and before may name no code page.
constexpr int kLastR12Version = 1009;

// The first two extents variables of the header widen the drawing extents;
// later ones (the limits, after the extents) are passed over.
int read_extents_variable(DxfContext& context, bool maximum) {
    StoreHeader& header = context.state.header;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair(kStopAtVariable)) {
        const int code = reader.code();
        if (context.state.extents_taken >= 2 || (code != 10 && code != 20)) continue;
        double& bound = code == 10 ? (maximum ? header.max_x : header.min_x)
                                   : (maximum ? header.max_y : header.min_y);
        bound = maximum ? std::max(bound, reader.real()) : std::min(bound, reader.real());
    }
    ++context.state.extents_taken;
    return 0;
}

// A paper-space limits point: group 10 sets x, group 20 sets y and ends it.
int read_paper_limits(DxfContext& context, double& x, double& y) {
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair(kStopAtVariable)) {
        if (reader.code() == 10) x = reader.real();
        if (reader.code() == 20) {
            y = reader.real();
            break;
        }
    }
    return 0;
}

}  // namespace

int read_extents_minimum(DxfContext& context) { return read_extents_variable(context, false); }

int read_extents_maximum(DxfContext& context) { return read_extents_variable(context, true); }

int read_dimension_scale(DxfContext& context) {
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair(kStopAtVariable)) {
        if (reader.code() == 40) {
            context.state.header.scale = reader.real();
            break;
        }
    }
    return 0;
}

int read_paper_limits_maximum(DxfContext& context) {
    StoreHeader& header = context.state.header;
    return read_paper_limits(context, header.pe_max_x, header.pe_max_y);
}

int read_paper_limits_minimum(DxfContext& context) {
    StoreHeader& header = context.state.header;
    return read_paper_limits(context, header.pe_min_x, header.pe_min_y);
}

namespace {

// The code page of an R12 file, which may name none: Western European
// (ANSI_1252) when the values of its groups do not all read as Shift-JIS,
// else none (the bytes are kept). A $DWGCODEPAGE further on still decides.
std::string_view guessed_code_page(const std::string& path) {
    DxfGroupReader values;
    if (!values.open(path)) return "";
    ShiftJisCheck check;
    while (!check.failed() && values.read_group() > 0) {
        check.feed(values.value());
        check.feed("\n");  // a lead byte does not reach into the next value
    }
    return check.passed() ? "" : "ANSI_1252";
}

}  // namespace

int read_version(DxfContext& context) {
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair(kStopAtVariable)) {
        if (reader.code() != 1) continue;
        const std::string_view version = reader.value();
        const int number = version.substr(0, 2) == "AC" ? parse_dxf_int(version.substr(2)) : 0;
        reader.set_utf8_text(number >= kFirstUtf8Version);
        if (number > 0 && number <= kLastR12Version)
            reader.set_code_page(guessed_code_page(context.source_path));
    }
    return 0;
}

int read_code_page(DxfContext& context) {
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair(kStopAtVariable)) {
        if (reader.code() == 3) reader.set_code_page(reader.value());
    }
    return 0;
}

}  // namespace zov
