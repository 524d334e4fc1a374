#include "view/pass_preview.h"

#include <gtest/gtest.h>

#include "common/messages.h"

namespace zov {
namespace {

// A point of the drawing lies, in the picture of one view moved by the
// mapping, where the other view draws it.
TEST(PassPreview, MovesThePictureOfOneViewOntoAnother) {
    RecordingMessages messages;
    struct View {
        double scale, origin_x, origin_y, flip_y;
    };
    const View views[] = {{1, 0, 0, 0}, {2.5, 100, -40, 0}, {0.25, -300, 80, 500}, {8, 12, 7, 490}};
    const double points[][2] = {{0, 0}, {120, 35}, {-60, 410}};
    for (const View& a : views) {
        for (const View& b : views) {
            ViewWindow drawn(messages), wanted(messages);
            drawn.view_scale = a.scale, drawn.origin_x = a.origin_x, drawn.origin_y = a.origin_y;
            drawn.flip_y = a.flip_y;
            wanted.view_scale = b.scale, wanted.origin_x = b.origin_x, wanted.origin_y = b.origin_y;
            wanted.flip_y = b.flip_y;
            const PreviewMapping mapping = preview_mapping(drawn, wanted);
            for (const auto& p : points) {
                const double x = mapping.scale * drawn.pixel_x(p[0]) + mapping.dx;
                const double y = mapping.scale * drawn.pixel_y(p[1]) + mapping.dy;
                // Each pixel is rounded once, in the view that drew it.
                EXPECT_NEAR(x, wanted.pixel_x(p[0]), 1 + mapping.scale);
                EXPECT_NEAR(y, wanted.pixel_y(p[1]), 1 + mapping.scale);
            }
        }
    }
}

}  // namespace
}  // namespace zov
