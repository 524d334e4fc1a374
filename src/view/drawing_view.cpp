#include "view/drawing_view.h"

#include <algorithm>
#include <vector>

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

void DrawingView::PassStreams::close() {
    layers.close();
    entities.close();
    blocks.close();
    strings.close();
}

bool DrawingView::PassStreams::open(const std::string& path) {
    if (layers.open(path) == 0 && entities.open(path) == 0 && blocks.open(path) == 0 &&
        strings.open(path) == 0)
        return true;
    close();
    return false;
}

void DrawingView::close_store() {
    streams_.close();
    band_streams_.clear();
    data_for_update_.close();
    index_.reset();
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
    if (!open(streams_.layers, path, true, kCannotOpenLayers) ||
        !open(streams_.entities, path, true, kCannotOpenEntities) ||
        !open(streams_.blocks, path, false, kCannotOpenBlocks) ||
        !open(streams_.strings, path, false, kCannotOpenStrings))
        return -1;
    store_path_ = path;
    return 0;
}

std::optional<PassPlan> DrawingView::plan_pass(int width, int height) {
    return plan_pass(width, height, nullptr);
}

std::optional<PassPlan> DrawingView::plan_pass(
    int width, int height, const std::function<std::optional<DrawingExtents>()>& fit_by_index) {
    view.set_client_size(width, height);
    const bool reopening = reopen_;
    if (reopening) {
        if (open_store() != 0) return std::nullopt;
        view.reset_view();
        gesture.reset();
    }
    StoreReader& entities = streams_.entities;
    if (!entities.is_open() || entities.read_header() != 0) return std::nullopt;
    header_ = entities.header();
    if (reopening) {
        const bool sheet = settings.style == DisplayStyle::LayerSheet;
        if (!sheet && !loaded_fit_ && fit_by_index) loaded_fit_ = fit_by_index();
        view.fit_drawing(sheet         ? header_extents(header_)
                         : loaded_fit_ ? *loaded_fit_
                                       : drawing_extents(entities),
                         header_.scale);
        loaded_fit_.reset();
        reopen_ = false;
        view.use_fit_origin = false;
        if (const auto& a = area_after_fit)
            view.set_view_window(a->min_x, view.flip_y - a->max_y, a->max_x,
                                 view.flip_y - a->min_y);
    }
    view.use_fit_origin = false;

    if (!(header_.scale >= 0.001)) header_.scale = 1.0;
    if (source_was_dwg) show_dwg_extension(header_);
    return PassPlan{view, settings, header_,
                    settings.style == DisplayStyle::LayerSheet && layer_sheet_valid,
                    gesture.zoom_mode()};
}

int DrawingView::prepare_pass(int width, int height) { return plan_pass(width, height) ? 0 : -1; }

DrawingExtents DrawingView::area_of_rows(const ViewWindow& at, int top, int bottom) {
    return at.area_of_pixels(-kReachPixels, top - kReachPixels, at.client_width() + kReachPixels,
                             bottom + kReachPixels);
}

bool DrawingView::pass_uses_index(const ViewWindow& at, const DrawingExtents& area,
                                  bool in_bands) const {
    switch (index_use) {
        case IndexUse::Always: return true;
        case IndexUse::Never: return false;
        case IndexUse::WhenNeeded: break;
    }
    // At the fit the whole drawing is in view: every entity is drawn.
    const DrawingExtents& e = at.extents;
    const bool whole = area.min_x <= e.min_x && area.min_y <= e.min_y && area.max_x >= e.max_x &&
                       area.max_y >= e.max_y;
    return in_bands || !whole;
}

bool DrawingView::open_band_streams(std::size_t count) {
    if (band_streams_.size() < count) {
        band_streams_ = std::vector<PassStreams>(count);
        for (PassStreams& band : band_streams_) {
            if (!band.open(store_path_)) {
                band_streams_.clear();
                return false;
            }
        }
        return true;
    }
    // Kept from the passes before: they forget what they buffered of the
    // entities and take the file's size afresh, as the view's own do.
    for (PassStreams& band : band_streams_) {
        if (band.entities.read_header() != 0) {
            band_streams_.clear();
            return false;
        }
    }
    return true;
}

std::vector<StoreReader*> DrawingView::entity_readers() {
    std::vector<StoreReader*> readers{&streams_.entities};
    for (PassStreams& band : band_streams_) readers.push_back(&band.entities);
    return readers;
}

const EntityIndex* DrawingView::entity_index(const std::atomic<bool>* stop) {
    if (!index_) {
        std::optional<EntityIndex> built = EntityIndex::build_in_parts(entity_readers(), stop);
        if (!built) return nullptr;
        index_ = std::make_unique<EntityIndex>(std::move(*built));
    }
    return index_.get();
}

std::optional<DrawingExtents> DrawingView::fit_by_index() {
    if (!extents_need_entities(header_)) return header_extents(header_);
    std::optional<BoundingBox> fit;
    std::optional<EntityIndex> built = EntityIndex::build_in_parts(entity_readers(), nullptr, &fit);
    if (!built) return std::nullopt;
    index_ = std::make_unique<EntityIndex>(std::move(*built));
    return fit ? std::optional<DrawingExtents>(drawing_extents(header_, *fit)) : std::nullopt;
}

std::optional<DrawingView::PassTally> DrawingView::draw_pass(Surface& surface, const PassPlan& plan,
                                                             PassStreams& streams,
                                                             const DrawingExtents& area,
                                                             const EntityIndex* index,
                                                             const std::atomic<bool>* stop) {
    // Entities drawn between two looks at the stop.
    constexpr std::int32_t kEntitiesPerLook = 4096;
    auto stopped = [stop] { return stop != nullptr && stop->load(std::memory_order_relaxed); };
    DrawingPass pass(surface, plan.view, plan.settings, plan.header, streams.layers, streams.blocks,
                     streams.strings);
    pass.stop_when(stop);
    pass.begin();
    if (plan.cell_markers) pass.draw_cell_markers(sheet_grid);
    EntityRecord record;
    StoreReader& entities = streams.entities;
    std::int32_t visited = 0;
    bool ended = false;
    auto draw = [&](std::int32_t i) {
        if (ended || (++visited % kEntitiesPerLook == 0 && stopped()) ||
            entities.read_entity(i, record) != 0) {
            ended = true;
            return;
        }
        if (index != nullptr) {
            if (const std::int32_t held = index->carried_layer(i); held >= 0)
                pass.carry_layer(static_cast<std::int16_t>(held));
        }
        pass.draw_entity(record);
    };
    if (index == nullptr) {
        const std::int32_t count = entities.entity_count();
        for (std::int32_t i = 0; i < count && !ended; ++i) draw(i);
    } else {
        index->visit(area, draw);
    }
    pass.finish();
    if (stopped()) return std::nullopt;
    return PassTally{pass.dimensions_drawn(), pass.dimensions_with_ends(),
                     pass.block_entities_cut(), pass.texts_boxed()};
}

void DrawingView::note_tally(const PassTally& all, const EntityIndex* index) {
    dimensions_drawn_ = all.drawn;
    blocks_cut_ = all.blocks_cut;
    texts_boxed_ = all.texts_boxed;
    // The dimension ends apply to the whole drawing, not only to the part in view.
    if (index != nullptr && dimensions_drawn_ == 0 && index->has_dimensions())
        dimensions_drawn_ = 1;
}

void DrawingView::draw_status_lines(Surface& surface, const PassPlan& plan, const PassTally& all) {
    // A dimension-end style that finds no ends to draw says so.
    if (plan.settings.dimension_ends != DimensionEnds::AsData && all.drawn > 0 &&
        all.with_ends == 0)
        draw_status_text(surface, {0, 0, kNoDimensionEnds});
    if (plan.zoom_mode_hint) draw_status_text(surface, {0, 0, kZoomModeEndHint});
}

bool DrawingView::draw_planned(std::span<Surface* const> bands, const PassPlan& plan,
                               const std::atomic<bool>* stop) {
    if (bands.empty()) return false;
    const int n = static_cast<int>(bands.size());
    const int height = plan.view.client_height();
    // Each further band reads through streams of its own; without them the
    // bands are drawn one after the other.
    const bool threaded = open_band_streams(bands.size() - 1);
    std::vector<DrawingExtents> areas;
    bool indexed = false;
    for (int k = 0; k < n; ++k) {
        areas.push_back(area_of_rows(plan.view, k * height / n, (k + 1) * height / n));
        indexed = indexed || pass_uses_index(plan.view, areas.back(), n > 1);
    }
    const EntityIndex* index = nullptr;
    if (indexed) {
        index = entity_index(stop);
        if (index == nullptr) return false;  // stopped while the index was built
    }
    std::vector<std::optional<PassTally>> tallies(bands.size());
    auto draw_band = [&](std::size_t band) {
        PassStreams& streams = band > 0 && threaded ? band_streams_[band - 1] : streams_;
        tallies[band] = draw_pass(*bands[band], plan, streams, areas[band], index, stop);
    };
    if (threaded) {
        band_threads_.run(bands.size(), draw_band);
    } else {
        for (std::size_t band = 0; band < bands.size(); ++band) draw_band(band);
    }
    // A dimension crossing bands is counted in each.
    PassTally all;
    for (const std::optional<PassTally>& band : tallies) {
        if (!band) return false;  // stopped
        all.drawn = std::max(all.drawn, band->drawn);
        all.with_ends = std::max(all.with_ends, band->with_ends);
        all.blocks_cut = all.blocks_cut || band->blocks_cut;
        all.texts_boxed += band->texts_boxed;
    }
    note_tally(all, index);
    // The status lines go on every band, so that each band's rows show them.
    for (Surface* surface : bands) draw_status_lines(*surface, plan, all);
    return true;
}

int DrawingView::bands_worth(const PassPlan& plan, int most) const {
    // About what one thread draws in the time a second one costs.
    constexpr std::int64_t kFewEntities = 20'000;
    if (most <= 1 || !index_) return most;
    const DrawingExtents area = area_of_rows(plan.view, 0, plan.view.client_height());
    return index_->most_visited(area) < kFewEntities ? 1 : most;
}

int DrawingView::draw_drawing(Surface& surface) {
    Surface* const bands[] = {&surface};
    return draw_drawing_in_bands(bands);
}

int DrawingView::draw_drawing_in_bands(std::span<Surface* const> bands) {
    if (bands.empty()) return -1;
    const std::size_t further = bands.size() - 1;
    // A pass in bands goes through the index whatever it shows: the walk
    // that builds it, on the band streams too, finds the fit after a
    // reopening.
    const bool index_sure =
        index_use == IndexUse::Always || (further > 0 && index_use == IndexUse::WhenNeeded);
    const int width = bands[0]->width(), height = bands[0]->height();
    const std::optional<PassPlan> plan = index_sure ? plan_pass(width, height,
                                                                [&] {
                                                                    open_band_streams(further);
                                                                    return fit_by_index();
                                                                })
                                                    : plan_pass(width, height);
    if (!plan) return -1;
    return draw_planned(bands, *plan) ? 0 : -1;
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
        !layer_sheet_valid || !streams_.layers.is_open() || !data_for_update_.is_open())
        return response;
    const int bit = button == MouseButton::Left ? kLayerHiddenBit : kLayerLockedBit;
    response.toggle =
        toggle_layer_at(streams_.layers, data_for_update_, sheet_grid, view, x, y, bit);
    return response;
}

void DrawingView::draw_release(Surface& surface, const ReleaseResponse& response) const {
    draw_gesture_response(surface, response.gesture);
    if (response.toggle) draw_toggled_diagonal(surface, view, sheet_grid, *response.toggle);
}

}  // namespace zov
