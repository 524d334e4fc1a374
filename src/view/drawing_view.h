#pragma once
// The view of the current drawing store without a window: display
// settings, the view window and gesture, the layer sheet, and the full
// drawing pass onto any surface. The windowed viewer connects its paint,
// key, wheel and mouse events and its menu commands to this object.
#include <atomic>
#include <optional>
#include <string>

#include "common/messages.h"
#include "render/display_settings.h"
#include "render/surface.h"
#include "render/view_window.h"
#include "store/records.h"
#include "store/store_reader.h"
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
    // Draws the plan on `surface`. A `stop` set meanwhile ends the pass
    // within a few thousand entities: false then, true when drawn whole.
    // The pass reads through the view's own store streams, so nothing else
    // may use the view (but its `view` and `gesture`) until it has ended.
    bool draw_planned(Surface& surface, const PassPlan& plan,
                      const std::atomic<bool>* stop = nullptr);

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

    DisplaySettings settings;
    ViewWindow view;
    Gesture gesture;
    LayerSheetGrid sheet_grid;
    bool layer_sheet_valid = false;
    // Set by the open commands when the drawing came from a DWG file: the
    // file name then shows the ".DWG" extension.
    bool source_was_dwg = false;

private:
    int open_store();
    void close_store();

    std::string program_folder_;
    Messages& messages_;
    StoreReader layers_;
    StoreReader entities_;
    StoreReader blocks_;
    StoreReader strings_;
    StoreReader data_for_update_;  // the data file, beside the layer sheet
    StoreHeader header_;
    bool reopen_ = true;
    std::optional<DrawingExtents> loaded_fit_;
    int dimensions_drawn_ = 0;
};

}  // namespace zov
