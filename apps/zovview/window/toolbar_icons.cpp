#include "toolbar_icons.h"

#include <QSvgRenderer>

#include "svg_icons.h"
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

}  // namespace

QIcon command_icon(int command_id) {
    for (const CommandIcon& entry : kIcons)
        if (entry.id == command_id) return icon_from_svg(QString(":/icons/") + entry.file);
    return QIcon();
}

QIcon program_icon() { return icon_from_svg(":/icons/zovview.svg"); }

QCursor zoom_cursor() {
    QSvgRenderer renderer(QString(":/icons/zoom.svg"));
    if (!renderer.isValid()) return QCursor(Qt::CrossCursor);
    return QCursor(pixmap_from_svg(renderer, 32), 13, 13);
}
