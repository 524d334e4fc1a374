// IMAGE: the frame of the picture, as four lines on its layer in its colour,
// and the name of its file as a text in its lower left corner. The name is
// the group 1 of the IMAGEDEF object the image points to (group 340); the
// picture file is never opened.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <string>

#include "dxf_import/entity_groups.h"
#include "dxf_import/raster_placement.h"

namespace zov {

namespace {

// IMAGEDEF objects taken, at most, and the bytes of a file name kept.
constexpr std::size_t kMaxImageDefinitions = 4096;
constexpr std::size_t kMaxImageFileNameBytes = 260;
// The name's text is this part of the frame's shorter side high.
constexpr double kNameHeightPerSide = 1.0 / 20.0;

// A handle as the map keys it: DXF handles are hexadecimal, in either case.
std::string handle_key(std::string_view handle) {
    std::string key(handle.substr(0, 16));
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

// The file names of the IMAGEDEF objects by handle. They stand in the
// OBJECTS section after every entity: read ahead once, then the reader goes
// back to where it was.
ImageFileNames read_image_file_names(DxfGroupReader& reader) {
    const DxfGroupReader::Mark here = reader.mark();
    ImageFileNames names;
    bool in_definition = false;
    std::string handle, file;
    auto keep = [&] {
        if (in_definition && !handle.empty() && names.size() < kMaxImageDefinitions)
            names.emplace(handle_key(handle), file);
    };
    while (reader.read_group() > 0) {
        if (reader.is_code_line()) continue;
        if (reader.code() == 0) {
            keep();
            in_definition = reader.value() == "IMAGEDEF";
            handle.clear();
            file.clear();
        } else if (in_definition && reader.code() == 5) {
            handle = reader.value();
        } else if (in_definition && reader.code() == 1) {
            file = reader.value().substr(0, kMaxImageFileNameBytes);
        }
    }
    keep();
    reader.return_to(here);
    return names;
}

}  // namespace

int read_image(DxfContext& context) {
    if (!context.image_files) context.image_files = read_image_file_names(context.reader);
    EntityRecord base;
    RasterPlacement place;
    std::string definition;
    read_entity_groups(context, base, {}, kAllCommonGroups, [&](const DxfGroupReader& reader) {
        if (!place.take(reader) && reader.code() == 340) definition = reader.value();
    });
    const std::vector<Point2> frame{place.at(0, 0), place.at(place.width, 0),
                                    place.at(place.width, place.height), place.at(0, place.height)};
    for (const Point2 corner : frame) context.report_point(corner.x, corner.y);
    int written = write_outline(context, base, {frame});
    const auto file = context.image_files->find(handle_key(definition));
    if (file == context.image_files->end() || file->second.empty()) return written;
    EntityRecord name = base;
    name.kind = kEntityText;
    name.x1 = place.origin.x;
    name.y1 = place.origin.y;
    name.text.width_factor = 1.0;
    const double across = std::hypot(place.u_pixel.x, place.u_pixel.y) * std::abs(place.width);
    const double up = std::hypot(place.v_pixel.x, place.v_pixel.y) * std::abs(place.height);
    name.text.height = kNameHeightPerSide * std::min(across, up);
    name.text.angle = std::atan2(place.u_pixel.y, place.u_pixel.x) * 180.0 / std::numbers::pi;
    return written + context.write_text(name, file->second);
}

}  // namespace zov
