// A nested-array bomb drawn as SVG: the picture reaches its output while the
// pass draws, never more than a buffer at a time, so the memory of a render
// does not grow with its picture.
#include <gtest/gtest.h>

#include <algorithm>

#include <QIODevice>
#include <QPainter>

#include "common/messages.h"
#include "fixtures/dxf_bombs.h"
#include "fixtures/temp_folder.h"
#include "gui_application.h"
#include "surfaces/qt_surface.h"
#include "surfaces/svg_page.h"
#include "view/drawing_view.h"
#include "viewer/headless_load.h"

namespace zov {
namespace {

// An output that keeps only counts of what it is given.
class CountingOutput : public QIODevice {
public:
    qint64 total = 0;
    qint64 largest = 0;

protected:
    qint64 writeData(const char*, qint64 size) override {
        total += size;
        largest = std::max(largest, size);
        return size;
    }
    qint64 readData(char*, qint64) override { return -1; }
};

TEST(SvgStream, ANestedArrayBombIsWrittenWhileItIsDrawn) {
    ensure_gui_application();
    TempFolder folder;
    ASSERT_TRUE(nested_array_bomb(2, 10).write(folder.file("bomb.dxf")));  // 10 000 lines
    RecordingMessages messages;
    ASSERT_EQ(load_drawing_headless(folder.path(), folder.file("bomb.dxf"), messages), 0);

    CountingOutput output;
    output.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    SvgPage page(output, {2480, 1754}, 150, QStringLiteral("bomb"));
    QPainter painter(&page);
    DrawingView view(folder.path(), messages);
    {
        QtSurface surface(painter, page.width(), page.height());
        ASSERT_EQ(view.draw_drawing(surface), 0);
    }
    const qint64 before_end = output.total;
    ASSERT_TRUE(painter.end());

    constexpr qint64 kBuffer = 1 << 16, kElement = 4096;
    EXPECT_LE(output.largest, kBuffer + kElement);
    EXPECT_GE(before_end, output.total - kBuffer - kElement);
    EXPECT_GT(output.total, 10000 * 10);
    EXPECT_LT(output.total, 10000 * 30);  // a line costs "M1,2L3,4", about 20 bytes
}

}  // namespace
}  // namespace zov
