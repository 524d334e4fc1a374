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

}  // namespace
}  // namespace zov
