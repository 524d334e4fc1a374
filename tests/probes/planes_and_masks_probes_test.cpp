// Entities drawn in tilted planes, wipeouts and mirrored texts, on probe
// drawings written by ezdxf.
#include <cmath>

#include "probe_drawing.h"
#include "render/white_paper_surface.h"

namespace zov {
namespace {

constexpr double kCos45 = 0.70710678118654752;

// The point of the stored arc at parameter (or angle) `degrees`.
std::pair<double, double> arc_point(const EntityRecord& e, double degrees) {
    const double t = degrees * M_PI / 180.0, tilt = e.arc.tilt * M_PI / 180.0;
    const double u = e.arc.radius * std::cos(t), v = e.arc.radius * e.arc.axis_ratio * std::sin(t);
    return {e.x1 + u * std::cos(tilt) - v * std::sin(tilt),
            e.y1 + u * std::sin(tilt) + v * std::cos(tilt)};
}

// Normal (1, 0, 1): the plane's x axis is the world's y axis and its y axis
// shrinks to cos 45 along -x, seen from above (ezdxf's OCS agrees).
TEST_F(ProbeDrawing, EntitiesOfATiltedPlaneAreSeenFromAbove) {
    ASSERT_EQ(load("tilted.dxf"), 0);
    const std::vector<EntityRecord> e = entities();
    ASSERT_EQ(e.size(), 8u);
    // The circle about (20, 0) of its plane: an ellipse about (0, 20),
    // its major axis along y.
    EXPECT_EQ(e[0].kind, kEntityArc);
    EXPECT_NEAR(e[0].x1, 0, 1e-9);
    EXPECT_NEAR(e[0].y1, 20, 1e-9);
    EXPECT_NEAR(e[0].arc.radius, 10, 1e-9);
    EXPECT_NEAR(e[0].arc.axis_ratio, kCos45, 1e-9);
    EXPECT_NEAR(std::fmod(e[0].arc.tilt + 360, 180), 90, 1e-9);
    // The square's corners (10, 0) and (10, 10).
    EXPECT_NEAR(e[1].line.end_x, 0, 1e-9);
    EXPECT_NEAR(e[1].line.end_y, 10, 1e-9);
    EXPECT_NEAR(e[2].line.end_x, -10 * kCos45, 1e-9);
    EXPECT_NEAR(e[2].line.end_y, 10, 1e-9);
    // The text runs up the world's y axis, its height shrunk.
    EXPECT_NEAR(e[5].x1, 20 * kCos45, 1e-9);
    EXPECT_NEAR(e[5].text.angle, 90, 1e-9);
    EXPECT_NEAR(e[5].text.height, 10 * kCos45, 1e-9);
    EXPECT_NEAR(e[6].x1, 40 * kCos45, 1e-9);
    EXPECT_NEAR(e[6].insert.rotation, 90, 1e-9);
    EXPECT_NEAR(e[6].insert.scale_x, 1, 1e-9);
    EXPECT_NEAR(e[6].insert.scale_y, kCos45, 1e-9);
    // The quarter ellipse seen from below: its lower right quarter, counter-
    // clockwise from (0, 95) to (10, 100).
    const auto [sx, sy] = arc_point(e[7], e[7].arc.start_angle);
    const auto [mx, my] = arc_point(e[7], (e[7].arc.start_angle + e[7].arc.end_angle) / 2);
    const auto [ex, ey] = arc_point(e[7], e[7].arc.end_angle);
    EXPECT_NEAR(sx, 0, 1e-9);
    EXPECT_NEAR(sy, 95, 1e-9);
    EXPECT_NEAR(mx, 10 * kCos45, 1e-9);
    EXPECT_NEAR(my, 100 - 5 * kCos45, 1e-9);
    EXPECT_NEAR(ex, 10, 1e-9);
    EXPECT_NEAR(ey, 100, 1e-9);

    // On the picture the circle is an upright ellipse, cos 45 as wide as high.
    ASSERT_EQ(load("tilted_circle.dxf"), 0);
    const QImage image = picture();
    int left = kWidth, right = -1, top = kHeight, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == 0) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    ASSERT_GT(bottom, top);
    EXPECT_NEAR(double(right - left) / (bottom - top), kCos45, 0.03);
}

// A wipeout hides the red line drawn before it and not the green one drawn
// after it; its frame is drawn only when the file's wipeout variables say so.
TEST_F(ProbeDrawing, WipeoutsHideWhatWasDrawnBeforeThem) {
    for (const auto& [name, frame_lines] :
         {std::pair{"wipeout.dxf", 0}, {"wipeout_frame.dxf", 4}}) {
        ASSERT_EQ(load(name), 0) << name;
        int lines = 0;
        for (const EntityRecord& e : entities()) lines += e.kind == kEntityLine ? 1 : 0;
        EXPECT_EQ(lines, 2 + frame_lines) << name;
        for (const bool white : {false, true}) {
            ImageSurface surface(kWidth, kHeight);
            WhitePaperSurface paper(surface.surface());
            view().draw_drawing(white ? static_cast<Surface&>(paper) : surface.surface());
            const QImage image = surface.finish().convertToFormat(QImage::Format_RGB32);
            const ViewWindow& v = view().view;
            auto at = [&](double x, double y) {
                return image.pixel(v.pixel_x(x), v.pixel_y(y)) & 0xFFFFFF;
            };
            const unsigned background = white ? 0xFFFFFF : 0;
            EXPECT_EQ(at(50, 50), background) << name << " masked, white " << white;
            EXPECT_NE(at(10, 50), background) << name << " beside the mask";
            EXPECT_NE(at(50, 60), background) << name << " drawn over the mask";
        }
    }
}

// Texts mirrored by their generation flags keep their boxes where CAD
// programs draw them, their characters mirrored; a label in a block inserted
// mirrored stays inside its mirrored frame and reads forwards.
TEST_F(ProbeDrawing, MirroredTextsStayInTheirBoxes) {
    ASSERT_EQ(load("mirrored_texts.dxf"), 0);
    const std::vector<EntityRecord> e = entities();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_NEAR(e[0].x1, -20, 1e-9);  // backward: "AB" runs back from (0, 0)
    EXPECT_NEAR(e[0].text.angle, 0, 1e-9);
    EXPECT_NE(e[0].flags & kTextBackward, 0);
    EXPECT_NEAR(e[1].x1, 20, 1e-9);  // upside down: turned half round about (10, 50)
    EXPECT_NEAR(e[1].y1, 50, 1e-9);
    EXPECT_NEAR(e[1].text.angle, 180, 1e-9);
    EXPECT_NE(e[1].flags & kTextBackward, 0);
    const Calls fonts = only(record(), "font ");
    ASSERT_EQ(fonts.size(), 3u);
    for (std::size_t i = 0; i < fonts.size(); ++i)
        EXPECT_EQ(fonts[i].find(" mirrored") != std::string::npos, i < 2) << fonts[i];

    const QImage image = picture();
    const ViewWindow& v = view().view;
    int green_left = kWidth, green_right = -1;
    for (int y = v.pixel_y(20); y <= v.pixel_y(0); ++y)
        for (int x = v.pixel_x(50); x < kWidth; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qGreen(pixel) > 100 && qRed(pixel) < 100) {
                green_left = std::min(green_left, x);
                green_right = std::max(green_right, x);
            }
        }
    // The label's box, 75 to 95, inside the frame from 60 to 100.
    EXPECT_GE(green_left, v.pixel_x(74));
    EXPECT_LE(green_right, v.pixel_x(96));
    EXPECT_LT(green_left, v.pixel_x(80));
}

}  // namespace
}  // namespace zov
