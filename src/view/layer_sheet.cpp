#include "view/layer_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/paths.h"
#include "render/colours.h"
#include "render/drawing_extents.h"
#include "render/drawing_pass.h"
#include "store/record_move.h"

namespace zov {

namespace {

const char* const kCannotOpenData = cp932_text(JaText::CannotOpenSheetData);
const char* const kCannotOpenSheet = cp932_text(JaText::CannotOpenSheet);

constexpr std::int32_t kSheetWhite = 16777215;

// Writes the sheet's records after the bytes copied from the data file and
// counts them in the sheet's header.
class SheetWriter {
public:
    SheetWriter(std::FILE* file, StoreHeader& header) : file_(file), header_(header) {}

    void add(const EntityRecord& record) {
        if (std::fwrite(&record, sizeof record, 1, file_) != 1) ok_ = false;
        ++header_.ent_num;
    }
    void add_line(std::int16_t layer, double x1, double y1, double x2, double y2) {
        EntityRecord line = label_base(kEntityLine, layer);
        line.x1 = x1;
        line.y1 = y1;
        line.line.end_x = x2;
        line.line.end_y = y2;
        add(line);
    }
    void add_label(std::int32_t kind, std::int16_t layer, double x, double y, double height) {
        EntityRecord label = label_base(kind, layer);
        label.x1 = x;
        label.y1 = y;
        label.text.width_factor = 1.0;
        label.text.height = height;
        add(label);
    }
    bool ok() const { return ok_; }
    void fail() { ok_ = false; }

private:
    static EntityRecord label_base(std::int32_t kind, std::int16_t layer) {
        EntityRecord record;
        record.kind = kind;
        record.line_type = kLineContinuous;
        record.colour = kSheetWhite;
        record.layer = layer;
        return record;
    }

    std::FILE* file_;
    StoreHeader& header_;
    bool ok_ = true;
};

// Bytes copied at a time.
constexpr long kCopyChunk = 1L << 20;

// Copies the first `count` bytes of the store to `to`.
bool copy_bytes(const StoreReader& from, std::FILE* to, long count) {
    std::vector<char> buffer(static_cast<std::size_t>(std::min(count, kCopyChunk)));
    for (long done = 0; done < count;) {
        const auto size = static_cast<std::size_t>(std::min(count - done, kCopyChunk));
        if (!from.read_at(done, buffer.data(), size) ||
            std::fwrite(buffer.data(), 1, size, to) != size)
            return false;
        done += static_cast<long>(size);
    }
    return true;
}

void write_sheet_entities(SheetWriter& writer, StoreReader& data, const StoreHeader& header,
                          const LayerSheetGrid& grid, const std::vector<LayerRecord>& layers) {
    const int n = grid.cells_per_side;
    const double cw = grid.cell_width, ch = grid.cell_height;
    const double x_min = grid.min_x, y_min = grid.min_y;
    const auto frame_layer = static_cast<std::int16_t>(header.lay_num);

    for (int j = 0; j <= n; ++j) {
        const double y = y_min + (n - j) * ch;
        writer.add_line(frame_layer, x_min, y, x_min + n * cw, y);
    }
    for (int j = 0; j <= n; ++j) {
        const double x = x_min + j * cw;
        writer.add_line(frame_layer, x, y_min, x, y_min + n * ch);
    }

    for (std::size_t i = 0; i < layers.size(); ++i) {
        const LayerRecord& layer = layers[i];
        if (layer.used_number == 0 || layer.used_index < 0) continue;
        const Point corner = grid.corner(layer.used_index);
        const std::size_t length = fixed_text(layer.name).size();
        const double height = length >= 20 ? 2.0 * ch / static_cast<double>(length) : 0.1 * ch;
        writer.add_label(kEntityLayerLabel, static_cast<std::int16_t>(i + 1), corner.x + 0.02 * cw,
                         corner.y + 0.02 * ch, height);
    }

    const SheetBand band = sheet_band(grid, display_file_name(header));
    writer.add_label(kEntityFileLabel, static_cast<std::int16_t>(std::int64_t{header.lay_num} - 1),
                     band.title_at.x, band.title_at.y, band.title_height);

    // Each entity moves into its layer's cell. The drawing's own minimum is
    // taken off first, so that the extents fill the cell exactly. Entities
    // without a layer in use have no cell and stay off the sheet. Paper-space
    // entities are first drawn at the paper's scale, as the extents took
    // them, and go on the sheet as model-space ones.
    const double paper_scale = paper_space_scale(data.header().scale);
    EntityRecord record;
    const std::int32_t count = data.entity_count();
    for (std::int32_t i = 0; i < count; ++i) {
        if (data.read_entity(i, record) != 0) {
            writer.fail();
            return;
        }
        if (record.layer < 1 || static_cast<std::size_t>(record.layer) > layers.size()) continue;
        const LayerRecord& layer = layers[static_cast<std::size_t>(record.layer - 1)];
        if (layer.used_number == 0 || layer.used_index < 0) continue;
        if (record.paper_space == 1) {
            scale_record(record, paper_scale);
            record.paper_space = 0;
        }
        const Point corner = grid.corner(layer.used_index);
        move_record(record, corner.x - x_min, corner.y - y_min);
        writer.add(record);
    }
}

}  // namespace

int build_layer_sheet(const std::string& program_folder, Messages& messages, LayerSheetGrid& grid) {
    const std::string data_path = join_folder(program_folder, kDataFileName);
    const std::string sheet_path = join_folder(program_folder, kLayerSheetFileName);
    StoreReader data;
    if (data.open(data_path, true) != 0) {
        show_error(messages, kCannotOpenData, utf8_to_cp932(data_path).c_str());
        return -1;
    }
    std::FILE* sheet = std::fopen(sheet_path.c_str(), "w+b");
    if (sheet == nullptr) {
        show_error(messages, kCannotOpenSheet, utf8_to_cp932(sheet_path).c_str());
        return -1;
    }

    StoreHeader header = data.header();
    // Everything before the entity section is kept; a drawing without
    // entities keeps the whole file and its sheet entities follow it.
    const long kept = header.add_ent >= static_cast<std::int32_t>(sizeof(StoreHeader)) &&
                              header.add_ent <= data.file_size()
                          ? header.add_ent
                          : data.file_size();
    std::vector<LayerRecord> layers(static_cast<std::size_t>(data.layer_count()));
    for (std::size_t i = 0; i < layers.size(); ++i)
        data.read_layer(static_cast<std::int32_t>(i + 1), layers[i]);

    bool ok = copy_bytes(data, sheet, kept) && std::fseek(sheet, kept, SEEK_SET) == 0;
    header.add_ent = static_cast<std::int32_t>(kept);
    header.ent_num = 0;

    const DrawingExtents extents = drawing_extents(data, ExtentsUse::LayerSheet);
    LayerSheetGrid made;
    made.cells_per_side = layer_sheet_size(header.lay_num2);
    made.min_x = header.min_x = extents.min_x;
    made.min_y = header.min_y = extents.min_y;
    made.cell_width = std::abs(extents.max_x - extents.min_x);
    made.cell_height = std::abs(extents.max_y - extents.min_y);
    header.scale *= made.cells_per_side;

    SheetWriter writer(sheet, header);
    if (ok) write_sheet_entities(writer, data, header, made, layers);
    ok = ok && writer.ok();

    const double side = kSheetMargin * made.cells_per_side;
    header.max_x = made.min_x + side * made.cell_width;
    header.max_y = made.min_y + side * made.cell_height;
    ok = ok && std::fseek(sheet, 0, SEEK_SET) == 0 &&
         std::fwrite(&header, sizeof header, 1, sheet) == 1;
    ok = std::fclose(sheet) == 0 && ok;
    if (!ok) {
        show_error(messages, kCannotOpenSheet, utf8_to_cp932(sheet_path).c_str());
        return -1;
    }
    grid = made;
    return 0;
}

std::optional<LayerToggle> toggle_layer_at(StoreReader& sheet, StoreReader& data,
                                           const LayerSheetGrid& grid, const ViewWindow& view,
                                           int px, int py, int bit) {
    // The pixel in window coordinates, then back in drawing coordinates.
    const double x = view.window_x(px);
    const double y = view.flip_y - view.window_y(py);
    const int index = grid.cell_at(x, y);
    if (index < 0) return std::nullopt;
    LayerRecord layer;
    const std::int32_t count = sheet.layer_count();
    for (std::int32_t n = 1; n <= count; ++n) {
        if (sheet.read_layer(n, layer) != 0) return std::nullopt;
        if (layer.used_index != index) continue;
        layer.flags = toggle_bit(layer.flags, bit);
        sheet.write_layer(n, layer);
        data.write_layer(n, layer);
        return LayerToggle{index, bit, test_bit(layer.flags, bit) != 0};
    }
    return std::nullopt;
}

void draw_toggled_diagonal(Surface& surface, const ViewWindow& view, const LayerSheetGrid& grid,
                           const LayerToggle& toggle) {
    const bool hidden = toggle.bit == kLayerHiddenBit;
    const Diagonal d = hidden ? hidden_diagonal(grid, toggle.used_index)
                              : locked_diagonal(grid, toggle.used_index);
    surface.select_pen(PenStyle::Dot, 1, toggle.set ? (hidden ? kRed : kGreen) : kBlack);
    surface.move_to(view.pixel_x(d.from.x), view.pixel_y(d.from.y));
    surface.line_to(view.pixel_x(d.to.x), view.pixel_y(d.to.y));
}

}  // namespace zov
