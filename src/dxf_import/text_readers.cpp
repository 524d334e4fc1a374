// Readers of TEXT, ATTRIB and MTEXT: one text record per text line, its
// cleaned CP932 text in the string section.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_text.h"
#include "dxf_import/entity_groups.h"
#include "dxf_import/mtext_columns.h"
#include "store/text_metrics.h"

namespace zov {

namespace {

constexpr unsigned kTextCommonGroups = kLayerGroup | kColourGroup | kPaperSpaceGroup;

// Text flags of group 70 in the record's flag bits.
void take_text_flags(EntityRecord& record, int value) {
    if (value & 1) record.flags |= 3u;
    if (value & 2) record.flags |= 2u;
    if (value & 4) record.flags |= 4u;
}

// The style a text names none: "STANDARD" (in any letter case).
constexpr char kDefaultStyle[] = "STANDARD";

// A text of a TrueType style takes proportional advances.
void take_style(const DxfContext& context, EntityRecord& record, std::string_view style) {
    if (context.tables.is_proportional_style(style)) record.flags |= kTextProportional;
}

// A text in a vertical style turns a quarter back and moves half its height.
void make_vertical(EntityRecord& record) {
    record.text.angle -= 90;
    record.x1 += record.text.height / 2;
    record.text_style = 1;
}

// The MTEXT text is its chunks (group 3) followed by its last part (group 1);
// more than this is not kept.
constexpr std::size_t kMaxMtextBytes = 65536;
constexpr std::size_t kMaxMtextLines = 100;
constexpr double kMtextLineSpacing = 1.3;
// An underline runs this many text heights below the base line.
constexpr double kUnderlineDrop = 0.2;

// Attachment point 1 to 9 (top left ... bottom right) as the horizontal and
// vertical alignment codes of a text record.
void take_attachment(EntityRecord& record, int attachment) {
    if (attachment < 1 || attachment > 9) {
        record.h_align = 0;
        record.v_align = 1;
        return;
    }
    record.h_align = (attachment - 1) % 3;
    record.v_align = 3 - (attachment - 1) / 3;
}

using R = EntityRecord;
constexpr RealGroup kTextGroups[] = {{10, field<&R::x1>},
                                     {20, field<&R::y1>},
                                     {40, field<&R::text, &TextReals::height>},
                                     {41, field<&R::text, &TextReals::width_factor>},
                                     {50, field<&R::text, &TextReals::angle>}};
constexpr RealGroup kMtextGroups[] = {
    {10, field<&R::x1>}, {20, field<&R::y1>}, {40, field<&R::text, &TextReals::height>}};

// The width of a DXF text as the renderer draws it.
double text_width(const EntityRecord& record, std::string_view text) {
    return text_advance_width(kSourceDxf, record, text);
}

// A TEXT that is not left-aligned on its base line stands at its alignment
// point: centred, right-aligned or in the middle, on the base line or by
// its bottom, middle or top. ALIGNED (3) and FIT (5) texts run from the
// first point to the alignment point, ALIGNED by scaling the height and
// FIT by scaling the width.
void place_at_alignment_point(EntityRecord& record, std::string_view text, Point2 alignment) {
    const int h = record.h_align, v = record.v_align;
    if (h == 0 && v == 0) return;
    const double width = text_width(record, text);
    if (h == 3 || h == 5) {
        const double dx = alignment.x - record.x1, dy = alignment.y - record.y1;
        const double span = std::hypot(dx, dy);
        if (!(span > 0.0) || !(width > 0.0)) return;
        record.text.angle = degrees(std::atan2(dy, dx));
        if (h == 3) {
            record.text.height *= span / width;
        } else {
            record.text.width_factor =
                (record.text.width_factor > 0.0 ? record.text.width_factor : 1.0) * span / width;
        }
        return;
    }
    // MIDDLE (4) centres the text both ways.
    const Point2 at =
        h == 4 ? align_text_position(width, record.text.height, record.text.angle, 1, 2, alignment)
               : align_text_position(width, record.text.height, record.text.angle, h, v, alignment);
    record.x1 = at.x;
    record.y1 = at.y;
}

// A text seen from below (extrusion 0, 0, -1) lies mirrored in x. It is
// placed readable over the same box: it runs from the mirrored end of its
// base line at the mirrored angle.
void mirror_text(EntityRecord& record, std::string_view text) {
    const double width = text_width(record, text);
    const double angle = -record.text.angle;
    record.x1 = -record.x1 - width * std::cos(radians(angle));
    record.y1 -= width * std::sin(radians(angle));
    record.text.angle = angle;
}

// Text generation flags (group 71): 2 mirrors the text in x, about the line
// square to its base line through its anchor, and 4 in y, about its base
// line. The store keeps the box where it lands; a box mirrored in y is
// turned half a turn, which mirrors its characters once more.
constexpr int kGeneratedBackward = 2;
constexpr int kGeneratedUpsideDown = 4;

void apply_generation_flags(EntityRecord& record, std::string_view text, int flags, Point2 anchor) {
    if ((flags & (kGeneratedBackward | kGeneratedUpsideDown)) == 0) return;
    const double width = text_width(record, text);
    const double a = radians(record.text.angle);
    const Point2 u{std::cos(a), std::sin(a)}, up{-std::sin(a), std::cos(a)};
    Point2 start{record.x1, record.y1};
    if ((flags & kGeneratedBackward) != 0) {
        const double along = (start.x - anchor.x) * u.x + (start.y - anchor.y) * u.y;
        start = {start.x - (2 * along + width) * u.x, start.y - (2 * along + width) * u.y};
        record.flags ^= kTextBackward;
    }
    if ((flags & kGeneratedUpsideDown) != 0) {
        const double across = (start.x - anchor.x) * up.x + (start.y - anchor.y) * up.y;
        start = {start.x - 2 * across * up.x + width * u.x,
                 start.y - 2 * across * up.y + width * u.y};
        record.text.angle += 180.0;
        record.flags ^= kTextBackward;
    }
    record.x1 = start.x;
    record.y1 = start.y;
}

// The point a mirrored text is mirrored about: the alignment point of an
// aligned text, the middle of a text fitted between two points, else its
// start.
Point2 mirror_anchor(const EntityRecord& placed, std::string_view text, Point2 start,
                     const std::optional<Point2>& alignment) {
    const int h = placed.h_align, v = placed.v_align;
    if (!alignment || (h == 0 && v == 0)) return start;
    if (h != 3 && h != 5) return *alignment;
    const double half = text_width(placed, text) / 2, a = radians(placed.text.angle);
    return {placed.x1 + half * std::cos(a), placed.y1 + half * std::sin(a)};
}

double mtext_angle(double dx, double dy) {
    if (dx != 0) return degrees(std::atan(dy / dx));
    if (dy > 0) return 90;
    if (dy < 0) return 270;
    return 0;
}

}  // namespace

namespace {

// The groups that differ between TEXT and the attributes: where the text is,
// and where the vertical alignment is (an attribute's 73 is its field length).
struct TextItemCodes {
    int text;
    int vertical_alignment;
};
constexpr TextItemCodes kTextCodes{1, 73};
constexpr TextItemCodes kAttributeCodes{1, 74};
constexpr TextItemCodes kAttributeDefinitionCodes{2, 74};

// A TEXT, ATTRIB or ATTDEF.
int read_text_item(DxfContext& context, TextItemCodes codes) {
    EntityRecord record;
    record.kind = kEntityText;
    if (codes.text == 2) record.source_marks = kMarkAttributeDefinition;
    record.text.width_factor = 1.0;
    std::string text;
    bool vertical = false;
    std::optional<Point2> alignment;
    Extrusion extrusion;
    int generation = 0;
    std::string style = kDefaultStyle;
    read_entity_groups(context, record, kTextGroups, kTextCommonGroups,
                       [&](const DxfGroupReader& reader) {
                           if (reader.code() == codes.text) text = reader.value();
                           if (reader.code() == codes.vertical_alignment)
                               record.v_align = reader.integer();
                           switch (reader.code()) {
                               case 7:
                                   vertical = context.tables.is_vertical_style(reader.value());
                                   style = reader.value();
                                   break;
                               case 11:
                                   if (!alignment) alignment.emplace();
                                   alignment->x = reader.real();
                                   break;
                               case 21:
                                   if (!alignment) alignment.emplace();
                                   alignment->y = reader.real();
                                   break;
                               case 72: record.h_align = reader.integer(); break;
                               case 70: take_text_flags(record, reader.integer()); break;
                               case 71: generation = reader.integer(); break;
                               default: extrusion.take(reader); break;
                           }
                       });
    take_style(context, record, style);
    const CleanedText cleaned = clean_dxf_text(text);
    const Point2 start{record.x1, record.y1};
    if (alignment) place_at_alignment_point(record, cleaned.text, *alignment);
    apply_generation_flags(record, cleaned.text, generation,
                           mirror_anchor(record, cleaned.text, start, alignment));
    if (extrusion.along_z() && extrusion.z < 0) mirror_text(record, cleaned.text);
    if (vertical) make_vertical(record);
    const PlaneScope plane(context, extrusion);
    return write_text_runs(context, record, cleaned, {0, cleaned.text.size()});
}

}  // namespace

int read_text(DxfContext& context) { return read_text_item(context, kTextCodes); }

int read_attribute(DxfContext& context) { return read_text_item(context, kAttributeCodes); }

int read_attribute_definition(DxfContext& context) {
    // Kept with its tag as text, marked; inside a block it is not drawn.
    return read_text_item(context, kAttributeDefinitionCodes);
}

namespace {

// The width of a half-width character of the drawing font, half its height:
// what the lines of an MTEXT are flowed by and the drawing's extents count.
double font_half_width(const EntityRecord& record) {
    const double factor = record.text.width_factor > 0.0 ? record.text.width_factor : 1.0;
    return text_font_height(kSourceDxf, record.text.height) * kHalfWidthPerFont * factor;
}

// One line of an MTEXT: a view into its cleaned text.
struct MtextLine {
    std::string_view text;
    bool starts_column = false;  // the first line after a column break
};

// The lines of an MTEXT: its paragraphs, flowed within `width` when it is
// not 0; at most kMaxMtextLines.
std::vector<MtextLine> flowed_lines(const EntityRecord& record, const CleanedText& cleaned,
                                    double width) {
    // The box was drawn around the text in the file's own, narrower
    // proportional fonts: it holds a fifth more characters than the drawing
    // font's half-width characters would fill.
    constexpr double kProportionalFontSlack = 1.2;
    const double advance = font_half_width(record);
    const double fit =
        width > 0.0 && advance > 0.0 ? kProportionalFontSlack * width / advance : 0.0;
    const std::string_view text = cleaned.text;
    std::vector<MtextLine> lines;
    for (std::string_view paragraph : split_mtext_lines(text, kMaxMtextLines)) {
        const auto offset = static_cast<std::size_t>(paragraph.data() - text.data());
        bool starts_column =
            offset >= 2 && std::find(cleaned.column_breaks.begin(), cleaned.column_breaks.end(),
                                     offset - 2) != cleaned.column_breaks.end();
        std::vector<std::string_view> pieces{paragraph};
        if (fit >= 1.0 && fit < static_cast<double>(paragraph.size()))
            pieces = wrap_mtext_line(paragraph, static_cast<std::size_t>(fit));
        for (std::string_view piece : pieces) {
            if (lines.size() >= kMaxMtextLines) break;
            lines.push_back({piece, std::exchange(starts_column, false)});
        }
    }
    return lines;
}

}  // namespace

int read_mtext(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityText;
    record.text.width_factor = 1.0;
    std::string chunks;
    std::string last_part;
    bool vertical = false;
    int attachment = 0;
    bool has_attachment = false;
    double dx = 0.0;
    double dy = 0.0;
    double box_width = 0.0;
    std::string style = kDefaultStyle;
    MtextColumnReader columns;
    // Newer files (R2018) repeat the text's frame in an "Embedded Object"
    // after the text; its groups would overwrite the position, direction and
    // height, so only its columns are taken.
    bool embedded = false;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        const int code = reader.code();
        if (embedded || code >= 1000 || code == 46 || code == 48 || code == 49 || code == 75) {
            columns.take(code, reader.real(), embedded);
            continue;
        }
        if (take_common_group(context, record, kTextCommonGroups)) continue;
        if (take_real_group(reader, record, kMtextGroups)) continue;
        switch (code) {
            case 1: last_part = reader.value(); break;
            case 3:
                if (chunks.size() + reader.value().size() <= kMaxMtextBytes)
                    chunks += reader.value();
                break;
            case 7:
                vertical = context.tables.is_vertical_style(reader.value());
                style = reader.value();
                break;
            case 11: dx = reader.real(); break;
            case 21: dy = reader.real(); break;
            case 41: box_width = reader.real(); break;
            case 71:
                attachment = reader.integer();
                has_attachment = true;
                break;
            case 70: take_text_flags(record, reader.integer()); break;
            case 101: embedded = reader.value() == "Embedded Object"; break;
            default: break;
        }
    }
    record.text.angle = mtext_angle(dx, dy);
    take_style(context, record, style);
    const CleanedText cleaned = clean_dxf_text(std::move(chunks) + last_part);
    if (vertical) make_vertical(record);
    if (cleaned.attachment == 1) attachment = 5;
    if (cleaned.attachment == 2) attachment = 2;
    take_attachment(record, attachment);
    return write_mtext_lines(context, record, cleaned, has_attachment, box_width,
                             columns.columns());
}

int write_text_runs(DxfContext& context, const EntityRecord& record, const CleanedText& cleaned,
                    TextSpan span) {
    const std::string_view text = std::string_view(cleaned.text).substr(span.start, span.length);
    const std::size_t end = span.start + text.size();
    // The run the span starts in.
    auto run = std::upper_bound(cleaned.runs.begin(), cleaned.runs.end(), span.start,
                                [](std::size_t at, const TextRun& r) { return at < r.start; });
    const TextRun plain;
    const TextRun& first = run == cleaned.runs.begin() ? plain : *std::prev(run);
    auto coloured = [](EntityRecord piece, const TextRun& style) {
        if (style.colour > 0) piece.colour = style.colour;
        return piece;
    };
    // Vertical texts and empty lines stay whole, in the colour of their start.
    if (text.empty() || record.text_style % 10 == 1) {
        EntityRecord whole = coloured(record, first);
        return context.write_text(whole, text);
    }
    const double angle = radians(record.text.angle);
    int written = 0;
    for (std::size_t at = span.start; at < end;) {
        const TextRun& style = at == span.start ? first : *std::prev(run);
        const std::size_t next = run == cleaned.runs.end() ? end : std::min(end, run->start);
        if (run != cleaned.runs.end()) ++run;
        if (next == at) continue;
        EntityRecord piece = coloured(record, style);
        const double before = text_width(record, text.substr(0, at - span.start));
        piece.x1 += before * std::cos(angle);
        piece.y1 += before * std::sin(angle);
        written += context.write_text(piece, text.substr(at - span.start, next - at));
        if (style.underlined) {
            const double length = text_width(record, text.substr(at - span.start, next - at));
            const double drop = kUnderlineDrop * record.text.height;
            const Point2 from{piece.x1 + drop * std::sin(angle), piece.y1 - drop * std::cos(angle)};
            const Point2 to{from.x + length * std::cos(angle), from.y + length * std::sin(angle)};
            written += write_two_point_record(context, piece, kEntityLine, from, to, false);
        }
        at = next;
    }
    return written;
}

int write_mtext_lines(DxfContext& context, const EntityRecord& record, const CleanedText& cleaned,
                      bool aligned, double box_width, const MtextColumns& columns) {
    const double height = record.text.height;
    const double down = radians(record.text.angle + 270);
    const double along = radians(record.text.angle);
    const bool in_columns = columns.laid_out();
    const Point2 origin{record.x1, record.y1};
    int written = 0;
    std::size_t column = 0;
    std::size_t row = 0;
    for (const MtextLine& line :
         flowed_lines(record, cleaned, in_columns ? columns.width : box_width)) {
        // A column ends at a column break, or where its next line would
        // reach below its height; every column holds a line at least.
        if (in_columns && row > 0) {
            const double limit = columns.height(column);
            if (line.starts_column ||
                (limit > 0.0 && static_cast<double>(row) * kMtextLineSpacing * height + height >
                                    limit * (1 + 1e-9))) {
                ++column;
                row = 0;
            }
        }
        const double shift = static_cast<double>(row) * kMtextLineSpacing * height;
        const double shift_along = static_cast<double>(column) * (columns.width + columns.gutter);
        const Point2 line_start{origin.x + shift * std::cos(down) + shift_along * std::cos(along),
                                origin.y + shift * std::sin(down) + shift_along * std::sin(along)};
        auto placed = [&](double width) {
            return aligned ? align_text_position(width, height, record.text.angle, record.h_align,
                                                 record.v_align, line_start)
                           : line_start;
        };
        const Point2 at = placed(text_width(record, line.text));
        EntityRecord line_record = record;
        line_record.x1 = at.x;
        line_record.y1 = at.y;
        ++row;
        // The drawing's extents count the line in the drawing font's half
        // widths, as they always have.
        const double counted = static_cast<double>(line.text.size()) * font_half_width(record);
        const Point2 counted_at = placed(counted);
        context.report_point(counted_at.x, counted_at.y);
        context.report_point(counted_at.x + counted, counted_at.y + height);
        const auto start = static_cast<std::size_t>(line.text.data() - cleaned.text.data());
        written += write_text_runs(context, line_record, cleaned, {start, line.text.size()});
    }
    return written;
}

}  // namespace zov
