#include "svg_icons.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap pixmap_from_svg(QSvgRenderer& renderer, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon icon_from_svg(const QString& file) {
    QSvgRenderer renderer(file);
    QIcon icon;
    if (!renderer.isValid()) return icon;
    for (const int side : {16, 32}) icon.addPixmap(pixmap_from_svg(renderer, side));
    return icon;
}
