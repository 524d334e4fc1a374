// The BLOCKS and ENTITIES sections of the full export: every store kind as
// the DXF entity that holds it, the drawing's blocks as BLOCK definitions
// and its inserts as INSERTs; a dimension becomes the lines, texts and
// solids of its picture.
#include <algorithm>
#include <cmath>
#include <string>

#include "common/cp932.h"
#include "common/paths.h"
#include "dxf_export/dxf_export.h"
#include "dxf_export/full_export.h"
#include "store/record_move.h"
#include "store/store_reader.h"

namespace zov {

namespace {

// Text styles of the tables: MT for texts, TMT (vertical) for vertical writing.
constexpr char kTextStyle[] = "MT";
constexpr char kVerticalTextStyle[] = "TMT";
constexpr char kTextMarker[] = "AcDbText";

// A section writes at most this many records of dimension pictures, so that
// a damaged store whose countless dimensions all show one huge picture
// cannot fill the disk; the dimensions beyond are left out.
constexpr long kMaxDimensionPartsPerSection = 10'000'000;

// A scale of 0 counts as 1, as the renderer draws it.
double insert_scale(double scale) { return scale == 0.0 ? 1.0 : scale; }

double finite_or_zero(double value) { return std::isfinite(value) ? value : 0.0; }

bool is_vertical(const EntityRecord& text) { return text.text_style % 10 != 0; }

// A line that stands for an XLINE or RAY and has a direction.
bool is_endless(const EntityRecord& line) {
    return (line.source_marks & (kMarkXline | kMarkRay)) != 0 &&
           (line.line.end_x != line.x1 || line.line.end_y != line.y1);
}

class FullEntityWriter {
public:
    FullEntityWriter(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                     const FullExportNames& names)
        : out_(out),
          handles_(handles),
          store_(store),
          names_(names),
          store_kind_(store.header().kind) {}

    // Records left out for a number that is not finite.
    int non_finite() const { return non_finite_; }

    // Writes one record of block `owner` (0: the drawing) on `layer`; false
    // when nothing of it could be written.
    bool write(const EntityRecord& e, const std::string& layer, std::int32_t owner) {
        if (!all_finite(e)) {
            ++non_finite_;
            return false;
        }
        switch (e.kind) {
            case kEntityLine:
                if (is_endless(e)) {
                    endless_line(e, layer);
                    break;
                }
                [[fallthrough]];
            case kEntityArc:
                head(curve_entity_type(e), e, layer);
                put_curve_geometry(out_, e);
                break;
            case kEntityPoint:
                head("POINT", e, layer);
                out_.text(100, "AcDbPoint");
                put_points(out_, {{e.x1, e.y1}});
                break;
            case kEntityLeader: leader(e, layer); break;
            case kEntityText:
            case kEntityLayerLabel:
            case kEntityFileLabel: text(e, layer); break;
            case kEntityInsert: return insert(e, layer, owner);
            case kEntityDimension: return dimension(e, layer, owner);
            case kEntitySolid:
                // A wipeout's mask is no SOLID of any colour: left out (and
                // counted), as the wipeout was before the viewer read it.
                if ((e.flags & kEntityBackgroundFill) != 0) return false;
                head("SOLID", e, layer);
                out_.text(100, "AcDbTrace");
                put_points(out_, {{e.solid.first_x, e.solid.first_y},
                                  {e.x1, e.y1},
                                  {e.solid.third_x, e.solid.third_y},
                                  {e.solid.fourth_x, e.solid.fourth_y}});
                break;
            default: return false;
        }
        return true;
    }

private:
    // Handle, paper space, layer, line type by name (BYLAYER for "as the
    // layer") and colour.
    void head(const char* type, const EntityRecord& e, const std::string& layer) {
        out_.text(0, type);
        out_.handle(5, handles_.next());
        out_.text(100, kEntityMarker);
        if (e.paper_space == 1) out_.text(67, "1");
        out_.texts({{8, layer}, {6, line_type_of(e)}});
        out_.integer(62, (e.source_marks & kMarkColourByLayer) != 0 ? 256
                         : (e.source_marks & kMarkColourByBlock) != 0
                             ? 0
                             : full_export_colour(store_kind_, e.colour));
    }

    // The line type by name; BYLAYER and BYBLOCK where the source said so,
    // the source's own line type where the store's side table has it.
    const char* line_type_of(const EntityRecord& e) const {
        if ((e.source_marks & kMarkLineTypeByBlock) != 0) return "BYBLOCK";
        if ((e.source_marks & kMarkLineTypeByLayer) != 0 || e.line_type == kLineByLayer)
            return "BYLAYER";
        if (const std::string* source = names_.source_line_type(e.source_line_type))
            return source->c_str();
        return line_type_name(e.line_type);
    }

    // One leg with its arrow head at the start, as a two-vertex LEADER.
    void leader(const EntityRecord& e, const std::string& layer) {
        head("LEADER", e, layer);
        out_.texts({{100, "AcDbLeader"},
                    {3, "STANDARD"},
                    {71, "1"},
                    {72, "0"},
                    {73, "3"},
                    {74, "0"},
                    {75, "0"},
                    {76, "2"}});
        put_points(out_, {{e.x1, e.y1}});
        put_points(out_, {{e.line.end_x, e.line.end_y}});
    }

    // The string of a text record: its bytes, or for the layer sheet's
    // labels the layer's name and the source file's name.
    std::string string_of(const EntityRecord& e) {
        std::string bytes;
        if (e.kind == kEntityText) {
            store_.read_text(e, bytes);
        } else if (e.kind == kEntityLayerLabel) {
            LayerRecord layer;
            if (store_.read_layer(e.layer, layer) == 0) bytes = fixed_text(layer.name);
        } else {
            const PathParts parts = split_path(fixed_text(store_.header().fname));
            bytes = parts.name + parts.extension;
        }
        return dxf_text_value(bytes);
    }

    // A text on the left end of its base line. A vertical text is written
    // with the vertical style, a quarter turn further and half a height
    // back, which is how DXF readers place vertical writing.
    void text(const EntityRecord& e, const std::string& layer) {
        const std::string value = string_of(e);
        const bool vertical = e.kind == kEntityText && is_vertical(e);
        const double height = e.text.height;
        const bool definition =
            e.kind == kEntityText && (e.source_marks & kMarkAttributeDefinition) != 0;
        head(definition ? "ATTDEF" : "TEXT", e, layer);
        out_.text(100, kTextMarker);
        put_points(out_, {{vertical ? e.x1 - height / 2 : e.x1, e.y1}});
        out_.real(40, height);
        out_.text(1, value);
        out_.real(50, vertical ? e.text.angle + 90.0 : e.text.angle);
        out_.real(41, e.text.width_factor > 0.0 ? e.text.width_factor : 1.0);
        if ((e.source_marks & kMarkAttributeDefinition) == 0 || e.kind != kEntityText) {
            out_.texts({{7, vertical ? kVerticalTextStyle : kTextStyle}, {100, kTextMarker}});
            return;
        }
        // An attribute definition: its tag (no blanks in a tag) is also its
        // default value, as the drawing shows it.
        std::string tag = value;
        std::replace(tag.begin(), tag.end(), ' ', '_');
        out_.texts({{7, vertical ? kVerticalTextStyle : kTextStyle},
                    {100, "AcDbAttributeDefinition"},
                    {3, ""},
                    {2, tag},
                    {70, "0"}});
    }

    // An XLINE or RAY kept as the part of it the drawing shows: a RAY from
    // its start, an XLINE through the middle of that part.
    void endless_line(const EntityRecord& e, const std::string& layer) {
        const bool ray = (e.source_marks & kMarkRay) != 0;
        const double dx = e.line.end_x - e.x1, dy = e.line.end_y - e.y1;
        const double length = std::hypot(dx, dy);
        head(ray ? "RAY" : "XLINE", e, layer);
        out_.text(100, ray ? "AcDbRay" : "AcDbXline");
        const PlanePoint base =
            ray ? PlanePoint{e.x1, e.y1} : PlanePoint{e.x1 + dx / 2, e.y1 + dy / 2};
        put_points(out_, {base, {dx / length, dy / length}});
    }

    bool insert(const EntityRecord& e, const std::string& layer, std::int32_t owner) {
        const std::string& name = names_.block_name(e.block);
        if (name.empty() || names_.looping_inserts.count({owner, e.block}) != 0) return false;
        head("INSERT", e, layer);
        out_.texts({{100, "AcDbBlockReference"}, {2, name}});
        put_points(out_, {{e.x1, e.y1}});
        out_.real(41, insert_scale(e.insert.scale_x));
        out_.real(42, insert_scale(e.insert.scale_y));
        out_.text(43, "1.0");
        out_.real(50, e.insert.rotation);
        return true;
    }

    // The picture block's records at the dimension's position, in the
    // dimension's colour, as the viewer draws them; its definition points
    // and any dimension inside a picture are left out. False when no part of
    // the picture was written.
    bool dimension(const EntityRecord& e, const std::string& layer, std::int32_t owner) {
        BlockRecord picture;
        if (e.block == owner || store_.read_block(e.block, picture) != 0) return false;
        bool any = false;
        for (std::int32_t i = 0; i < picture.count && dimension_parts_left_ > 0; ++i) {
            --dimension_parts_left_;
            EntityRecord part;
            if (store_.read_block_entity(picture, i, part) != 0) break;
            if (part.kind == kEntityPoint || part.kind == kEntityDimension) continue;
            move_record(part, e.x1, e.y1);
            part.colour = e.colour;
            constexpr std::uint8_t kColourMarks = kMarkColourByLayer | kMarkColourByBlock;
            part.source_marks = static_cast<std::uint8_t>((part.source_marks & ~kColourMarks) |
                                                          (e.source_marks & kColourMarks));
            part.paper_space = e.paper_space;
            any = write(part, layer, owner) || any;
        }
        return any;
    }

    DxfGroupWriter& out_;
    DxfHandles& handles_;
    StoreReader& store_;
    const FullExportNames& names_;
    const std::int32_t store_kind_;
    long dimension_parts_left_ = kMaxDimensionPartsPerSection;
    int non_finite_ = 0;
};

void write_block(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                 const FullExportNames& names, std::int32_t number, FullEntityWriter& writer,
                 DxfExportTally& tally) {
    BlockRecord block;
    if (store.read_block(number, block) != 0) return;
    const std::string& name = names.block_name(number);
    put_block_begin(out, handles.next(), false);
    out.text(2, name);
    out.integer(70, name.front() == '*' ? 1 : 0);
    put_points(out, {{finite_or_zero(block.base_x), finite_or_zero(block.base_y)}});
    out.texts({{3, name}, {1, ""}});
    for (std::int32_t i = 0; i < block.count; ++i) {
        EntityRecord e;
        if (store.read_block_entity(block, i, e) != 0) break;
        // Named apart from the drawing's, as these are parts of what the
        // drawing's inserts show.
        tally.take(writer.write(e, names.layer_name(e.layer), number),
                   store_entity_name(e) + " in blocks", false);
    }
    put_block_end(out, handles.next(), false);
}

}  // namespace

int full_export_colour(std::int32_t store_kind, std::int32_t colour) {
    return colour == 0 ? 256 : dxf_colour(store_kind, colour);
}

// Neither "%" nor a control character is ever the second byte of a
// double-byte character, so the bytes can be looked at one by one.
std::string dxf_text_value(std::string_view cp932) {
    std::string value;
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp932[i]);
        if (byte < 0x20) {
            value += '^';
            value += static_cast<char>(byte + 0x40);
        } else if (cp932.substr(i, 2) == "%%") {
            value += "%%%%%%";
            ++i;
        } else {
            value += static_cast<char>(byte);
        }
    }
    return value;
}

int write_full_blocks_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                              const FullExportNames& names, DxfExportTally& tally) {
    put_section_start(out, "BLOCKS");
    write_fixed_blocks(out, handles);
    FullEntityWriter writer(out, handles, store, names);
    for (std::size_t n = 1; n < names.blocks.size(); ++n) {
        if (!names.blocks[n].empty())
            write_block(out, handles, store, names, static_cast<std::int32_t>(n), writer, tally);
    }
    put_section_end(out);
    return writer.non_finite();
}

int write_full_entities_section(DxfGroupWriter& out, DxfHandles& handles, StoreReader& store,
                                const FullExportNames& names, DxfExportTally& tally) {
    put_section_start(out, "ENTITIES");
    FullEntityWriter writer(out, handles, store, names);
    const std::int32_t count = store.entity_count();
    std::int16_t layer = 0;  // an entity without a layer stays on the one before it
    for (std::int32_t i = 0; i < count; ++i) {
        EntityRecord e;
        if (store.read_entity(i, e) != 0) break;
        if (e.layer != 0) layer = e.layer;
        tally.take(writer.write(e, names.layer_name(layer), 0), store_entity_name(e), true);
    }
    put_section_end(out);
    return writer.non_finite();
}

unsigned long full_export_handle_bound(const DxfHandles& handles, StoreReader& store,
                                       const FullExportNames& names) {
    // A dimension takes at most one handle per record of its picture.
    auto handles_of = [&store](const EntityRecord& e) -> unsigned long {
        BlockRecord picture;
        if (e.kind != kEntityDimension) return 1;
        if (store.read_block(e.block, picture) != 0 || picture.count < 0) return 0;
        return static_cast<unsigned long>(picture.count);
    };
    unsigned long bound = handles.last() + DxfHandles::kFixedCount + 2 + names.layer_table.size() +
                          1 + 9 + names.line_types.size();
    for (std::int32_t i = 0; i < store.entity_count(); ++i) {
        EntityRecord e;
        if (store.read_entity(i, e) != 0) break;
        bound += handles_of(e);
    }
    for (std::size_t n = 1; n < names.blocks.size(); ++n) {
        BlockRecord block;
        if (names.blocks[n].empty() || store.read_block(static_cast<std::int32_t>(n), block) != 0)
            continue;
        bound += 3;  // BLOCK_RECORD, BLOCK, ENDBLK
        for (std::int32_t i = 0; i < block.count; ++i) {
            EntityRecord e;
            if (store.read_block_entity(block, i, e) != 0) break;
            bound += handles_of(e);
        }
    }
    return bound;
}

}  // namespace zov
