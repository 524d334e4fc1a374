#pragma once
// One full drawing pass over a store: clears the client area and draws every
// entity record immediately with the surface's operations. The pass state
// (current pen, layer buffer, insert transform, dimension count) lives only
// for the pass.
#include <array>
#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "render/angles.h"
#include "render/display_settings.h"
#include "render/entity_boxes.h"
#include "render/pass_blocks.h"
#include "render/point.h"
#include "render/record_transform.h"
#include "render/surface.h"
#include "render/view_window.h"
#include "store/records.h"
#include "store/store_reader.h"

namespace zov {

struct LayerSheetGrid;

// Inserts nested deeper than this are not drawn, and a block met again
// inside itself (a block that inserts itself, directly or through other
// blocks) is not drawn again: the insert stops there and the pass goes on.
inline constexpr int kMaxInsertDepth = 16;
// A pass draws at most block_entity_budget(header) block entities in all, so
// that blocks fanning out through nested inserts and arrays (a few hundred
// bytes can ask for 10^10) cannot make a pass endless: a base for any store
// and a few for each byte of its source, which no real drawing reaches.
inline constexpr long kBlockEntityBase = 2'000'000;
inline constexpr long kBlockEntitiesPerSourceByte = 4;
long block_entity_budget(const StoreHeader& header);
// The texts a pass draws as glyphs cover at most this many client areas in
// all (each counted by the part of its box on the surface); any more are
// drawn as their boxes. Glyphs that large are filled as outlines: thousands
// of texts each nearly as large as the picture would take minutes, where
// the texts of a real drawing cover a fraction of it.
inline constexpr double kTextCoverBudget = 64.0;
// Texts are drawn after the other entities, so that fills never cover them;
// a pass keeps at most this many for the end and draws any more at once.
inline constexpr std::size_t kMaxDeferredTexts = 200'000;

// The name and extension of the header's source path, as the file label and
// the window title show it (the whole field when that part has two
// characters or fewer).
std::string display_file_name(const StoreHeader& header);

class DrawingPass {
public:
    // `header` is the store's header as the pass uses it; `layers`, `blocks`
    // and `strings` are the pass's streams of the same store.
    DrawingPass(Surface& surface, const ViewWindow& view, const DisplaySettings& settings,
                const StoreHeader& header, StoreReader& layers, StoreReader& blocks,
                StoreReader& strings);

    // Fills the client area with black, makes text backgrounds transparent
    // and selects the pass pen (white, solid).
    void begin();
    // Draws one record of the entity section: layer, filter, pen, paper
    // space, then the entity by its kind.
    void draw_entity(EntityRecord record);
    // Takes layer `number` as the layer held, as though a record of it had
    // been drawn last: a pass that skips records (entity_index.h) calls it
    // before a record of no layer the pass knows, which is drawn with the
    // layer of the records before it. 0: no layer held yet.
    void carry_layer(std::int16_t number);
    // Draws the texts kept for the end of the pass.
    void finish();
    // The layer sheet's cell markers and legend, before its entities.
    void draw_cell_markers(const LayerSheetGrid& grid);

    int dimensions_drawn() const { return dimensions_drawn_; }
    // True when the pass stopped drawing blocks at its budget.
    bool block_entities_cut() const { return block_entities_cut_; }
    // Texts drawn as their boxes because the pass's text cover was spent.
    long texts_boxed() const { return texts_boxed_; }
    // Those of them whose ends the dimension-end styles can draw.
    int dimensions_with_ends() const { return dimensions_with_ends_; }

    // A pass that another thread may stop: once `stop` is set, inserts and
    // the texts kept for the end are left undrawn (the caller stops giving
    // entities). The pass is then not whole.
    void stop_when(const std::atomic<bool>* stop) { stop_ = stop; }

private:
    bool stop_asked() const { return stop_ != nullptr && stop_->load(std::memory_order_relaxed); }

    struct Pen {
        Rgb colour;
        PenStyle style;
        int width = 1;  // pixels
    };
    // The parts of a layer record that decide how its entities are drawn.
    struct PassLayer {
        std::int32_t flags = 0;
        std::int32_t colour = 0;                     // what ByLayer colours take
        std::int32_t line_type = 0;                  // what ByLayer line types take
        std::int16_t line_weight = kWeightNotGiven;  // what ByLayer line weights take
        bool zero = false;  // layer "0": inside a block it stands for the insert's layer
    };

    bool layer_passes_filter() const;
    // The pen of a top-level entity: its colour and line type, ByLayer ones
    // taken from its layer, grey for entities of hidden or locked layers.
    void choose_pen(const EntityRecord& record);
    // The pen of a block entity: ByBlock (0) takes the insert's pen, ByLayer
    // the entity's own layer (the insert's pen on layer "0"). False when its
    // layer is hidden in the standard display of visible layers, so it is
    // not drawn; grey where hidden layers show grey.
    bool choose_block_pen(const EntityRecord& record);
    // The pass's entry for layer `number`; an empty one for a number with no
    // record.
    const PassLayer& pass_layer(std::int16_t number) const;
    // The pen's width in pixels for the stored line weight `weight`: not
    // given takes `layer_weight`, ByBlock `by_block`; a weight of its own is
    // its millimetres on the surface, at least one pixel; the default line
    // is one pixel.
    int pen_width(std::int16_t weight, std::int16_t layer_weight, int by_block) const;
    // Colour `number` as the pass draws it: ByLayer (256) takes
    // `layer_colour`; 0 (ByBlock) and a layer without a colour give
    // `by_block`.
    Rgb pen_colour(std::int32_t number, std::int32_t layer_colour, Rgb by_block) const;
    void use_pen(Rgb colour, PenStyle style, int width = 1);

    // Shapes (drawing_pass_shapes.cpp).
    // The point `length` from `from` at `degrees`.
    Point along(Point from, double length, double degrees);
    void draw_line(Point from, Point to);
    void draw_arc(const EntityRecord& record);
    void draw_circular_arc(const EntityRecord& record);
    void draw_elliptic_arc(const EntityRecord& record);
    void draw_point_mark(Point at);
    void draw_arrow_head(bool filled, Point tip, Point toward, double size);
    // With `mask`, the triangle is filled with the background and P-Q is
    // not drawn.
    void fill_triangle(Point p, Point q, Point r, bool mask = false);
    void draw_arrow_line(const EntityRecord& record);
    void draw_solid(const EntityRecord& record);

    // Texts (drawing_pass_texts.cpp).
    // Keeps a text for the end of the pass, with the pen chosen for it.
    void defer_text(const EntityRecord& text, bool as_plain);
    // Inside blocks every text is drawn as plain text (`as_plain`).
    void draw_text_record(const EntityRecord& text, bool as_plain = false);
    // Spends the part of the text box [left, right] x [top, bottom] on the
    // surface from the pass's text cover; false when it is spent.
    bool take_text_cover(int left, int top, int right, int bottom);
    // The font is sized by the text metrics of the store kind `sizing` (in
    // DXF stores the height is that of a capital, in JW_CAD stores the
    // font's height) and drawn `width_factor` times as wide as the face's
    // own characters. `flags` are the record's: kTextBackward mirrors the
    // characters within the text's box.
    void draw_plain_text(Point base, double height, double angle, std::string_view text,
                         bool vertical, std::int32_t sizing, double width_factor = 1.0,
                         std::uint8_t flags = 0);
    void draw_control_code_text(const EntityRecord& text, std::string_view bytes);
    void draw_spread_text(const EntityRecord& text, std::string_view bytes);

    // Inserts and dimensions (drawing_pass_inserts.cpp).
    void draw_insert(const EntityRecord& entity, int depth);
    // Spends one block entity of the pass's budget; false when it is spent.
    bool take_block_entity();
    // Block `number` for drawing; null when it cannot be read or is being
    // drawn already further out.
    const PassBlocks::Block* open_block(std::int16_t number);
    void draw_block_entity(const EntityRecord& record, int depth);
    // Where the block of the insert `entity`, placed with the scales and
    // rotation accumulated so far, lies against the part of the drawing
    // that may paint the picture.
    enum class Placement { Outside, Inside, Across };
    Placement placement_of(const EntityRecord& entity);
    void draw_dimension(const EntityRecord& dimension);
    int count_block_entities(const PassBlocks::Block& block, bool (*counts)(const EntityRecord&));
    void draw_dimension_ends(DimensionEnds ends, const Point* defs, int def_count,
                             const Point* arrows, int arrow_count);
    // The ends of a picture whose arrow heads are solids, each drawn at its
    // tip and pointing as the solid did.
    void draw_solid_arrow_ends(DimensionEnds ends, const Point* tips, const Point* bases,
                               int count);

    Surface& surface_;
    const ViewWindow& view_;
    const DisplaySettings& settings_;
    const StoreHeader& header_;
    StoreReader& layers_;
    PassBlocks blocks_;
    StoreReader& strings_;
    // The boxes of the blocks, and the part of the drawing whose entities
    // may paint the picture (wide pens and marks included): an insert of
    // a large block that meets the view, as one across its edge, has
    // nested inserts wholly outside it, whose entities are left undrawn.
    EntityBoxes insert_boxes_;
    DrawingExtents reachable_area_;
    bool within_inside_insert_ = false;  // drawing an insert that lies wholly in that part

    const bool detail_;
    const double drawing_width_;  // width of the fitted extents
    // The screen colours of the colour numbers 0 to 256 and the pen widths
    // of the stored weights, taken when the pass starts: a pen is chosen for
    // every entity, block entities included.
    struct ScreenColour {
        Rgb rgb;
        bool given = false;  // false for ByBlock and ByLayer
    };
    std::array<ScreenColour, kColourByLayer + 1> screen_colours_;
    std::array<std::uint8_t, kLargestWeight + 2> weight_pixels_;
    Pen pen_;
    Pen insert_pen_;            // the pen of the insert being drawn: what ByBlock takes
    bool insert_grey_ = false;  // the insert is drawn grey, and so is its block
    // What the pass needs of every layer, taken when the pass starts:
    // entities name their layers in any order, and this small table stays in
    // the cache where the layer records would not.
    std::vector<PassLayer> pass_layers_;
    PassLayer layer_;         // the layer of the top-level entities being drawn
    int buffered_layer_ = 0;  // the number of `layer_`; 0: none taken yet
    int last_layer_ = 9999;   // a number no layer has
    int dimensions_drawn_ = 0;
    int dimensions_with_ends_ = 0;
    InsertTransform accumulated_;  // scales and rotation of the nested inserts
    AngleCache angles_;
    long block_entities_left_ = block_entity_budget(header_);
    bool block_entities_cut_ = false;
    double text_cover_ = 0.0;  // pixels of the client area covered by glyphs so far
    long texts_boxed_ = 0;
    std::vector<std::int16_t> open_blocks_;  // the blocks being drawn, outermost first
    std::string text_;
    struct DeferredText {
        EntityRecord record;
        Pen pen;
        bool as_plain;
    };
    std::vector<DeferredText> deferred_texts_;
    const std::atomic<bool>* stop_ = nullptr;
};

}  // namespace zov
