#include "dropped_files.h"

#include <QMimeData>
#include <QUrl>

QStringList dropped_files(const QMimeData& data) {
    QStringList files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}
