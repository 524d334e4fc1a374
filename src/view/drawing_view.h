#pragma once
// The view of the current drawing store without a window: display
// settings, the view window and gesture, the layer sheet, and the full
// drawing pass onto any surface. The windowed viewer connects its paint,
// key, wheel and mouse events and its menu commands to this object.
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

class DrawingView {
public:
    // The store files live in `program_folder` (a file-system path).
    DrawingView(std::string program_folder, Messages& messages);

    // After every load: the layer sheet is out of date, and the next pass
    // reopens the store and fits the drawing.
    void drawing_loaded();

    // One full pass: (re)opens the store when marked, rereads its header,
    // fits after a reopening, clears the surface and draws every entity.
    // 0, or -1 after a reported open failure (nothing is drawn then).
    int draw_drawing(Surface& surface);

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
    int dimensions_drawn() const { return dimensions_drawn_; }
    // True when the last pass left block entities out at its budget.
    bool blocks_cut() const { return blocks_cut_; }
    // Texts the last pass drew as their boxes, its text cover spent.
    long texts_boxed() const { return texts_boxed_; }

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
    int dimensions_drawn_ = 0;
    bool blocks_cut_ = false;
    long texts_boxed_ = 0;
};

}  // namespace zov
