#pragma once
// An SVG picture written as it is drawn: a paint device whose engine turns
// each painter operation into SVG elements at once and hands them to the
// output through a small buffer, so that the memory of a render stays the
// same however large its picture grows. Lines, rectangles, polygons, paths,
// ellipses, images and texts (as <text>, in the painter's font) are written;
// each change of pen, brush or transform opens a group of its own.
#include <memory>

#include <QPaintDevice>
#include <QSize>
#include <QString>

class QIODevice;

namespace zov {

class SvgPaintEngine;

class SvgPage : public QPaintDevice {
public:
    // A picture of `size` pixels, `dots_per_inch` on paper, written to
    // `output` (open for writing) by one painter from begin() to end().
    SvgPage(QIODevice& output, QSize size, int dots_per_inch, const QString& title);
    ~SvgPage() override;
    SvgPage(const SvgPage&) = delete;
    SvgPage& operator=(const SvgPage&) = delete;

    QPaintEngine* paintEngine() const override;
    // Every byte of the picture so far reached the output; after the
    // painter's end() that is the whole picture.
    bool written() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    int dots_per_inch_;
    std::unique_ptr<SvgPaintEngine> engine_;
};

}  // namespace zov
