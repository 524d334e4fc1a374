#pragma once
// The view of the current drawing store without a window: display
// settings, the view window and gesture, the layer sheet, and the full
// drawing pass onto any surface. The windowed viewer connects its paint,
// key, wheel and mouse events and its menu commands to this object.
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/messages.h"
#include "render/display_settings.h"
#include "render/entity_index.h"
#include "render/surface.h"
#include "render/view_window.h"
#include "store/records.h"
#include "store/store_reader.h"
#include "view/band_threads.h"
#include "view/gesture.h"
#include "view/layer_sheet.h"

namespace zov {

// What a mouse-button release did: the gesture's response, or a layer flag
// toggled on the layer sheet.
struct ReleaseResponse {
    GestureResponse gesture;
    std::optional<LayerToggle> toggle;
};

// A pass as the view stood when it was asked for, so that another thread can
// draw it while the view goes on taking keys and wheel turns.
struct PassPlan {
    ViewWindow view;
    DisplaySettings settings;
    StoreHeader header;
    bool cell_markers = false;  // the layer sheet's cells are drawn first
    bool zoom_mode_hint = false;
};

// How a pass finds the entities it draws.
enum class IndexUse {
    // Through the entity index (built on the first such pass) when the view
    // shows only part of the drawing or the pass is drawn in bands; else
    // every entity in turn.
    WhenNeeded,
    Always,  // every pass through the index
    Never,   // every pass over every entity, in one band
};

class DrawingView {
public:
    // The store files live in `program_folder` (a file-system path).
    DrawingView(std::string program_folder, Messages& messages);

    // After every load: the layer sheet is out of date, and the next pass
    // reopens the store and fits the drawing, to `fit` when given (the
    // drawing_extents of the new store, found where a wait does not matter).
    void drawing_loaded(std::optional<DrawingExtents> fit = std::nullopt);

    // One full pass: (re)opens the store when marked, rereads its header,
    // fits after a reopening, clears the surface and draws every entity.
    // 0, or -1 after a reported open failure (nothing is drawn then).
    int draw_drawing(Surface& surface);
    // The same pass in two parts. The plan: (re)opens the store when marked,
    // rereads its header and fits after a reopening, for a surface of
    // `width` x `height` pixels; nothing after a reported open failure.
    std::optional<PassPlan> plan_pass(int width, int height);
    // Draws the plan in as many bands as `bands`, as draw_drawing_in_bands
    // draws them, each surface of the plan's full size. A `stop` set
    // meanwhile ends every band within a few thousand entities: false then,
    // true when drawn whole. The pass reads through the view's own store
    // streams (those of the further bands stay open for the passes after,
    // until the store is closed), so nothing else may use the view (but its
    // `view` and `gesture`) until it has ended.
    bool draw_planned(std::span<Surface* const> bands, const PassPlan& plan,
                      const std::atomic<bool>* stop = nullptr);
    // How many bands `plan` is worth, at most `most`: one where the index
    // (of an earlier pass) finds few entities in view, which one thread
    // draws sooner than two would start, set up and join.
    int bands_worth(const PassPlan& plan, int most) const;
    // The plan's first part alone, for a caller that shows a window of its
    // own before the first pass: it calls this, then sets the window.
    // 0, or -1 as draw_drawing.
    int prepare_pass(int width, int height);
    // One pass drawn by as many threads as there are `bands`, each surface
    // of the client area's full size: band k of n paints its rows
    // [k h / n, (k + 1) h / n) exactly as one pass over the whole area
    // would, and the caller takes those rows of each. 0 or -1.
    int draw_drawing_in_bands(std::span<Surface* const> bands);

    // Menu commands; each returns true when the view must be redrawn.
    bool show_standard_display();
    // Builds the layer sheet unless it is valid; false (and the previous
    // display kept) after a reported failure.
    bool show_layer_sheet();
    bool set_layer_filter(LayerFilter filter);
    // "寸法図形が存在しません" and no change when the last pass drew no dimension.
    bool set_dimension_ends(DimensionEnds ends);

    // A mouse-button release: ends a gesture, or on the layer sheet toggles
    // the hidden (left) or locked (right) bit of the clicked cell's layer.
    ReleaseResponse mouse_release(MouseButton button, int x, int y);
    // Shows a release's rubber-band, status text or toggled diagonal.
    void draw_release(Surface& surface, const ReleaseResponse& response) const;

    // The header as the last pass used it.
    const StoreHeader& header() const { return header_; }
    // Dimensions of the last pass drawn whole.
    int dimensions_drawn() const { return dimensions_drawn_; }
    // True when the last pass left block entities out at its budget.
    bool blocks_cut() const { return blocks_cut_; }
    // Texts the last pass drew as their boxes, its text cover spent.
    long texts_boxed() const { return texts_boxed_; }

    DisplaySettings settings;
    IndexUse index_use = IndexUse::WhenNeeded;
    // A part of the drawing (drawing units) that the view shows after each
    // fit instead of the whole, as after a rubber-band zoom (--render --view).
    std::optional<DrawingExtents> area_after_fit;
    ViewWindow view;
    Gesture gesture;
    LayerSheetGrid sheet_grid;
    bool layer_sheet_valid = false;
    // Set by the open commands when the drawing came from a DWG file: the
    // file name then shows the ".DWG" extension.
    bool source_was_dwg = false;

private:
    // The streams of one pass: each thread of a pass in bands has its own.
    struct PassStreams {
        StoreReader layers;
        StoreReader entities;
        StoreReader blocks;
        StoreReader strings;
        void close();
        // Opens all four on `path` for reading; false when one cannot be.
        bool open(const std::string& path);
    };

    int open_store();
    void close_store();
    // The drawing area of pixel rows [top, bottom) of `at`, widened by
    // kReachPixels.
    static DrawingExtents area_of_rows(const ViewWindow& at, int top, int bottom);
    // plan_pass() whose fit after a reopening, unless the load gave one, is
    // `fit_by_index()` when that gives one (the fit found by the walk that
    // builds the index).
    std::optional<PassPlan> plan_pass(
        int width, int height, const std::function<std::optional<DrawingExtents>()>& fit_by_index);
    // Streams of the open store for `count` bands besides the first, which
    // reads through streams_: those kept from the passes before, or newly
    // opened. False, with none kept, when one cannot be opened.
    bool open_band_streams(std::size_t count);
    // The entity streams of the view and of the band streams kept.
    std::vector<StoreReader*> entity_readers();
    // Builds the index with the entity readers, and gives the fit that the
    // same walk found; none when the walk found none.
    std::optional<DrawingExtents> fit_by_index();
    // Whether a pass of `at` over `area` goes through the index.
    bool pass_uses_index(const ViewWindow& at, const DrawingExtents& area, bool in_bands) const;
    // The index of the open store, built on first use (with the band
    // streams kept on threads of their own); none when `stop` was set while
    // it was being built.
    const EntityIndex* entity_index(const std::atomic<bool>* stop);
    // What a pass met that the view reports after it.
    struct PassTally {
        int drawn = 0;      // dimensions
        int with_ends = 0;  // dimensions whose ends a style can change
        bool blocks_cut = false;
        long texts_boxed = 0;
    };
    // One pass of `plan` on `surface` with `streams` over the entities that
    // meet `area` (every entity without an index); none when `stop` ended it.
    std::optional<PassTally> draw_pass(Surface& surface, const PassPlan& plan, PassStreams& streams,
                                       const DrawingExtents& area, const EntityIndex* index,
                                       const std::atomic<bool>* stop);
    void note_tally(const PassTally& all, const EntityIndex* index);
    static void draw_status_lines(Surface& surface, const PassPlan& plan, const PassTally& all);

    std::string program_folder_;
    Messages& messages_;
    std::string store_path_;  // the file the streams read
    PassStreams streams_;
    std::vector<PassStreams> band_streams_;  // of bands 1 on, kept until the store closes
    BandThreads band_threads_;
    std::unique_ptr<EntityIndex> index_;  // of the open store, once a pass needed it
    StoreReader data_for_update_;         // the data file, beside the layer sheet
    StoreHeader header_;
    bool reopen_ = true;
    std::optional<DrawingExtents> loaded_fit_;
    int dimensions_drawn_ = 0;
    bool blocks_cut_ = false;
    long texts_boxed_ = 0;
};

}  // namespace zov
