// A PNG of few colours is written with a palette and reads back as the very
// pixels drawn; a picture of more colours is written as it is.
#include <gtest/gtest.h>

#include <string>

#include <QImage>

#include "fixtures/temp_folder.h"
#include "gui_application.h"
#include "surfaces/band_picture.h"
#include "surfaces/indexed_picture.h"

namespace zov {
namespace {

// A picture of `colours` colours in stripes and scattered pixels, so that
// runs start and end anywhere.
QImage picture_of(int colours) {
    QImage image(97, 61, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int n = (x / 3 + y * 7 + (x * y) % 5) % colours;
            image.setPixel(x, y, qRgb(n * 37 % 256, n % 256, n / 2 % 256));
        }
    return image;
}

TEST(IndexedPicture, PngReadsBackAsThePixelsDrawn) {
    ensure_gui_application();
    const TempFolder folder;
    const struct {
        int colours;
        bool indexed;
    } cases[] = {{1, true}, {2, true}, {256, true}, {257, false}, {4000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colours);
        const QImage drawn = picture_of(c.colours);
        EXPECT_EQ(indexed_when_few_colours(drawn).format() == QImage::Format_Indexed8, c.indexed);
        const std::string path = folder.file("picture.png");
        ASSERT_TRUE(save_png_whole(drawn, path));
        QImage read(QString::fromStdString(path));
        ASSERT_FALSE(read.isNull());
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), drawn);
    }
}

}  // namespace
}  // namespace zov
