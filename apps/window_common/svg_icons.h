#pragma once
// Icons drawn from SVG pictures by the SVG renderer itself, so that no image
// plugin is needed.
#include <QIcon>
#include <QPixmap>
#include <QString>

class QSvgRenderer;

// The picture drawn on a transparent square of `side` pixels.
QPixmap pixmap_from_svg(QSvgRenderer& renderer, int side);
// The SVG file (or resource) at 16 x 16 and 32 x 32 pixels; an empty icon
// when it cannot be read.
QIcon icon_from_svg(const QString& file);
