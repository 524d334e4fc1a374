#pragma once
// Files dragged from a file manager onto a window.
#include <QStringList>

class QMimeData;

// The local files among the dropped items, in their order (file-system
// names); links and other data are left out.
QStringList dropped_files(const QMimeData& data);
