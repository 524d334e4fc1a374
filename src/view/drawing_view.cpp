#include "view/drawing_view.h"

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/paths.h"
#include "render/drawing_extents.h"
#include "render/drawing_pass.h"

namespace zov {

namespace {

const char* const kCannotOpenLayers = cp932_text(JaText::CannotOpenLayers);
const char* const kCannotOpenEntities = cp932_text(JaText::CannotOpenEntities);
const char* const kCannotOpenBlocks = cp932_text(JaText::CannotOpenBlocks);
const char* const kCannotOpenStrings = cp932_text(JaText::CannotOpenStrings);
const char* const kNoDimensions = cp932_text(JaText::NoDimensions);
const char* const kNoDimensionEnds = cp932_text(JaText::NoDimensionEnds);

// The header's source path with its extension turned back to ".DWG".
void show_dwg_extension(StoreHeader& header) {
    copy_bounded(header.fname, replace_extension(fixed_text(header.fname), ".DWG"));
}

}  // namespace

DrawingView::DrawingView(std::string program_folder, Messages& messages)
    : view(messages),
      gesture(view),
      program_folder_(std::move(program_folder)),
      messages_(messages) {}

void DrawingView::drawing_loaded(std::optional<DrawingExtents> fit) {
    loaded_fit_ = std::move(fit);
    layer_sheet_valid = false;
    reopen_ = true;
}

void DrawingView::close_store() {
    layers_.close();
    entities_.close();
    blocks_.close();
    strings_.close();
    data_for_update_.close();
}

// Opens the store four times (layers and entities for update, blocks and
// strings for reading), and beside the layer sheet the data file for update.
int DrawingView::open_store() {
    close_store();
    const bool sheet = settings.style == DisplayStyle::LayerSheet;
    const std::string data_path = join_folder(program_folder_, kDataFileName);
    const std::string path = sheet ? join_folder(program_folder_, kLayerSheetFileName) : data_path;
    auto open = [&](StoreReader& reader, const std::string& file, bool for_update,
                    const char* message) {
        if (reader.open(file, for_update) == 0) return true;
        show_error(messages_, message, utf8_to_cp932(file).c_str());
        show_error(messages_, "open error");
        close_store();
        return false;
    };
    if (sheet && !open(data_for_update_, data_path, true, kCannotOpenLayers)) return -1;
    if (!open(layers_, path, true, kCannotOpenLayers) ||
        !open(entities_, path, true, kCannotOpenEntities) ||
        !open(blocks_, path, false, kCannotOpenBlocks) ||
        !open(strings_, path, false, kCannotOpenStrings))
        return -1;
    return 0;
}

int DrawingView::draw_drawing(Surface& surface) {
    const std::optional<PassPlan> plan = plan_pass(surface.width(), surface.height());
    if (!plan) return -1;
    draw_planned(surface, *plan);
    return 0;
}

std::optional<PassPlan> DrawingView::plan_pass(int width, int height) {
    view.set_client_size(width, height);
    const bool reopening = reopen_;
    if (reopening) {
        if (open_store() != 0) return std::nullopt;
        view.reset_view();
        gesture.reset();
    }
    if (!entities_.is_open() || entities_.read_header() != 0) return std::nullopt;
    header_ = entities_.header();
    if (reopening) {
        const bool sheet = settings.style == DisplayStyle::LayerSheet;
        view.fit_drawing(sheet         ? header_extents(header_)
                         : loaded_fit_ ? *loaded_fit_
                                       : drawing_extents(entities_),
                         header_.scale);
        loaded_fit_.reset();
        reopen_ = false;
    }
    view.use_fit_origin = false;

    if (!(header_.scale >= 0.001)) header_.scale = 1.0;
    if (source_was_dwg) show_dwg_extension(header_);
    return PassPlan{view, settings, header_,
                    settings.style == DisplayStyle::LayerSheet && layer_sheet_valid,
                    gesture.zoom_mode()};
}

bool DrawingView::draw_planned(Surface& surface, const PassPlan& plan,
                               const std::atomic<bool>* stop) {
    // Entities drawn between two looks at the stop.
    constexpr std::int32_t kEntitiesPerLook = 4096;
    auto stopped = [stop] { return stop != nullptr && stop->load(std::memory_order_relaxed); };
    DrawingPass pass(surface, plan.view, plan.settings, plan.header, layers_, blocks_, strings_);
    pass.stop_when(stop);
    pass.begin();
    if (plan.cell_markers) pass.draw_cell_markers(sheet_grid);
    EntityRecord record;
    const std::int32_t count = entities_.entity_count();
    for (std::int32_t i = 0; i < count; ++i) {
        if (i % kEntitiesPerLook == 0 && stopped()) return false;
        if (entities_.read_entity(i, record) != 0) break;
        pass.draw_entity(record);
    }
    pass.finish();
    if (stopped()) return false;
    dimensions_drawn_ = pass.dimensions_drawn();
    // A dimension-end style that finds no ends to draw says so.
    if (plan.settings.dimension_ends != DimensionEnds::AsData && pass.dimensions_drawn() > 0 &&
        pass.dimensions_with_ends() == 0)
        draw_status_text(surface, {0, 0, kNoDimensionEnds});
    if (plan.zoom_mode_hint) draw_status_text(surface, {0, 0, kZoomModeEndHint});
    return true;
}

bool DrawingView::show_standard_display() {
    if (settings.style == DisplayStyle::Standard) return false;
    settings.style = DisplayStyle::Standard;
    reopen_ = true;
    return true;
}

bool DrawingView::show_layer_sheet() {
    if (settings.style == DisplayStyle::LayerSheet) return false;
    if (!layer_sheet_valid) {
        // The streams of the data file are closed while the sheet is made
        // from it.
        close_store();
        reopen_ = true;
        if (build_layer_sheet(program_folder_, messages_, sheet_grid) != 0) return false;
        layer_sheet_valid = true;
    }
    settings.style = DisplayStyle::LayerSheet;
    settings.filter = LayerFilter::Visible;
    reopen_ = true;
    return true;
}

bool DrawingView::set_layer_filter(LayerFilter filter) {
    settings.filter = filter;
    return true;
}

bool DrawingView::set_dimension_ends(DimensionEnds ends) {
    if (dimensions_drawn_ == 0) {
        show_information(messages_, "%s", kNoDimensions);
        return false;
    }
    settings.dimension_ends = ends;
    return true;
}

ReleaseResponse DrawingView::mouse_release(MouseButton button, int x, int y) {
    ReleaseResponse response;
    response.gesture = gesture.release(button, x, y);
    if (response.gesture.handled || settings.style != DisplayStyle::LayerSheet ||
        !layer_sheet_valid || !layers_.is_open() || !data_for_update_.is_open())
        return response;
    const int bit = button == MouseButton::Left ? kLayerHiddenBit : kLayerLockedBit;
    response.toggle = toggle_layer_at(layers_, data_for_update_, sheet_grid, view, x, y, bit);
    return response;
}

void DrawingView::draw_release(Surface& surface, const ReleaseResponse& response) const {
    draw_gesture_response(surface, response.gesture);
    if (response.toggle) draw_toggled_diagonal(surface, view, sheet_grid, *response.toggle);
}

}  // namespace zov
