// The fit's box of arcs and circles: only the points next to the quarter
// turns are worked out, and the box must be exactly the one of every point
// along the arc a few degrees apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <random>

#include "common/messages.h"
#include "fixtures/store_builder.h"
#include "fixtures/temp_folder.h"
#include "render/drawing_extents.h"
#include "store/records.h"

namespace zov {
namespace {

// Every point 5 degrees apart from the start to the end, with the fit's
// margin of 2 % on each side.
DrawingExtents box_of_every_point(double cx, double cy, double r, double start, double end) {
    double sweep = std::fmod(end - start, 360.0);
    if (sweep <= 0.0) sweep += 360.0;
    const int steps = static_cast<int>(std::ceil(sweep / 5.0));
    double min_x = INFINITY, min_y = INFINITY, max_x = -INFINITY, max_y = -INFINITY;
    for (int i = 0; i <= steps; ++i) {
        const double t = (start + std::min(i * 5.0, sweep)) * std::numbers::pi / 180.0;
        const double u = r * std::cos(t), v = r * std::sin(t);
        const double x = cx + u * 1.0 - v * 0.0, y = cy + u * 0.0 + v * 1.0;
        min_x = std::min(min_x, x), max_x = std::max(max_x, x);
        min_y = std::min(min_y, y), max_y = std::max(max_y, y);
    }
    const double mx = 0.02 * (max_x - min_x), my = 0.02 * (max_y - min_y);
    return {min_x - mx, min_y - my, max_x + mx, max_y + my};
}

TEST(DrawingExtents, ArcsCoverExactlyTheBoxOfTheirPoints) {
    std::mt19937 random(360u);
    std::uniform_real_distribution<double> place(-1000.0, 1000.0), radius(0.001, 500.0);
    std::uniform_real_distribution<double> angle(-720.0, 720.0);
    std::uniform_int_distribution<int> quarter(-8, 8);
    for (int round = 0; round < 300; ++round) {
        const TempFolder scratch;
        const std::filesystem::path folder = scratch.folder();
        const double cx = place(random), cy = place(random), r = radius(random);
        // Some ends on quarter turns and whole circles, the rest anywhere.
        double start = round % 3 == 0 ? quarter(random) * 90.0 : angle(random);
        double end = round % 5 == 0   ? start
                     : round % 3 == 1 ? quarter(random) * 90.0
                                      : angle(random);
        RecordingMessages messages;
        StoreBuilder store(folder.string(), messages);
        store.header().min_x = store.header().min_y = 1;  // no extents of its own
        store.header().max_x = store.header().max_y = 0;
        store.add_entity(circle_record(store.add_layer("A"), cx, cy, r, start, end));
        ASSERT_EQ(store.finish(), 0);
        StoreReader reader;
        ASSERT_EQ(reader.open((folder / kDataFileName).string()), 0);
        const DrawingExtents fitted = drawing_extents(reader);
        const DrawingExtents expected = box_of_every_point(cx, cy, r, start, end);
        EXPECT_EQ(fitted.min_x, expected.min_x) << start << " " << end;
        EXPECT_EQ(fitted.min_y, expected.min_y) << start << " " << end;
        EXPECT_EQ(fitted.max_x, expected.max_x) << start << " " << end;
        EXPECT_EQ(fitted.max_y, expected.max_y) << start << " " << end;
    }
}

}  // namespace
}  // namespace zov
