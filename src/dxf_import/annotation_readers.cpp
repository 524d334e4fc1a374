// MULTILEADER and ACAD_TABLE. A table is drawn through the anonymous block
// that holds its picture, as an insert of that block at the table's
// insertion point. A multileader has no such block: its leader lines become
// line records (the first leg of each with an arrow head, kind 4) up to the
// leader's landing and dogleg, and its text becomes text records, one per
// line, hanging from the text's top left corner.
#include <cmath>
#include <string>
#include <vector>

#include "dxf_import/dxf_geometry.h"
#include "dxf_import/dxf_text.h"
#include "dxf_import/entity_groups.h"
#include "dxf_import/mtext_columns.h"

namespace zov {

int read_table(DxfContext& context) {
    EntityRecord record;
    record.kind = kEntityInsert;
    record.insert.scale_x = record.insert.scale_y = 1.0;
    bool has_block = false, has_point = false;
    // The table's own data repeats these codes for its cells: the first ones count.
    read_entity_groups(context, record, {}, kAllCommonGroups, [&](const DxfGroupReader& reader) {
        if (reader.code() == 2 && !has_block) {
            take_block_name(context, record);
            has_block = true;
        }
        if (reader.code() == 10 && !has_point) record.x1 = reader.real();
        if (reader.code() == 20 && !has_point) {
            record.y1 = reader.real();
            has_point = true;
        }
    });
    return context.write_entity(record);
}

namespace {

// Most leader lines and vertices of one multileader kept.
constexpr std::size_t kMaxLeaderLines = 100;
constexpr std::size_t kMaxLineVertices = 1000;

struct Leader {
    std::vector<std::vector<Point2>> lines;
    Point2 landing;  // where its lines end and the dogleg starts
    Point2 dogleg_direction;
    double dogleg_length = 0.0;
};

// The parts of a multileader as its nested groups ("CONTEXT_DATA{",
// "LEADER{", "LEADER_LINE{", each closed by "}") give them.
class MultileaderParts {
public:
    void take(const DxfGroupReader& reader) {
        const int code = reader.code();
        if (take_structure(code, reader.value())) return;
        if (in_line_) {
            if (code == 10) point_.x = reader.real();
            if (code == 20 && !leaders.empty() && !leaders.back().lines.empty()) {
                point_.y = reader.real();
                auto& line = leaders.back().lines.back();
                if (line.size() < kMaxLineVertices) line.push_back(point_);
            }
        } else if (in_leader_ && !leaders.empty()) {
            Leader& leader = leaders.back();
            switch (code) {
                case 10: leader.landing.x = reader.real(); break;
                case 20: leader.landing.y = reader.real(); break;
                case 11: leader.dogleg_direction.x = reader.real(); break;
                case 21: leader.dogleg_direction.y = reader.real(); break;
                case 40: leader.dogleg_length = reader.real(); break;
                default: break;
            }
        } else if (in_context_) {
            switch (code) {
                case 41: text_height = reader.real(); break;
                case 304: text = reader.value(); break;
                case 12: text_at.x = reader.real(); break;
                case 22: text_at.y = reader.real(); break;
                case 13: text_direction.x = reader.real(); break;
                case 23: text_direction.y = reader.real(); break;
                default: break;
            }
        } else if (code == 170) {
            lines_shown = reader.integer() != 0;  // leader type 0: no leader lines
        }
    }

    std::vector<Leader> leaders;
    std::string text;
    Point2 text_at;
    Point2 text_direction{1.0, 0.0};
    double text_height = 0.0;
    bool lines_shown = true;

private:
    bool take_structure(int code, std::string_view value) {
        if (code == 300 && value == "CONTEXT_DATA{") return in_context_ = true;
        if (code == 302 && value == "LEADER{" && in_context_) {
            leaders.emplace_back();
            return in_leader_ = true;
        }
        if (code == 304 && value == "LEADER_LINE{" && in_leader_) {
            if (leaders.back().lines.size() < kMaxLeaderLines) leaders.back().lines.emplace_back();
            return in_line_ = true;
        }
        if (value != "}") return false;
        if (code == 305) in_line_ = false;
        if (code == 303) in_leader_ = false;
        if (code == 301) in_context_ = false;
        return code >= 301 && code <= 305;
    }

    bool in_context_ = false, in_leader_ = false, in_line_ = false;
    Point2 point_;
};

// A leader line from its arrow tip through its vertices to the landing, and
// the dogleg beyond it.
int write_leader(DxfContext& context, const EntityRecord& base, const Leader& leader) {
    int written = 0;
    for (std::vector<Point2> line : leader.lines) {
        if (line.empty()) continue;
        if (line.back().x != leader.landing.x || line.back().y != leader.landing.y)
            line.push_back(leader.landing);
        for (std::size_t k = 0; k + 1 < line.size(); ++k)
            written += write_two_point_record(context, base, k == 0 ? kEntityLeader : kEntityLine,
                                              line[k], line[k + 1], true);
    }
    const double length = std::hypot(leader.dogleg_direction.x, leader.dogleg_direction.y);
    if (leader.dogleg_length != 0 && length > 0) {
        const double scale = leader.dogleg_length / length;
        const Point2 end{leader.landing.x + leader.dogleg_direction.x * scale,
                         leader.landing.y + leader.dogleg_direction.y * scale};
        written += write_two_point_record(context, base, kEntityLine, leader.landing, end, true);
    }
    return written;
}

}  // namespace

int read_multileader(DxfContext& context) {
    EntityRecord base;
    MultileaderParts parts;
    read_entity_groups(context, base, {}, kAllCommonGroups,
                       [&](const DxfGroupReader& reader) { parts.take(reader); });
    int written = 0;
    if (parts.lines_shown) {
        for (const Leader& leader : parts.leaders) written += write_leader(context, base, leader);
    }
    if (parts.text.empty()) return written;
    EntityRecord text = base;
    text.kind = kEntityText;
    text.x1 = parts.text_at.x;
    text.y1 = parts.text_at.y;
    text.text.width_factor = 1.0;
    text.text.height = parts.text_height;
    text.text.angle = degrees(std::atan2(parts.text_direction.y, parts.text_direction.x));
    text.h_align = 0;  // top left
    text.v_align = 3;
    return written +
           write_mtext_lines(context, text, clean_dxf_text(parts.text), true, 0.0, MtextColumns{});
}

}  // namespace zov
