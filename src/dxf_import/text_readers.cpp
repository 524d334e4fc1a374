// Readers of TEXT, ATTRIB and MTEXT: one text record per text line, its
// cleaned CP932 text in the string section.
#include <cmath>
#include <string>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_text.h"
#include "dxf_import/entity_groups.h"

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
    record.p80 -= 90;
    record.x1 += record.p64 / 2;
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
constexpr RealGroup kTextGroups[] = {
    {10, &R::x1}, {20, &R::y1}, {40, &R::p64}, {41, &R::p56}, {50, &R::p80}};
constexpr RealGroup kMtextGroups[] = {{10, &R::x1}, {20, &R::y1}, {40, &R::p64}};

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
    record.p56 = 1.0;
    std::string text;
    bool vertical = false;
    read_entity_groups(context, record, kTextGroups, kTextCommonGroups,
                       [&](const DxfGroupReader& reader) {
                           switch (reader.code()) {
                               case 1: text = reader.value(); break;
                               case 7:
                                   vertical = context.tables.is_vertical_style(reader.value());
                                   break;
                               case 72: record.h_align = reader.integer(); break;
                               case 73: record.v_align = reader.integer(); break;
                               case 70: take_text_flags(record, reader.integer()); break;
                               default: break;
                           }
                       });
    decode_dxf_text(text);
    if (vertical) make_vertical(record);
    return context.write_text(record, text);
}

int read_mtext(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityText;
    record.p56 = 1.0;
    std::string chunks;
    std::string last_part;
    bool vertical = false;
    int attachment = 0;
    bool has_attachment = false;
    double dx = 0.0;
    double dy = 0.0;
    read_entity_groups(context, record, kMtextGroups, kTextCommonGroups,
                       [&](const DxfGroupReader& reader) {
                           switch (reader.code()) {
                               case 1: last_part = reader.value(); break;
                               case 3:
                                   if (chunks.size() + reader.value().size() <= kMaxMtextBytes)
                                       chunks += reader.value();
                                   break;
                               case 7:
                                   vertical = context.tables.is_vertical_style(reader.value());
                                   break;
                               case 11: dx = reader.real(); break;
                               case 21: dy = reader.real(); break;
                               case 71:
                                   attachment = reader.integer();
                                   has_attachment = true;
                                   break;
                               case 70: take_text_flags(record, reader.integer()); break;
                               default: break;
                           }
                       });
    record.p80 = mtext_angle(dx, dy);
    std::string text = std::move(chunks) + last_part;
    const int asked = decode_dxf_text(text);
    if (vertical) make_vertical(record);
    if (asked == 1) attachment = 5;
    if (asked == 2) attachment = 2;
    take_attachment(record, attachment);
    return write_mtext_lines(context, record, text, has_attachment);
}

int write_mtext_lines(DxfContext& context, const EntityRecord& record, std::string_view text,
                      bool aligned) {
    const double height = record.p64;
    const double down = radians(record.p80 + 270);
    const Point2 origin{record.x1, record.y1};
    int written = 0;
    int k = 0;
    for (std::string_view line : split_mtext_lines(text, kMaxMtextLines)) {
        const double shift = k++ * kMtextLineSpacing * height;
        Point2 at{origin.x + shift * std::cos(down), origin.y + shift * std::sin(down)};
        if (aligned)
            at = align_text_position(line.size(), height, record.p80, record.h_align,
                                     record.v_align, at);
        EntityRecord line_record = record;
        line_record.x1 = at.x;
        line_record.y1 = at.y;
        context.report_point(at.x, at.y);
        context.report_point(at.x + static_cast<double>(line.size()) * height, at.y + height);
        written += context.write_text(line_record, line);
    }
    return written;
}

}  // namespace zov
