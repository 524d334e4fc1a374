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

// Draws the picture at both sizes, so the icon needs no image plugin.
QIcon icon_from_svg(const QString& resource) {
    QSvgRenderer renderer(resource);
    QIcon icon;
    if (!renderer.isValid()) return icon;
    for (const int side : {16, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
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
