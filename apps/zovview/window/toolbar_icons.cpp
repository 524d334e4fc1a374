#include "toolbar_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "viewer/viewer_commands.h"

namespace {

struct CommandIcon {
    int id;
    const char* file;
};

constexpr CommandIcon kIcons[] = {
    {zov::kCmdZoom, "zoom.svg"},
    {zov::kCmdOpenJwc, "open_jwc.svg"},
    {zov::kCmdOpenDxf, "open_dxf.svg"},
    {zov::kCmdOpenDwg, "open_dwg.svg"},
    {zov::kCmdOpenHistory, "history.svg"},
    {zov::kCmdStandardDisplay, "standard_display.svg"},
    {zov::kCmdLayerThumbnails, "layer_sheet.svg"},
    {zov::kCmdShowHelp, "help.svg"},
    {zov::kCmdSaveDxf, "save_dxf.svg"},
};

// Pictures are drawn by the SVG renderer itself, so no image plugin is needed.
QPixmap pixmap_from_svg(QSvgRenderer& renderer, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon icon_from_svg(const QString& resource) {
    QSvgRenderer renderer(resource);
    QIcon icon;
    if (!renderer.isValid()) return icon;
    for (const int side : {16, 32}) icon.addPixmap(pixmap_from_svg(renderer, side));
    return icon;
}

}  // namespace

QIcon command_icon(int command_id) {
    for (const CommandIcon& entry : kIcons)
        if (entry.id == command_id) return icon_from_svg(QString(":/icons/") + entry.file);
    return QIcon();
}

QIcon program_icon() {
    return icon_from_svg(":/icons/zovview.svg");
}

QCursor zoom_cursor() {
    QSvgRenderer renderer(QString(":/icons/zoom.svg"));
    if (!renderer.isValid()) return QCursor(Qt::CrossCursor);
    return QCursor(pixmap_from_svg(renderer, 32), 13, 13);
}
