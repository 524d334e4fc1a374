// The image surface's own line drawing must give exactly Qt's pixels: every
// batch of random lines is drawn both ways and the pictures compared.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QPen>

#include "surfaces/cosmetic_lines.h"

namespace zov {
namespace {

constexpr int kWidth = 97;
constexpr int kHeight = 61;

const std::vector<std::vector<int>> kDashes = {
    {}, {3, 3}, {18, 6}, {9, 6, 3, 6}, {9, 3, 3, 3, 3, 3}};

QImage qt_picture(const std::vector<QLine>& lines, QRgb colour, const std::vector<int>& dashes) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QPen pen{QColor(colour)};
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    if (!dashes.empty()) pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    painter.setPen(pen);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    return image;
}

QImage own_picture(const std::vector<QLine>& lines, QRgb colour, const std::vector<int>& dashes) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    CosmeticLines drawer({reinterpret_cast<std::uint32_t*>(image.bits()), kWidth, kHeight,
                          image.bytesPerLine() / 4});
    drawer.set_pen(colour, dashes);
    drawer.draw(lines);
    return image;
}

// Lines of every kind: short ones about the picture, long ones across it,
// some far beyond it, level and upright ones, single points, and chains
// that turn back on themselves.
std::vector<QLine> random_lines(std::mt19937& random) {
    std::uniform_int_distribution<int> near_x(-8, kWidth + 8), near_y(-8, kHeight + 8);
    std::uniform_int_distribution<int> step(-12, 12), far(-70000, 70000), kind(0, 5);
    std::vector<QLine> lines;
    QPoint at(near_x(random), near_y(random));
    const int count = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
        QPoint to;
        switch (kind(random)) {
            case 0: to = at + QPoint(step(random), step(random)); break;
            case 1: to = QPoint(near_x(random), near_y(random)); break;
            case 2: to = QPoint(far(random), far(random)); break;
            case 3: to = QPoint(at.x() + step(random) * 5, at.y()); break;
            case 4: to = QPoint(at.x(), at.y() + step(random) * 5); break;
            default: to = at; break;
        }
        lines.emplace_back(at, to);
        at = random() % 3 == 0 ? QPoint(near_x(random), near_y(random)) : to;
    }
    return lines;
}

TEST(CosmeticLines, DrawTheSamePixelsAsQtForEveryPen) {
    std::mt19937 random(1080u);
    for (const std::vector<int>& dashes : kDashes) {
        for (int round = 0; round < 20000; ++round) {
            const std::vector<QLine> lines = random_lines(random);
            const QRgb colour = 0xff000000u | (random() & 0xffffffu);
            const QImage expected = qt_picture(lines, colour, dashes);
            const QImage drawn = own_picture(lines, colour, dashes);
            if (drawn != expected) {
                std::string text;
                for (const QLine& l : lines)
                    text += std::to_string(l.x1()) + "," + std::to_string(l.y1()) + " " +
                            std::to_string(l.x2()) + "," + std::to_string(l.y2()) + "; ";
                FAIL() << "dashes " << dashes.size() << " lines " << text;
            }
        }
    }
}

}  // namespace
}  // namespace zov
