// Small arcs drawn into the image's pixels must set exactly the pixels the
// painter sets for them wherever they lie: random arcs and circles of every
// small size, pen style and angle, all over a picture of a screen's size,
// drawn by the image surface and by the painter, and the pictures compared.
#include <gtest/gtest.h>

#include <random>

#include <QImage>
#include <QPainter>

#include "surfaces/qt_surface.h"

namespace zov {
namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

TEST(SmallArcs, SetThePaintersPixelsAnywhere) {
    QImage direct(kWidth, kHeight, QImage::Format_RGB32), painted = direct;
    direct.fill(Qt::black);
    painted.fill(Qt::black);
    CosmeticLines lines(image_pixels(direct));
    QPainter direct_painter(&direct), plain_painter(&painted);
    QtSurface into_pixels(direct_painter, kWidth, kHeight, &lines);
    QtSurface through_painter(plain_painter, kWidth, kHeight);
    std::mt19937 random(2026u);
    std::uniform_int_distribution<int> x(0, kWidth - 1), y(0, kHeight - 1),
        side(0, SmallArcs::kLargest + 1), aim(-16, 16);
    for (int round = 0; round < 60000; ++round) {
        const int left = x(random), top = y(random);
        const int right = left + side(random), bottom = top + side(random);
        const int sx = left + aim(random), sy = top + aim(random);
        const bool closed = round % 5 == 0;
        const int ex = closed ? sx : left + aim(random), ey = closed ? sy : top + aim(random);
        const Rgb colour{static_cast<std::uint8_t>(1 + random() % 255), 200, 100};
        for (QtSurface* surface : {&into_pixels, &through_painter}) {
            surface->select_pen(static_cast<PenStyle>(round % 5), 1, colour);
            surface->arc(left, top, right, bottom, sx, sy, ex, ey);
            surface->flush();
        }
        const QRect around(left - 4, top - 4, SmallArcs::kLargest + 10, SmallArcs::kLargest + 10);
        if (direct.copy(around) != painted.copy(around)) {
            FAIL() << "arc " << left << "," << top << " " << right << "," << bottom << " from "
                   << sx << "," << sy << " to " << ex << "," << ey << " style " << round % 5;
        }
    }
}

TEST(SmallArcs, ArcsLeftOutBeyondTheEdgesWouldPaintNothingInside) {
    // An arc whose box misses the picture by more than its pen is not
    // drawn: drawn on a larger picture, it sets no pixel of the smaller one.
    constexpr int kSide = 64, kMargin = 96;
    for (const int width : {1, 2, 5, 9, 20}) {
        const int gap = width + 3;
        const struct {
            int left, top, right, bottom;
        } kBoxes[] = {
            {-gap - 40, 10, -gap, 50},                // left of the picture
            {kSide + gap, 10, kSide + gap + 40, 50},  // right
            {10, -gap - 30, 50, -gap},                // above
            {10, kSide + gap, 50, kSide + gap + 30},  // below
            {-gap - 12, -gap - 12, -gap, -gap},       // beyond a corner
        };
        for (const auto& b : kBoxes) {
            QImage large(kSide + 2 * kMargin, kSide + 2 * kMargin, QImage::Format_RGB32);
            large.fill(Qt::black);
            QPainter painter(&large);
            QtSurface surface(painter, large.width(), large.height());
            surface.select_pen(PenStyle::Solid, width, Rgb{255, 255, 255});
            surface.arc(b.left + kMargin, b.top + kMargin, b.right + kMargin, b.bottom + kMargin,
                        b.left + kMargin, b.top + kMargin, b.left + kMargin, b.top + kMargin);
            surface.flush();
            painter.end();
            const QImage inside = large.copy(kMargin, kMargin, kSide, kSide);
            QImage black(kSide, kSide, QImage::Format_RGB32);
            black.fill(Qt::black);
            EXPECT_EQ(inside, black) << "pen " << width << " box " << b.left << "," << b.top;
        }
    }
}

}  // namespace
}  // namespace zov
