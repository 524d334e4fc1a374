#pragma once
// The readers of DXF items. Each is called just after the value line that
// named its item, reads the item's groups up to the next code line with code
// 0 (header variables also stop at code 9), whose value is left for the
// caller, and returns the number of entity records it wrote (0 for items that
// are not entities).
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zov {

class DxfContext;
struct EntityRecord;
struct Point2;
struct Triangle;
struct CleanedText;
struct MtextColumns;

using ItemReader = int (*)(DxfContext& context);

// Header variables.
int read_extents_minimum(DxfContext& context);       // $EXTMIN, $LIMMIN
int read_extents_maximum(DxfContext& context);       // $EXTMAX, $LIMMAX
int read_dimension_scale(DxfContext& context);       // $DIMSCALE
int read_paper_limits_maximum(DxfContext& context);  // $PLIMMAX
int read_paper_limits_minimum(DxfContext& context);  // $PLIMMIN
int read_version(DxfContext& context);               // $ACADVER: the text encoding of the file
int read_code_page(DxfContext& context);             // $DWGCODEPAGE: the code page of older files

// Table records.
int read_ltype_table(DxfContext& context);  // every LTYPE record up to ENDTAB
int read_layer_record(DxfContext& context);
int read_style_record(DxfContext& context);

// Entities.
int read_line(DxfContext& context);
int read_circle_or_arc(DxfContext& context);
int read_ellipse(DxfContext& context);
int read_point(DxfContext& context);
int read_trace_or_solid(DxfContext& context);
int read_dimension(DxfContext& context);
int read_insert(DxfContext& context);
int read_text(DxfContext& context);
int read_attribute(DxfContext& context);  // ATTRIB
// ATTDEF: its tag, as a text, outside blocks (inside them the inserts'
// ATTRIBs show the values).
int read_attribute_definition(DxfContext& context);
int read_mtext(DxfContext& context);
int read_polyline(DxfContext& context);  // POLYLINE with its VERTEX records up to SEQEND
int read_lwpolyline(DxfContext& context);
int read_spline(DxfContext& context);
int read_leader(DxfContext& context);
int read_3dface(DxfContext& context);  // its visible edges
int read_xline(DxfContext& context);
int read_ray(DxfContext& context);
int read_hatch(DxfContext& context);        // its fill, or its outline
int read_multileader(DxfContext& context);  // its leader lines and text
int read_table(DxfContext& context);        // ACAD_TABLE: an insert of its block
int read_wipeout(DxfContext& context);      // its mask, and its frame when shown
int read_image(DxfContext& context);        // its frame and its file's name

// Writes a record of `kind` from `from` (x1, y1) to `to` (line.end_x,
// line.end_y) with the layer, colour, line type, flags and paper space of
// `base`; its points count for the extents when `reported`. Returns 1.
int write_two_point_record(DxfContext& context, const EntityRecord& base, std::int32_t kind,
                           Point2 from, Point2 to, bool reported);

// Writes the lines around each loop / the triangles as solids (kind 8),
// with the layer, colour, line type, flags and paper space of `base`.
// Returns the number of records.
int write_outline(DxfContext& context, const EntityRecord& base,
                  const std::vector<std::vector<Point2>>& loops);
int write_triangles(DxfContext& context, const EntityRecord& base,
                    const std::vector<Triangle>& triangles);

// A part of a cleaned text: `length` bytes from `start`.
struct TextSpan {
    std::size_t start = 0;
    std::size_t length = 0;
};

// Writes `span` of a cleaned text as text records from the base point of
// `record` on, one per run of its own colour, with a line under each
// underlined run; a vertical text as one record. Returns the number of
// records.
int write_text_runs(DxfContext& context, const EntityRecord& record, const CleanedText& cleaned,
                    TextSpan span);

// Writes a cleaned MTEXT text line by line ("\P", and lines wrapped to
// `box_width` when it is not 0), each line below the one before it, and in
// `columns` side by side when they are laid out (a column break, or a line
// beyond a column's height, starts the next column); `aligned` places each
// line by the alignment codes of `record`. Returns the number of records.
int write_mtext_lines(DxfContext& context, const EntityRecord& record, const CleanedText& cleaned,
                      bool aligned, double box_width, const MtextColumns& columns);

// An insert of the first paper-space layout with entities in it, for a
// drawing whose model space is empty; returns the records written.
int insert_paper_layout(DxfContext& context);

// The BLOCKS section, up to its end.
int read_blocks_section(DxfContext& context);

// The reader of an entity name, or nullptr for items the importer passes over.
ItemReader find_entity_reader(std::string_view name);

// Passes over the groups of an item up to the next code line with code 0.
void skip_item(DxfContext& context);

// Groups common to the entity readers: 8 layer, 6 line type, 62 colour
// (negative: its absolute value and bit 0 of the flags) and 420 true colour
// (as the nearest colour index), 67 paper space.
enum CommonGroups : unsigned {
    kLayerGroup = 1u,
    kLineTypeGroup = 2u,
    kColourGroup = 4u,
    kPaperSpaceGroup = 8u,
    kAllCommonGroups = 15u,
};
// The colour number that stands for the true colour (group 420, 0xRRGGBB)
// `rgb` when it is as dark as the screen's black background: 7, the
// foreground colour, as DXF viewers show black on a dark screen; else 0
// (the true colour does not change the colour number).
int colour_for_black_true_colour(int rgb);

// Takes the current group into `record` when it is one of `groups`; false
// when it is not. The line type "BYBLOCK" is kept as kLineByBlockPending
// until the record is written.
bool take_common_group(DxfContext& context, EntityRecord& record,
                       unsigned groups = kAllCommonGroups);

// Writes the segment from p1 to p2 of a bulged polyline as one arc record
// with the layer, colour, line type, flags and paper space of `segment`
// (a zero-length segment stays straight). Returns 1.
int bulge_arc_segment(DxfContext& context, const EntityRecord& segment, Point2 p1, Point2 p2,
                      double bulge);

}  // namespace zov
