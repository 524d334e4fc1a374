// Readers of TEXT, ATTRIB and MTEXT: one text record per text line, its
// cleaned CP932 text in the string section.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_text.h"
#include "dxf_import/entity_groups.h"
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
    return text_advance_width(kSourceDxf, record.text.height, record.text.width_factor, text);
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

double mtext_angle(double dx, double dy) {
    if (dx != 0) return degrees(std::atan(dy / dx));
    if (dy > 0) return 90;
    if (dy < 0) return 270;
    return 0;
}

}  // namespace

int read_text(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityText;
    record.text.width_factor = 1.0;
    std::string text;
    bool vertical = false;
    std::optional<Point2> alignment;
    double extrusion_z = 1.0;
    read_entity_groups(context, record, kTextGroups, kTextCommonGroups,
                       [&](const DxfGroupReader& reader) {
                           switch (reader.code()) {
                               case 1: text = reader.value(); break;
                               case 7:
                                   vertical = context.tables.is_vertical_style(reader.value());
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
                               case 73: record.v_align = reader.integer(); break;
                               case 70: take_text_flags(record, reader.integer()); break;
                               case 230: extrusion_z = reader.real(); break;
                               default: break;
                           }
                       });
    decode_dxf_text(text);
    if (alignment) place_at_alignment_point(record, text, *alignment);
    if (extrusion_z < 0) mirror_text(record, text);
    if (vertical) make_vertical(record);
    return context.write_text(record, text);
}

namespace {

// The width of a half-width character of the drawing font, half its height:
// what the lines of an MTEXT are flowed by and the drawing's extents count.
double font_half_width(const EntityRecord& record) {
    const double factor = record.text.width_factor > 0.0 ? record.text.width_factor : 1.0;
    return text_font_height(kSourceDxf, record.text.height) * kHalfWidthPerFont * factor;
}

// The lines of an MTEXT: its paragraphs, flowed within the width of its box
// (group 41) when it has one; at most kMaxMtextLines. The colour of each
// paragraph (`colours`, one per paragraph) goes with its lines.
std::vector<std::string_view> flowed_lines(const EntityRecord& record, std::string_view text,
                                           double box_width, std::vector<int>& colours) {
    // The box was drawn around the text in the file's own, narrower
    // proportional fonts: it holds a fifth more characters than the drawing
    // font's half-width characters would fill.
    constexpr double kProportionalFontSlack = 1.2;
    const double advance = font_half_width(record);
    const double fit =
        box_width > 0.0 && advance > 0.0 ? kProportionalFontSlack * box_width / advance : 0.0;
    std::vector<std::string_view> lines;
    std::vector<int> line_colours;
    std::size_t k = 0;
    for (std::string_view paragraph : split_mtext_lines(text, kMaxMtextLines)) {
        const int colour = k < colours.size() ? colours[k] : 0;
        ++k;
        std::vector<std::string_view> pieces{paragraph};
        if (fit >= 1.0 && fit < static_cast<double>(paragraph.size()))
            pieces = wrap_mtext_line(paragraph, static_cast<std::size_t>(fit));
        for (std::string_view piece : pieces) {
            if (lines.size() >= kMaxMtextLines) break;
            lines.push_back(piece);
            line_colours.push_back(colour);
        }
    }
    colours = std::move(line_colours);
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
    // Newer files (R2018) repeat the text's frame in an "Embedded Object"
    // block after the text; its groups would overwrite the position,
    // direction and height, so they are passed over.
    bool embedded = false;
    DxfGroupReader& reader = context.reader;
    while (reader.read_pair()) {
        if (embedded) continue;
        if (take_common_group(context, record, kTextCommonGroups)) continue;
        if (take_real_group(reader, record, kMtextGroups)) continue;
        switch (reader.code()) {
            case 1: last_part = reader.value(); break;
            case 3:
                if (chunks.size() + reader.value().size() <= kMaxMtextBytes)
                    chunks += reader.value();
                break;
            case 7: vertical = context.tables.is_vertical_style(reader.value()); break;
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
    std::string text = std::move(chunks) + last_part;
    std::vector<int> line_colours;
    const int asked = decode_dxf_text(text, &line_colours);
    if (vertical) make_vertical(record);
    if (asked == 1) attachment = 5;
    if (asked == 2) attachment = 2;
    take_attachment(record, attachment);
    return write_mtext_lines(context, record, text, has_attachment, box_width, line_colours);
}

int write_mtext_lines(DxfContext& context, const EntityRecord& record, std::string_view text,
                      bool aligned, double box_width, std::vector<int> line_colours) {
    const double height = record.text.height;
    const double down = radians(record.text.angle + 270);
    const Point2 origin{record.x1, record.y1};
    int written = 0;
    std::size_t k = 0;
    for (std::string_view line : flowed_lines(record, text, box_width, line_colours)) {
        const double shift = static_cast<double>(k) * kMtextLineSpacing * height;
        const Point2 line_start{origin.x + shift * std::cos(down),
                                origin.y + shift * std::sin(down)};
        auto placed = [&](double width) {
            return aligned ? align_text_position(width, height, record.text.angle, record.h_align,
                                                 record.v_align, line_start)
                           : line_start;
        };
        const Point2 at = placed(text_width(record, line));
        EntityRecord line_record = record;
        line_record.x1 = at.x;
        line_record.y1 = at.y;
        // A line written in a colour of its own (\C) takes it.
        if (k < line_colours.size() && line_colours[k] > 0 && line_colours[k] <= 256)
            line_record.colour = line_colours[k];
        ++k;
        // The drawing's extents count the line in the drawing font's half
        // widths, as they always have.
        const double counted = static_cast<double>(line.size()) * font_half_width(record);
        const Point2 counted_at = placed(counted);
        context.report_point(counted_at.x, counted_at.y);
        context.report_point(counted_at.x + counted, counted_at.y + height);
        written += context.write_text(line_record, line);
    }
    return written;
}

}  // namespace zov
